#include "framework/core/memory_block.h"

#include "framework/core/exceptions.h"

void MemoryBlock::Check(size_t offset, size_t length) const {
    // Written so that offset + length cannot overflow.
    if (offset > bytes_.size() || length > bytes_.size() - offset)
        throw OutOfBoundsException("offset " + std::to_string(offset) + " length " +
                                   std::to_string(length) + " is outside a block of " +
                                   std::to_string(bytes_.size()) + " bytes");
}

uint16_t MemoryBlock::UInt16Value(size_t offset) const {
    Check(offset, 2);
    auto b = [&](size_t k) {
        return static_cast<uint16_t>(static_cast<unsigned char>(bytes_[offset + k]));
    };
    return static_cast<uint16_t>(b(0) | b(1) << 8);
}

void MemoryBlock::SetUInt16Value(size_t offset, uint16_t value) {
    Check(offset, 2);
    bytes_[offset] = static_cast<char>(value & 0xFF);
    bytes_[offset + 1] = static_cast<char>(value >> 8);
}

uint32_t MemoryBlock::UInt32Value(size_t offset) const {
    Check(offset, 4);
    uint32_t v = 0;
    for (size_t k = 4; k-- > 0;) v = v << 8 | static_cast<unsigned char>(bytes_[offset + k]);
    return v;
}

void MemoryBlock::SetUInt32Value(size_t offset, uint32_t value) {
    Check(offset, 4);
    for (size_t k = 0; k < 4; ++k) bytes_[offset + k] = static_cast<char>(value >> (8 * k) & 0xFF);
}

String MemoryBlock::StringValue(size_t offset, size_t length) const {
    Check(offset, length);
    return bytes_.substr(offset, length);
}
