# shellcheck shell=bash disable=SC2154  # variables shared with the sourcing script
# Turns what a test recorded from a sink (raw signed 16-bit mono samples at $rate) into a WAV
# file that minimodem reads.

# Little-endian bytes of $1 as a printf format, $2 bytes wide.
le() { local v=$1 n=$2 out=""; for ((k = 0; k < n; k++)); do out+=$(printf '\\x%02x' $(((v >> (8 * k)) & 255))); done; echo "$out"; }
# Wraps the raw samples $1 in a WAV header, into $2.
raw_to_wav() {
    local size
    size=$(stat -c %s "$1")
    {
        printf "RIFF$(le $((size + 36)) 4)WAVEfmt $(le 16 4)$(le 1 2)$(le 1 2)"
        printf "$(le $rate 4)$(le $((rate * 2)) 4)$(le 2 2)$(le 16 2)data$(le "$size" 4)"
        cat "$1"
    } >"$2"
}
