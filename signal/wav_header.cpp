// The little-endian integer fields of the WAV header, and the header itself.
#include "signal/wav_header.h"
#include "framework/core/memory_block.h"
#include "signal/generator.h"

namespace Module1 {

String toChr32L(int32_t v) {
    MemoryBlock block(4);
    block.SetUInt32Value(0, static_cast<uint32_t>(v));
    return block.StringValue(0, 4);
}

String toChr16L(int16_t v) {
    MemoryBlock block(4);
    block.SetUInt16Value(0, static_cast<uint16_t>(v));
    return block.StringValue(0, 2);
}

}  // namespace Module1

namespace {
// The header's unsigned fields travel as the same 32-bit pattern.
String U32(uint32_t v) {
    return Module1::toChr32L(static_cast<int32_t>(v));
}
}  // namespace

String WavHeader(uint32_t sampleRate, uint32_t dataSize) {
    const uint32_t channels = 1, bytesPerSample = 1;
    return "RIFF" + U32(dataSize + 36) + "WAVE" + "fmt " + Module1::toChr32L(16) +
           Module1::toChr16L(1) + Module1::toChr16L(1) + U32(sampleRate) +
           U32(sampleRate * channels * bytesPerSample) + Module1::toChr16L(1) +
           Module1::toChr16L(8) + "data" + U32(dataSize);
}
