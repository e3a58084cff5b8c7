// Class-table builders for the controls.
#include "framework/ui/control_tables.h"

std::vector<PropertyInfo> classinfo::WithFontProperties(std::vector<PropertyInfo> own) {
    for (auto font : {SetterProperty("TextFont", &RectControl::SetTextFont),
                      SetterProperty("Bold", &RectControl::SetBold),
                      SetterProperty("Italic", &RectControl::SetItalic),
                      SetterProperty("Underline", &RectControl::SetUnderline)})
        own.push_back(std::move(font));
    return own;
}
