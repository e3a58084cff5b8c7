#pragma once
// The timing of an image and the limits within which it can be built.
#include <cstdint>

// The timing of one image: samples per bit, carrier lengths in bit times, and the sample count.
struct ImageCounts {
    uint32_t spb = 0;
    uint32_t preCarrierBits = 0;
    uint32_t postCarrierBits = 0;
    uint32_t dataSize = 0;
};

// The counts for `payloadBytes` frames of `frameBits` bits. Raises SignalParameterException when
// a rate is 0, when the header could not state the size, or when a run reaches 2^31 samples.
ImageCounts CountImage(uint32_t baud, uint32_t sampleRate, uint32_t frameBits,
                       uint64_t payloadBytes);
