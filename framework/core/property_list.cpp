// Property lists: reading entry by entry, and the builder for constant lists. The standard library
// alone, so the fuzz target builds it from its own sources.
#include "framework/core/property_list.h"

#include <cstdint>
#include <limits>
#include <string>

#include "framework/core/exceptions.h"

namespace {

void PutUInt32(String& out, uint32_t v) {
    out += char(uint8_t(v >> 24));
    out += char(uint8_t(v >> 16));
    out += char(uint8_t(v >> 8));
    out += char(uint8_t(v));
}

String Key(const char* key) {
    String k(key ? key : "");
    return k + ' ';
}

// A key as a message shows it: a runaway "key" (a list without spaces) is cut short.
String Quoted(const String& key) {
    constexpr size_t kShown = 64;
    if (key.size() <= kShown) return "\"" + key + "\"";
    return "\"" + key.substr(0, kShown) + "...\"";
}

const char* TypeName(PropertyType type) {
    switch (type) {
        case PropertyType::Int32:
            return "Int32";
        case PropertyType::Boolean:
            return "Boolean";
        case PropertyType::Color:
            return "Color";
        case PropertyType::String:
            return "String";
    }
    return "?";
}

class Reader {
  public:
    explicit Reader(const PropertyBlob& list) : list_(list) {}

    bool AtEnd() const { return pos_ >= list_.size(); }
    size_t Position() const { return pos_; }
    size_t Left() const { return list_.size() - pos_; }

    // The bytes up to the next space, which is skipped; the space must lie within the list.
    String ReadKey() {
        const size_t start = pos_;
        const size_t space = list_.find(' ', start);
        if (space == String::npos)
            throw RuntimeException("property list: key " + Quoted(list_.substr(start)) +
                                   " at byte " + std::to_string(uint64_t(start)) +
                                   " has no space after it");
        pos_ = space + 1;
        return list_.substr(start, space - start);
    }

    PropertyValue ReadValue(const String& key, PropertyType type) {
        switch (type) {
            case PropertyType::Int32: {
                Need(key, type, 4);
                return int32_t(ReadUInt32());
            }
            case PropertyType::Boolean: {
                Need(key, type, 1);
                const uint8_t b = Byte(pos_);
                // Only 00 and 01 are Booleans: any other byte means the list is damaged.
                if (b > 1)
                    throw RuntimeException("property list: Boolean value " +
                                           std::to_string(uint32_t(b)) + " of key " + Quoted(key) +
                                           " at byte " + std::to_string(uint64_t(pos_)) +
                                           " is neither 0 nor 1");
                ++pos_;
                return b == 1;
            }
            case PropertyType::Color: {
                Need(key, type, 3);
                Color c{Byte(pos_), Byte(pos_ + 1), Byte(pos_ + 2)};
                pos_ += 3;
                return c;
            }
            case PropertyType::String: {
                Need(key, type, 4);
                const size_t lengthAt = pos_;
                const uint32_t length = ReadUInt32();
                // Compared with what is left, never added to a position: no overflow.
                if (length > Left())
                    throw RuntimeException(
                        "property list: String length " + std::to_string(length) + " of key " +
                        Quoted(key) + " at byte " + std::to_string(uint64_t(lengthAt)) +
                        " runs past the end (" + std::to_string(uint64_t(Left())) + " bytes left)");
                String s = list_.substr(pos_, length);
                pos_ += length;
                return s;
            }
        }
        throw RuntimeException("property list: key " + Quoted(key) + " has an unknown type");
    }

  private:
    void Need(const String& key, PropertyType type, size_t bytes) const {
        if (Left() < bytes)
            throw RuntimeException("property list: the " + String(TypeName(type)) +
                                   " value of key " + Quoted(key) + " at byte " +
                                   std::to_string(uint64_t(pos_)) + " is cut short (" +
                                   std::to_string(uint64_t(bytes)) + " bytes needed, " +
                                   std::to_string(uint64_t(Left())) + " left)");
    }
    uint8_t Byte(size_t at) const { return uint8_t(list_[at]); }
    uint32_t ReadUInt32() {
        const uint32_t v = uint32_t(Byte(pos_)) << 24 | uint32_t(Byte(pos_ + 1)) << 16 |
                           uint32_t(Byte(pos_ + 2)) << 8 | uint32_t(Byte(pos_ + 3));
        pos_ += 4;
        return v;
    }

    const PropertyBlob& list_;
    size_t pos_ = 0;
};

}  // namespace

namespace prop {

String Int32Entry(const char* key, int32_t value) {
    String out = Key(key);
    PutUInt32(out, uint32_t(value));  // two's complement
    return out;
}

String BooleanEntry(const char* key, bool value) {
    return Key(key) + char(value ? 1 : 0);
}

String ColorEntry(const char* key, Color value) {
    String out = Key(key);
    out += char(value.Red);
    out += char(value.Green);
    out += char(value.Blue);
    return out;
}

String StringEntry(const char* key, const String& value) {
    if (value.size() > std::numeric_limits<uint32_t>::max())
        throw OutOfBoundsException("property list: a String value longer than 4 GiB");
    String out = Key(key);
    PutUInt32(out, uint32_t(value.size()));
    return out + value;
}

}  // namespace prop

PropertyBlob Blob(std::initializer_list<String> entries) {
    PropertyBlob list;
    for (const String& entry : entries) list += entry;
    return list;
}

void ParsePropertyList(const PropertyBlob& list, const PropertyLookup& lookup,
                       const PropertyApply& apply) {
    Reader reader(list);
    while (!reader.AtEnd()) {
        const size_t keyAt = reader.Position();
        const String key = reader.ReadKey();
        const PropertyInfo* property = lookup ? lookup(key) : nullptr;
        // The value's length follows from the property's type: an unknown key cannot be skipped.
        if (!property)
            throw RuntimeException("unknown property key " + Quoted(key) + " at byte " +
                                   std::to_string(uint64_t(keyAt)));
        const PropertyValue value = reader.ReadValue(key, property->type);
        if (apply) apply(*property, value);
    }
}

void SetProperties(Object& object, const PropertyBlob& list) {
    const ClassInfo& info = object.Class();
    ParsePropertyList(
        list, [&info](const String& key) { return info.FindProperty(key); },
        [&object](const PropertyInfo& property, const PropertyValue& value) {
            if (!property.set)
                throw RuntimeException("property \"" + property.name + "\" cannot be set");
            property.set(object, value);
        });
}
