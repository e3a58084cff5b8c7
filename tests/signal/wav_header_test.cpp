// The WAV header and its little-endian fields.
#include <gtest/gtest.h>

#include <cstdint>

#include "signal/generator.h"
#include "signal/wav_header.h"
#include "tests/support/bytes.h"

namespace {

TEST(WavHeader, LargestSampleRateInBothRateFields) {
    const String header = WavHeader(0xFFFFFFFFu, 3264);
    EXPECT_EQ(Hex(header.substr(24, 8)), "FF FF FF FF FF FF FF FF");
}

TEST(LittleEndianFields, Encoders) {
    EXPECT_EQ(Hex(Module1::toChr32L(16)), "10 00 00 00");
    EXPECT_EQ(Hex(Module1::toChr32L(29400)), "D8 72 00 00");
    EXPECT_EQ(Hex(Module1::toChr32L(-2)), "FE FF FF FF");
    EXPECT_EQ(Hex(Module1::toChr32L(INT32_MIN)), "00 00 00 80");
    EXPECT_EQ(Hex(Module1::toChr16L(8)), "08 00");
    EXPECT_EQ(Hex(Module1::toChr16L(-1)), "FF FF");
}

}  // namespace
