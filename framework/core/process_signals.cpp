#include "framework/core/process_signals.h"

#include <signal.h>

void IgnoreFileSizeSignal() {
    struct sigaction action {};
    action.sa_handler = SIG_IGN;
    sigemptyset(&action.sa_mask);
    sigaction(SIGXFSZ, &action, nullptr);
}
