#include <gtest/gtest.h>

#include <cstring>

#include "signal/generator.h"
#include "tests/signal/image_test_support.h"
#include "tests/support/bytes.h"

namespace {

const String kDefaultPayload = "Hello!\n\n";

uint32_t Le32(const String& s, size_t at) {
    uint32_t v = 0;
    for (int k = 3; k >= 0; --k) v = (v << 8) | uint8_t(s[at + k]);
    return v;
}

struct Counts {
    uint32_t baud, rate, spb, pre, post, preSamples, postSamples, dataSize, imageBytes;
};

// Preset baud rates at their preselected sample rates, with the window's default payload.
const Counts kPresetCounts[] = {
    {100, 32000, 320, 4, 1, 1280, 320, 27200, 27244},
    {126, 35280, 280, 6, 1, 1680, 280, 24360, 24404},
    {315, 31500, 100, 13, 2, 1300, 200, 9500, 9544},
    {600, 29400, 49, 24, 3, 1176, 147, 5243, 5287},
    {630, 31500, 50, 26, 4, 1300, 200, 5500, 5544},
    {1225, 29400, 24, 49, 7, 1176, 168, 3264, 3308},
    {2450, 44100, 18, 98, 13, 1764, 234, 3438, 3482},
};

TEST(Modulator, CountsAtThePresets) {
    for (const Counts& c : kPresetCounts) {
        SCOPED_TRACE(testing::Message() << c.baud << " baud");
        GeneraterClass g = Build(kDefaultPayload, c.baud, c.rate, 1000, 500);
        EXPECT_EQ(g.mSpb, c.spb);
        EXPECT_EQ(g.mPreCarrierBits, c.pre);
        EXPECT_EQ(g.mPostCarrierBits, c.post);
        EXPECT_EQ(g.mPreCarrierBits * g.mSpb, c.preSamples);
        EXPECT_EQ(g.mPostCarrierBits * g.mSpb, c.postSamples);
        EXPECT_EQ(g.mDataSize, c.dataSize);
        ASSERT_EQ(g.mWavData.size(), c.imageBytes);
        // The header counts exactly what follows it; an odd size gets no pad byte.
        EXPECT_EQ(Le32(g.mWavData, 40), g.mWavData.size() - 44);
        EXPECT_EQ(Le32(g.mWavData, 4), g.mWavData.size() - 8);
    }
}

TEST(Modulator, CountsAtOtherSampleRates) {
    const struct {
        uint32_t baud, rate, spb, pre, post;
    } cases[] = {{630, 14700, 24, 25, 4}, {600, 44100, 74, 24, 3}, {1225, 22050, 18, 49, 7}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.baud << " baud at " << c.rate);
        GeneraterClass g = Build("x", c.baud, c.rate, 1000, 500);
        EXPECT_EQ(g.mSpb, c.spb);
        EXPECT_EQ(g.mPreCarrierBits, c.pre);
        EXPECT_EQ(g.mPostCarrierBits, c.post);
    }
}

TEST(Modulator, ConstructorStoresItsArgumentsAndJoinsThePayload) {
    GeneraterClass g;
    g.Constructor("5", "", "\n\n", 1225, 29400, 7350, 4900);
    EXPECT_EQ(g.mData, "5\n\n");
    EXPECT_EQ(g.mBaud, 1225u);
    EXPECT_EQ(g.mSampleRate, 29400u);
    EXPECT_EQ(g.mFreqHigh, 7350u);
    EXPECT_EQ(g.mFreqLow, 4900u);
    EXPECT_EQ(g.mBits, 10u);
    EXPECT_EQ(g.mDataSize, 2064u);
    EXPECT_EQ(g.mWavData.size(), 2108u);

    GeneraterClass joined;
    joined.Constructor("D", "H", "F", 1225, 29400, 7350, 4900);
    EXPECT_EQ(joined.mData, "HDF");
}

