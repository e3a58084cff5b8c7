// The process entry. No argument or environment variable of the system's own is read.
#include "app/app.h"

int main() {
    return MainRoutine();
}
