// The font of a control's text: family, size in its unit, and style.
#include <QApplication>
#include <QFont>

#include <algorithm>

#include "framework/ui/qt_text.h"
#include "framework/ui/rect_control_impl.h"

void RectControl::Impl::ApplyFont() {
    if (!widget) return;
    QFont font = QApplication::font();
    const String family = Lowercase(textFont);
    if (!family.empty() && family != "system" && family != "smallsystem")
        font.setFamily(ToQString(textFont));
    if (textSize > 0) {
        switch (textUnit) {
            // The default unit is the layout's own: controls are placed in pixels with text sizes
            // counted at 72 per inch, so one unit is one pixel and the text fits its control.
            case FontUnits::Default:
            case FontUnits::Pixel:
                font.setPixelSize(std::max(1, int(textSize + 0.5f)));
                break;
            case FontUnits::Point:
                font.setPointSizeF(textSize);
                break;
            case FontUnits::Inch:
                font.setPointSizeF(textSize * 72.0);
                break;
            case FontUnits::Millimeter:
                font.setPointSizeF(textSize * 72.0 / 25.4);
                break;
        }
    }
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    widget->setFont(font);
}

float RectControl::TextSize() const {
    return impl_->textSize;
}
void RectControl::SetTextSize(float v) {
    impl_->textSize = v;
    impl_->ApplyFont();
}
FontUnits RectControl::TextUnit() const {
    return impl_->textUnit;
}
void RectControl::SetTextUnit(FontUnits v) {
    impl_->textUnit = v;
    impl_->ApplyFont();
}
String RectControl::TextFont() const {
    return impl_->textFont;
}
void RectControl::SetTextFont(const String& v) {
    impl_->textFont = v;
    impl_->ApplyFont();
}
bool RectControl::Bold() const {
    return impl_->bold;
}
void RectControl::SetBold(bool v) {
    impl_->bold = v;
    impl_->ApplyFont();
}
bool RectControl::Italic() const {
    return impl_->italic;
}
void RectControl::SetItalic(bool v) {
    impl_->italic = v;
    impl_->ApplyFont();
}
bool RectControl::Underline() const {
    return impl_->underline;
}
void RectControl::SetUnderline(bool v) {
    impl_->underline = v;
    impl_->ApplyFont();
}