TEST(Modulator, DefaultHeaderBytes) {
    GeneraterClass g = Build(kDefaultPayload, 1225, 29400, 7350, 4900);
    EXPECT_EQ(Hex(g.mWavData.substr(0, 44)),
              "52 49 46 46 E4 0C 00 00 57 41 56 45 66 6D 74 20 10 00 00 00 01 00 01 00 "
              "D8 72 00 00 D8 72 00 00 01 00 08 00 64 61 74 61 C0 0C 00 00");
}

// Each bit time of a one-byte image, as H or L by which tone's run it holds.
String BitPattern(unsigned char byte) {
    const uint32_t rate = 29400, high = 7350, low = 4900;
    GeneraterClass g = Build(String(1, char(byte)), 1225, rate, high, low);
    const String highRun = ToneRun(high, g.mSpb, rate), lowRun = ToneRun(low, g.mSpb, rate);
    String pattern;
    size_t at = 44 + size_t(g.mPreCarrierBits) * g.mSpb;
    for (int bit = 0; bit < 10; ++bit, at += g.mSpb) {
        const String run = g.mWavData.substr(at, g.mSpb);
        pattern += run == highRun ? 'H' : run == lowRun ? 'L' : '?';
    }
    return pattern;
}

TEST(Modulator, ByteFramesStartLowSendLeastSignificantFirstAndStopHigh) {
    EXPECT_EQ(BitPattern(0x48), "LLLLHLLHLH");
    EXPECT_EQ(BitPattern(0x0A), "LLHLHLLLLH");
    EXPECT_EQ(BitPattern(0x80), "LLLLLLLLHH");
    EXPECT_EQ(BitPattern(0xFF), "LHHHHHHHHH");
    EXPECT_EQ(BitPattern(0x00), "LLLLLLLLLH");
}

TEST(Modulator, SamplesRoundToNearest) {
    // The fifth sample lies a hair below 128: cutting toward zero would give 127.
    EXPECT_EQ(Hex(ToneRun(7350, 8, 29400)), "80 FF 80 01 80 FF 80 01");
    // A mid-slope sample: 128 + 127 * sin(pi/4) = 217.80, rounds up.
    EXPECT_EQ(uint8_t(ToneRun(3675, 2, 29400)[1]), 218);
}

TEST(Modulator, EveryRunStartsAtTheZeroLevel) {
    GeneraterClass g = Build(kDefaultPayload, 1225, 29400, 7350, 4900);
    const size_t samples = g.mWavData.size() - 44;
    for (size_t at = 0; at < samples; at += g.mSpb)
        ASSERT_EQ(uint8_t(g.mWavData[44 + at]), 128) << "bit time starting at sample " << at;
}

TEST(Modulator, FrequencyZeroIsFlat) {
    GeneraterClass g = Build("AB", 1225, 29400, 0, 0);
    EXPECT_EQ(g.mWavData.substr(44), String(g.mDataSize, char(128)));
}

TEST(Modulator, BaudAtOrAboveTheSampleRateGivesOneSamplePerBit) {
    for (uint32_t baud : {44100u, 44101u, 4000000000u}) {
        SCOPED_TRACE(baud);
        GeneraterClass g = Build("\x55", baud, 44100, 1000, 500);
        ASSERT_EQ(g.mSpb, 1u);
        EXPECT_EQ(g.mPreCarrierBits, 1764u);
        EXPECT_EQ(g.mPostCarrierBits, 221u);
        ASSERT_EQ(g.mDataSize, 1764u + 10 + 221);
        EXPECT_EQ(g.mWavData.substr(44 + 1764, 10), String(10, char(128)));
        // The carriers still sound.
        EXPECT_EQ(g.mWavData.substr(44, 1764), ToneRun(1000, 1764, 44100));
        EXPECT_EQ(g.mWavData.substr(44 + 1774), ToneRun(1000, 221, 44100));
    }
}

