// The counts of an image at the edges of what a WAV file can state.
#include <gtest/gtest.h>

#include <cstdint>

#include "signal/generator.h"
#include "signal/image_counts.h"

namespace {

TEST(ImageCounts, LargestImagesThatFitAreCounted) {
    // One sample per bit: 2 carrier bits + 10 per byte, up to 2^32 - 37 samples.
    const ImageCounts c = CountImage(1, 1, 10, 429496725);
    EXPECT_EQ(c.dataSize, 4294967252u);
    const ImageCounts top = CountImage(4294967295u, 4294967295u, 10, 1);
    EXPECT_EQ(top.spb, 1u);
    EXPECT_EQ(top.preCarrierBits, 171798692u);
    EXPECT_EQ(top.postCarrierBits, 21474837u);
    EXPECT_EQ(top.dataSize, 171798692u + 21474837u + 10u);
    try {
        CountImage(1, 1, 10, 429496726);
        ADD_FAILURE() << "one byte more still counted";
    } catch (const SignalParameterException& e) {
        EXPECT_EQ(e.Message, "image of 4294967306 bytes does not fit a WAV file");
    }
    EXPECT_THROW(CountImage(1, 1, 10, uint64_t(1) << 62), SignalParameterException);
    EXPECT_THROW(CountImage(1, 1, 4294967295u, uint64_t(1) << 40), SignalParameterException);
}

}  // namespace
