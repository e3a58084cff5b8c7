#pragma once
// Class-table builders for the controls, beside SetterProperty.
#include <vector>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/rect_control.h"

namespace classinfo {
// `own`, then the font keys (TextFont, Bold, Italic, Underline) of the classes that show text.
std::vector<PropertyInfo> WithFontProperties(std::vector<PropertyInfo> own);
// A property kept as it is set, with no effect on screen.
inline PropertyInfo Kept(const char* name, PropertyType type) {
    return {name, type, [key = String(name)](Object& o, const PropertyValue& v) {
                static_cast<RectControl&>(o).StoreProperty(key, v);
            }};
}
}  // namespace classinfo