TEST(Modulator, EmptyPayloadBuildsNothing) {
    GeneraterClass g;
    g.Constructor("", "", "", 1225, 29400, 7350, 4900);
    EXPECT_EQ(g.mWavData, "");
    EXPECT_EQ(g.mDataSize, 0u);
    EXPECT_EQ(g.mPostCarrierBits, 0u);
    EXPECT_EQ(g.mPreCarrierBits, 0u);
    EXPECT_EQ(g.mSpb, 0u);
    EXPECT_EQ(g.MakeWavData(""), "");
    EXPECT_EQ(g.mSpb, 0u);
    // Limits are only checked for an image that is built.
    GeneraterClass zero;
    EXPECT_NO_THROW(zero.Constructor("", "", "", 0, 0, 0, 0));
}

TEST(Modulator, MakeWavDataRebuildsFromNothing) {
    GeneraterClass g = Build(kDefaultPayload, 1225, 29400, 7350, 4900);
    const String& result = g.MakeWavData("AB");
    EXPECT_EQ(&result, &g.mWavData);
    EXPECT_EQ(g.mData, "AB");
    EXPECT_EQ(g.mWavData, Build("AB", 1225, 29400, 7350, 4900).mWavData);
    const String first = g.mWavData;
    EXPECT_EQ(g.MakeWavData(""), first);
    EXPECT_EQ(g.mData, "AB");
}

TEST(Modulator, ImageEqualsOnePushDataCallPerRun) {
    const struct {
        String payload;
        uint32_t baud, rate, high, low;
    } cases[] = {
        {kDefaultPayload, 1225, 29400, 7350, 4900},
        {String("\x00\xFF\x55\xAA", 4), 600, 29400, 4000, 2666},
        {"same tones", 300, 8000, 1200, 1200},
        {"tones above the rate", 100, 8000, 9000, 123457},
        {"low longer", 45, 1000, 7, 3},
        {"x", 1, 1, 1, 0},
        {"silent carriers", 1225, 29400, 0, 4900},
        {String(3000, 'q'), 2450, 44100, 14700, 7350},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.baud << "/" << c.rate << "/" << c.high << "/" << c.low);
        GeneraterClass g = Build(c.payload, c.baud, c.rate, c.high, c.low);
        ASSERT_EQ(g.mWavData.size(), 44u + g.mDataSize);
        EXPECT_TRUE(g.mWavData == ReferenceImage(g));
    }
}

TEST(Modulator, ImageIsReservedOnce) {
    GeneraterClass g = Build(String(1000, 'z'), 100, 32000, 1600, 800);
    EXPECT_EQ(g.mWavData.capacity(), g.mWavData.size());
}

// Out-of-limit parameters raise before the image is allocated.
TEST(ModulatorLimits, RaiseNamingTheOffendingValue) {
    const struct {
        uint32_t baud, rate;
        size_t payloadBytes;
        const char* message;
    } cases[] = {
        {1225, 0, 1, "sample rate 0 is below 1"},
        {0, 29400, 1, "baud rate 0 is below 1"},
        {0, 0, 1, "sample rate 0 is below 1"},
        // 32-bit arithmetic would wrap this size to exactly 0.
        {1, 65536, 13107, "image of 8589934636 bytes does not fit a WAV file"},
        {1, 4294967295u, 1, "bit time of 4294967295 samples is longer than 2147483647"},
        {2, 4294967295u, 1, "bit time of 2147483648 samples is longer than 2147483647"},
        {3, 4294967295u, 1, "image of 17179869224 bytes does not fit a WAV file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        GeneraterClass g;
        try {
            g.Constructor(String(c.payloadBytes, 'A'), "", "", c.baud, c.rate, 1000, 500);
            ADD_FAILURE() << "no exception";
        } catch (const SignalParameterException& e) {
            EXPECT_EQ(e.Message, c.message);
            EXPECT_STREQ(e.ClassName(), "SignalParameterException");
        }
        EXPECT_EQ(g.mWavData.capacity(), String().capacity());
        EXPECT_EQ(g.mDataSize, 0u);
        EXPECT_EQ(g.mSpb, 0u);
    }
}

TEST(ModulatorLimits, SampleRateZeroInPushDataStaysDefined) {
    GeneraterClass g;
    g.pushData(1000, 4);
    EXPECT_EQ(g.mWavData.size(), 4u);
}

}  // namespace
