// Feeds arbitrary bytes to the property-list reader. It must either raise RuntimeException or
// account for every byte: a list it accepts is exactly what the builder makes of the entries it
// read. AddressSanitizer watches that nothing is read outside the list.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/core/property_list.h"

namespace {

const ClassInfo& FuzzClass() {
    static const auto ignore = [](Object&, const PropertyValue&) {};
    static const ClassInfo info{"FuzzTarget",
                                nullptr,
                                {{"Width", PropertyType::Int32, ignore},
                                 {"Visible", PropertyType::Boolean, ignore},
                                 {"BackColor", PropertyType::Color, ignore},
                                 {"Title", PropertyType::String, ignore},
                                 {"CueText", PropertyType::String, ignore},
                                 {"Text", PropertyType::String, ignore}}};
    return info;
}

String Rebuilt(const String& key, const PropertyValue& value) {
    if (auto* v = std::get_if<int32_t>(&value)) return prop::Int32Entry(key.c_str(), *v);
    if (auto* v = std::get_if<bool>(&value)) return prop::BooleanEntry(key.c_str(), *v);
    if (auto* v = std::get_if<Color>(&value)) return prop::ColorEntry(key.c_str(), *v);
    return prop::StringEntry(key.c_str(), std::get<String>(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const PropertyBlob list(reinterpret_cast<const char*>(data), size);
    String key;
    String rebuilt;
    try {
        ParsePropertyList(
            list,
            [&key](const String& k) {
                key = k;
                return FuzzClass().FindProperty(k);
            },
            [&](const PropertyInfo&, const PropertyValue& value) {
                rebuilt += Rebuilt(key, value);
            });
    } catch (const RuntimeException&) {
        return 0;  // a malformed list: the one acceptable failure
    }
    if (rebuilt != list) __builtin_trap();
    return 0;
}
