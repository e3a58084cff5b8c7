#include "framework/core/system_seam.h"

#include <fcntl.h>

namespace {
int OpenUnnamed(const char* folder, mode_t mode) {
    return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}
}  // namespace

namespace SystemSeam {
int (*OpenUnnamedFile)(const char* folder, mode_t mode) = OpenUnnamed;
}  // namespace SystemSeam
