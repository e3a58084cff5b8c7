#pragma once
// Property lists: the serialised description of a window or control. An entry is a key, one
// space, and the value in the type of the property the key names (Int32 4 bytes big-endian,
// Boolean 1, Color 3, String a 4-byte big-endian length and the bytes). No header, no separator.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "framework/core/object.h"
#include "framework/core/text.h"

using PropertyBlob = String;

// Builder for constant lists, one entry per line:
// Blob({prop::Int32Entry("Width", 519), prop::StringEntry("Title", "x")}).
namespace prop {
String Int32Entry(const char* key, int32_t value);
String BooleanEntry(const char* key, bool value);
String ColorEntry(const char* key, Color value);
String StringEntry(const char* key, const String& value);
}  // namespace prop
PropertyBlob Blob(std::initializer_list<String> entries);

// Walks a list entry by entry: `lookup` gives the property a key names (nullptr: unknown key),
// `apply` receives each decoded value. A malformed list or an unknown key raises
// RuntimeException naming the key and the byte offset; nothing is read past the list's end.
using PropertyLookup = std::function<const PropertyInfo*(const String& key)>;
using PropertyApply = std::function<void(const PropertyInfo& property, const PropertyValue& value)>;
void ParsePropertyList(const PropertyBlob& list, const PropertyLookup& lookup,
                       const PropertyApply& apply);

// Applies the list to the object through its class's property table (letter case ignored).
void SetProperties(Object& object, const PropertyBlob& list);
