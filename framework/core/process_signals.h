#pragma once
// Signal dispositions the program sets for itself when its runtime starts.

// Ignores SIGXFSZ. A write past a file-size limit (ulimit -f) then fails with EFBIG, which the
// stream raises as IOException and cleans up after, instead of the signal ending the program
// mid-write.
void IgnoreFileSizeSignal();
