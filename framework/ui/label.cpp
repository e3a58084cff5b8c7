// Label: a QLabel with its own colour, alignment and font.
#include "framework/ui/label.h"

#include <QLabel>

#include "framework/ui/control_tables.h"
#include "framework/ui/qt_text.h"
#include "framework/ui/rect_control_impl.h"

using namespace classinfo;

const ClassInfo& Label::StaticClass() {
    static const ClassInfo info{
        "Label", &RectControl::StaticClass(),
        WithFontProperties({SetterProperty("Text", &Label::SetText),
                            SetterProperty("TextAlign", &Label::SetTextAlign),
                            SetterProperty("TextColor", &Label::SetTextColor),
                            SetterProperty("MultiLine", &Label::SetMultiLine),
                            SetterProperty("Selectable", &Label::SetSelectable),
                            Kept("Transparent", PropertyType::Boolean),
                            Kept("DataSource", PropertyType::String),
                            Kept("DataField", PropertyType::String)})};
    return info;
}

void Label::Constructor() {
    RectControl::Constructor();
}

QWidget* Label::CreateWidget(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    impl_->BridgeEvents(label, label, true);
    impl_->widget = label;
    ApplyLook();
    return label;
}

void Label::ApplyLook() {
    auto* label = static_cast<QLabel*>(impl_->widget.data());
    if (!label) return;
    label->setText(ToQString(text_));
    Qt::Alignment horizontal = textAlign_ == 1   ? Qt::AlignHCenter
                               : textAlign_ == 2 ? Qt::AlignRight
                                                 : Qt::AlignLeft;
    label->setAlignment(horizontal | (multiLine_ ? Qt::AlignTop : Qt::AlignVCenter));
    label->setWordWrap(multiLine_);
    label->setTextInteractionFlags(selectable_ ? Qt::TextSelectableByMouse : Qt::NoTextInteraction);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText,
                     QColor(textColor_.Red, textColor_.Green, textColor_.Blue));
    label->setPalette(palette);
}

String Label::Text() const {
    return text_;
}
void Label::SetText(const String& v) {
    text_ = v;
    ApplyLook();
}
Color Label::TextColor() const {
    return textColor_;
}
void Label::SetTextColor(Color v) {
    textColor_ = v;
    ApplyLook();
}
int32_t Label::TextAlign() const {
    return textAlign_;
}
void Label::SetTextAlign(int32_t v) {
    textAlign_ = v;
    ApplyLook();
}
bool Label::MultiLine() const {
    return multiLine_;
}
void Label::SetMultiLine(bool v) {
    multiLine_ = v;
    ApplyLook();
}
bool Label::Selectable() const {
    return selectable_;
}
void Label::SetSelectable(bool v) {
    selectable_ = v;
    ApplyLook();
}
