#pragma once
// The root of the framework's classes, and the class descriptions the runtime registers:
// full name, base class and writable properties (walked by SetProperties).
#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <variant>
#include <vector>

#include "framework/core/text.h"

struct Color {
    uint8_t Red = 0, Green = 0, Blue = 0;
    // From &hRRGGBB.
    static constexpr Color FromRGB(uint32_t rgb) {
        return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
    }
    friend bool operator==(const Color&, const Color&) = default;
};

enum class PropertyType { Int32, Boolean, Color, String };
using PropertyValue = std::variant<int32_t, bool, Color, String>;

class Object;

struct PropertyInfo {
    String name;
    PropertyType type;
    // Sets the property as an assignment in code would. `value` holds the alternative of `type`.
    std::function<void(Object&, const PropertyValue&)> set;
};

struct ClassInfo {
    String fullName;
    const ClassInfo* base = nullptr;
    std::vector<PropertyInfo> properties = {};

    // The property of that name in this class or its bases, letter case ignored; nullptr if none.
    const PropertyInfo* FindProperty(const String& name) const;
    // True when this class is `other` or derives from it.
    bool IsA(const ClassInfo& other) const;
};

// A property set through a setter of class C; the setter's parameter gives the property's type.
template <class C, class T>
PropertyInfo SetterProperty(const char* name, void (C::*set)(T)) {
    using V = std::decay_t<T>;
    constexpr PropertyType type = std::is_same_v<V, int32_t> ? PropertyType::Int32
                                  : std::is_same_v<V, bool>  ? PropertyType::Boolean
                                  : std::is_same_v<V, Color> ? PropertyType::Color
                                                             : PropertyType::String;
    static_assert(std::is_same_v<V, int32_t> || std::is_same_v<V, bool> ||
                      std::is_same_v<V, Color> || std::is_same_v<V, String>,
                  "a listed property is an Int32, Boolean, Color or String");
    return {name, type, [set](Object& o, const PropertyValue& v) {
                (static_cast<C&>(o).*set)(std::get<V>(v));
            }};
}

class Object : public std::enable_shared_from_this<Object> {
  public:
    virtual ~Object() = default;
    static const ClassInfo& StaticClass();
    virtual const ClassInfo& Class() const { return StaticClass(); }
};

// For a class body: declares StaticClass() and overrides Class(); define StaticClass() in the .cpp.
#define TW_CLASS_INFO                         \
  public:                                     \
    static const ClassInfo& StaticClass();    \
    const ClassInfo& Class() const override { \
        return StaticClass();                 \
    }
