// The FSK modulator: header, leading carrier, one 10-bit frame per payload byte, trailing carrier.
#include <cmath>
#include <cstddef>

#include "framework/core/numbers.h"
#include "signal/generator.h"
#include "signal/image_counts.h"
#include "signal/wav_header.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr uint32_t kFrameBits = 10;
constexpr uint32_t kStopBit = 0x200;

// Every run restarts its sine at phase 0, so all runs of one tone are prefixes of the longest
// one. Each tone keeps the first run computed for it in the image, and later runs copy from it.
class ToneRuns {
  public:
    ToneRuns(GeneraterClass& gen, uint32_t freq) : gen_(gen), freq_(freq) {}

    void Append(uint32_t count) {
        String& image = gen_.mWavData;
        if (count <= length_) {
            // Within the reserved capacity: the source stays where it is.
            image.append(image.data() + offset_, count);
            return;
        }
        offset_ = image.size();
        length_ = count;
        gen_.pushData(freq_, count);
    }

  private:
    GeneraterClass& gen_;
    const uint32_t freq_;
    size_t offset_ = 0;
    uint32_t length_ = 0;  // 0 until the first run is computed
};

}  // namespace

void GeneraterClass::pushData(uint32_t freq, uint32_t count) {
    char chunk[4096];
    for (uint32_t done = 0; done < count;) {
        const uint32_t n = Min<uint32_t>(count - done, sizeof chunk);
        for (uint32_t k = 0; k < n; ++k) {
            const double t = double(done + k) / double(mSampleRate);
            const double x = (t * kTwoPi) * double(freq);
            const double y = 128.0 + (127.0 * Sin(x));
            const int32_t level = DoubleToInt32(std::round(y));
            chunk[k] = static_cast<char>(Max<int32_t>(0, Min<int32_t>(255, level)));
        }
        mWavData.append(chunk, n);
        done += n;
    }
}

const String& GeneraterClass::MakeWavData(const String& payload) {
    static const String nothing;
    if (!payload.empty())
        mData = payload;
    else if (mData.empty())
        return nothing;

    // Checked before anything is allocated.
    const ImageCounts counts = CountImage(mBaud, mSampleRate, mBits, mData.size());
    mSpb = counts.spb;
    mPreCarrierBits = counts.preCarrierBits;
    mPostCarrierBits = counts.postCarrierBits;
    mDataSize = counts.dataSize;

    // Drop the old image first so a rebuild never holds two.
    String().swap(mWavData);
    mWavData.reserve(size_t(44) + mDataSize);
    mWavData.append(
        WavHeader(mSampleRate, mDataSize));  // appended: assigning would drop the reserve

    ToneRuns high(*this, mFreqHigh), low(*this, mFreqLow);
    high.Append(mPreCarrierBits * mSpb);
    for (unsigned char b : mData) {
        uint32_t frame = (uint32_t(b) << 1) | kStopBit;
        for (uint32_t bit = 0; bit < mBits; ++bit) {
            ((frame & 1) ? high : low).Append(mSpb);
            frame >>= 1;
        }
    }
    high.Append(mPostCarrierBits * mSpb);
    return mWavData;
}

void GeneraterClass::Constructor(const String& data, const String& head, const String& foot,
                                 uint32_t baud, uint32_t sampleRate, uint32_t freqHigh,
                                 uint32_t freqLow) {
    mBaud = baud;
    mSampleRate = sampleRate;
    mFreqHigh = freqHigh;
    mFreqLow = freqLow;
    mBits = kFrameBits;
    mData = head + data + foot;
    mWavData = "";
    if (!mData.empty()) MakeWavData("");
}
