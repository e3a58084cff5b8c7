#pragma once
// The signal generator: hex escapes, the FSK modulator that builds an 8-bit mono WAV image, and
// the output folder and file it is written to.
#include <cstdint>
#include <memory>

#include "framework/core/exceptions.h"
#include "framework/core/folder_item.h"
#include "framework/core/text.h"

// Raised when the modulator is asked for an image it cannot build: a rate of 0, or sizes beyond
// what the WAV header's 32-bit fields can state. Raised before the image is allocated.
class SignalParameterException : public RuntimeException {
  public:
    using RuntimeException::RuntimeException;
    const char* ClassName() const noexcept override { return "SignalParameterException"; }
};

// The modulator: payload and four numbers in, the complete WAV image out (mWavData).
class GeneraterClass {
  public:
    GeneraterClass() = default;
    virtual ~GeneraterClass() = default;

    // Appends `count` samples of one sine of `freq` Hz, starting at phase 0.
    virtual void pushData(uint32_t freq, uint32_t count);
    // Builds the image anew (from `payload` when it is not empty, else from mData) and returns it;
    // "" when there is nothing to build. Raises SignalParameterException outside the limits.
    virtual const String& MakeWavData(const String& payload);
    // Stores the values; builds the image when head + data + foot is not empty.
    virtual void Constructor(const String& data, const String& head, const String& foot,
                             uint32_t baud, uint32_t sampleRate, uint32_t freqHigh,
                             uint32_t freqLow);

    uint32_t mSampleRate = 0;
    String mWavData;
    uint32_t mDataSize = 0;
    uint32_t mPostCarrierBits = 0;
    uint32_t mPreCarrierBits = 0;
    uint32_t mSpb = 0;
    uint32_t mFreqLow = 0;
    uint32_t mFreqHigh = 0;
    String mData;
    uint32_t mBaud = 0;
    uint32_t mBits = 0;
};

namespace Module1 {
// The 32-bit pattern of `v`, least significant byte first: 4 bytes.
String toChr32L(int32_t v);
// The low 16 bits of `v`, least significant byte first: 2 bytes.
String toChr16L(int16_t v);
// Replaces every escape openTag HEX closeTag by the character of that code.
String HexStringConv(const String& text, const String& openTag, const String& closeTag);
// The output folder, Documents/Tarnwhistle, created when missing.
std::shared_ptr<FolderItem> wavFolder();
// Builds the image, writes it into the output folder under a name made of the data and the four
// numbers, and returns the file.
std::shared_ptr<FolderItem> generate(const String& data, const String& head, const String& foot,
                                     uint32_t baud, uint32_t sampleRate, uint32_t freqHigh,
                                     uint32_t freqLow);
}  // namespace Module1
