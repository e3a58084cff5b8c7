#include <gtest/gtest.h>

#include <cstdint>

#include "framework/core/exceptions.h"
#include "framework/core/memory_block.h"

namespace {
TEST(MemoryBlock, StoresLeastSignificantByteFirst) {
    MemoryBlock block(8);
    block.SetUInt32Value(0, 0x11223344u);
    block.SetUInt16Value(4, 0xA1B2);
    block.SetUInt16Value(6, 0x00FF);
    EXPECT_EQ(block.StringValue(0, 8), String("\x44\x33\x22\x11\xB2\xA1\xFF\x00", 8));
    EXPECT_EQ(block.UInt32Value(0), 0x11223344u);
    EXPECT_EQ(block.UInt16Value(4), 0xA1B2);
    EXPECT_EQ(block.UInt32Value(4), 0x00FFA1B2u);
    block.SetUInt32Value(4, 0xFFFFFFFFu);
    EXPECT_EQ(block.UInt16Value(6), 0xFFFF);
    EXPECT_EQ(block.Size(), 8u);
}

TEST(MemoryBlock, OutOfRangeRaises) {
    MemoryBlock block(6);
    EXPECT_NO_THROW(block.UInt32Value(2));
    EXPECT_NO_THROW(block.UInt16Value(4));
    EXPECT_EQ(block.StringValue(6, 0), "");
    EXPECT_EQ(block.StringValue(0, 6).size(), 6u);

    const size_t huge = SIZE_MAX;
    EXPECT_THROW(block.UInt32Value(3), OutOfBoundsException);
    EXPECT_THROW(block.SetUInt32Value(3, 1), OutOfBoundsException);
    EXPECT_THROW(block.UInt16Value(5), OutOfBoundsException);
    EXPECT_THROW(block.SetUInt16Value(6, 1), OutOfBoundsException);
    EXPECT_THROW(block.UInt32Value(huge), OutOfBoundsException);
    EXPECT_THROW(block.UInt16Value(huge - 1), OutOfBoundsException);
    EXPECT_THROW(block.StringValue(7, 0), OutOfBoundsException);
    EXPECT_THROW(block.StringValue(1, huge), OutOfBoundsException);  // offset + length wraps
    EXPECT_THROW(MemoryBlock(0).UInt16Value(0), OutOfBoundsException);
}
}  // namespace
