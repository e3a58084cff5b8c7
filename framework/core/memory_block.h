#pragma once
// A fixed-size byte buffer; integer stores are least significant byte first on every host.
#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/core/text.h"

class MemoryBlock {
  public:
    explicit MemoryBlock(size_t size) : bytes_(size, '\0') {}
    size_t Size() const { return bytes_.size(); }

    // Out-of-range offsets raise OutOfBoundsException.
    uint16_t UInt16Value(size_t offset) const;
    void SetUInt16Value(size_t offset, uint16_t value);
    uint32_t UInt32Value(size_t offset) const;
    void SetUInt32Value(size_t offset, uint32_t value);
    String StringValue(size_t offset, size_t length) const;

  private:
    void Check(size_t offset, size_t length) const;
    String bytes_;
};
