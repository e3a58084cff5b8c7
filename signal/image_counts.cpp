// Bit timing and carrier lengths of an image, and the limits within which it can be built.
#include "signal/image_counts.h"
#include "framework/core/numbers.h"
#include "signal/generator.h"

namespace {

constexpr uint64_t kHeaderBytes = 44;
constexpr uint64_t kLargestSize = 0xFFFFFFFFull;  // the RIFF size field holds data size + 36
constexpr uint64_t kLongestRun = 0x7FFFFFFFull;

// Carrier of at least `milliseconds`, rounded up to whole bit times. Double arithmetic in this
// grouping gives the same counts as exact integer arithmetic for every 32-bit rate.
uint32_t CarrierBits(uint32_t sampleRate, double milliseconds, uint32_t spb) {
    return DoubleToUInt32(Ceil(((double(sampleRate) * milliseconds) / 1000.0) / double(spb)));
}

void CheckRun(const char* what, uint64_t samples) {
    if (samples > kLongestRun)
        throw SignalParameterException(String(what) + " of " + Str(samples) +
                                       " samples is longer than " + Str(kLongestRun));
}

}  // namespace

ImageCounts CountImage(uint32_t baud, uint32_t sampleRate, uint32_t frameBits,
                       uint64_t payloadBytes) {
    if (sampleRate == 0) throw SignalParameterException("sample rate 0 is below 1");
    if (baud == 0) throw SignalParameterException("baud rate 0 is below 1");

    ImageCounts c;
    c.spb = DoubleToUInt32(Ceil(double(sampleRate) / double(baud)));
    c.preCarrierBits = CarrierBits(sampleRate, 40.0, c.spb);
    c.postCarrierBits = CarrierBits(sampleRate, 5.0, c.spb);

    // A run that long needs a rate beyond any sane use: name it rather than the size it causes.
    CheckRun("bit time", c.spb);
    CheckRun("leading carrier", uint64_t(c.preCarrierBits) * c.spb);
    CheckRun("trailing carrier", uint64_t(c.postCarrierBits) * c.spb);

    uint64_t frameTimes = 0, bitTimes = 0, samples = 0;
    bool overflow = __builtin_mul_overflow(uint64_t(frameBits), payloadBytes, &frameTimes);
    overflow =
        overflow || __builtin_add_overflow(
                        frameTimes, uint64_t(c.preCarrierBits) + c.postCarrierBits, &bitTimes);
    overflow = overflow || __builtin_mul_overflow(bitTimes, uint64_t(c.spb), &samples);
    if (overflow)
        throw SignalParameterException("image of more than " + Str(UINT64_MAX) +
                                       " bytes does not fit a WAV file");
    if (samples + 36 > kLargestSize)
        throw SignalParameterException("image of " + Str(samples + kHeaderBytes) +
                                       " bytes does not fit a WAV file");

    c.dataSize = static_cast<uint32_t>(samples);
    return c;
}
