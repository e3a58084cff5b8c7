#pragma once
// A write made to fail part-way, even for root: run in a child process under a file-size limit.
#include <sys/resource.h>

#include <functional>
#include <string>

// Forks. The child puts SIGXFSZ back to its default action, which ends a program as it would a
// fresh one, runs `start` (the program's own start, which must change that), lowers the
// file-size limit to `limitBytes` and runs `write`. Returns what became of the child:
// "IOException EFBIG" when `write` raised that, else "no exception", "IOException N" for another
// error number, "another exception", or "ended by signal N".
std::string WriteUnderFileSizeLimit(rlim_t limitBytes, const std::function<void()>& start,
                                    const std::function<void()>& write);
