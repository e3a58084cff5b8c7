#pragma once
// Helpers shared by the modulator's tests.
#include <string>

#include "signal/generator.h"

inline GeneraterClass Build(const String& payload, uint32_t baud, uint32_t sampleRate,
                            uint32_t freqHigh, uint32_t freqLow) {
    GeneraterClass g;
    g.Constructor(payload, "", "", baud, sampleRate, freqHigh, freqLow);
    return g;
}

// The image as the modulator describes it, one pushData call per run with no shortcuts.
inline String ReferenceImage(const GeneraterClass& built) {
    GeneraterClass r;
    r.mSampleRate = built.mSampleRate;
    r.mWavData = built.mWavData.substr(0, 44);
    r.pushData(built.mFreqHigh, built.mPreCarrierBits * built.mSpb);
    for (unsigned char b : built.mData) {
        unsigned frame = (unsigned(b) << 1) | 0x200;
        for (int bit = 0; bit < 10; ++bit, frame >>= 1)
            r.pushData((frame & 1) ? built.mFreqHigh : built.mFreqLow, built.mSpb);
    }
    r.pushData(built.mFreqHigh, built.mPostCarrierBits * built.mSpb);
    return r.mWavData;
}

// One run of `count` samples of `freq` at `sampleRate`, from phase 0.
inline String ToneRun(uint32_t freq, uint32_t count, uint32_t sampleRate) {
    GeneraterClass g;
    g.mSampleRate = sampleRate;
    g.pushData(freq, count);
    return g.mWavData;
}
