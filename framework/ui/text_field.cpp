// TextEdit and TextField: a one-line text field on a QLineEdit.
#include "framework/ui/text_field.h"

#include <QLineEdit>
#include <QSignalBlocker>

#include <limits>

#include "framework/ui/control.h"
#include "framework/ui/control_tables.h"
#include "framework/ui/exception_boundary.h"
#include "framework/ui/qt_text.h"
#include "framework/ui/rect_control_impl.h"

using namespace classinfo;

const ClassInfo& TextEdit::StaticClass() {
    static const ClassInfo info{
        "TextEdit", &RectControl::StaticClass(),
        WithFontProperties(
            {SetterProperty("Text", &TextEdit::SetText),
             SetterProperty("TextColor", &TextEdit::SetTextColor),
             SetterProperty("BackColor", &TextEdit::SetBackColor),
             SetterProperty("ReadOnly", &TextEdit::SetReadOnly),
             SetterProperty("LimitText", &TextEdit::SetLimitText),
             SetterProperty("Alignment", &TextEdit::SetAlignment),
             SetterProperty("Border", &TextEdit::SetBorder),
             Kept("UseFocusRing", PropertyType::Boolean), Kept("Format", PropertyType::String),
             Kept("Mask", PropertyType::String), Kept("AcceptTabs", PropertyType::Boolean),
             Kept("AutomaticallyCheckSpelling", PropertyType::Boolean),
             Kept("DataSource", PropertyType::String), Kept("DataField", PropertyType::String)})};
    return info;
}

const ClassInfo& TextField::StaticClass() {
    static const ClassInfo info{"TextField",
                                &TextEdit::StaticClass(),
                                {SetterProperty("Password", &TextEdit::SetPassword),
                                 SetterProperty("CueText", &TextEdit::SetCueText)}};
    return info;
}

void TextField::Constructor() {
    RectControl::Constructor();
}

namespace {
QLineEdit* LineEditOf(const QPointer<QWidget>& widget) {
    return static_cast<QLineEdit*>(widget.data());
}

// No limit is the largest Qt takes: its own default, 32767, would cut longer texts short.
int MaxLength(int32_t limitText) {
    return limitText > 0 ? int(limitText) : std::numeric_limits<int>::max();
}

Qt::Alignment FieldAlignment(int32_t alignment) {
    switch (alignment) {
        case 2:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case 3:
            return Qt::AlignRight | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}
}  // namespace

QWidget* TextEdit::CreateWidget(QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    impl_->BridgeEvents(edit, edit, true);
    edit->setText(ToQString(text_));
    edit->setEchoMode(password_ ? QLineEdit::Password : QLineEdit::Normal);
    edit->setReadOnly(readOnly_);
    edit->setMaxLength(MaxLength(limitText_));
    edit->setPlaceholderText(ToQString(cueText_));
    edit->setAlignment(FieldAlignment(alignment_));
    edit->setFrame(border_);
    // Typed or set by code, every change of the text is a TextChange.
    QObject::connect(edit, &QLineEdit::textChanged, edit, [weak = impl_->self] {
        RuntimeDispatch([&] {
            if (auto self = LockControl<TextEdit>(weak)) self->TextChange.Raise(self);
        });
    });
    impl_->widget = edit;
    ApplyPalette();
    return edit;
}

String TextEdit::Text() const {
    QLineEdit* edit = LineEditOf(impl_->widget);
    if (!edit) return text_;
    const QString shown = edit->text();
    return shown == ToQString(text_) ? text_ : FromQString(shown);
}

void TextEdit::SetText(const String& v) {
    text_ = v;
    if (QLineEdit* edit = LineEditOf(impl_->widget)) edit->setText(ToQString(v));
}

Color TextEdit::TextColor() const {
    return textColor_;
}
void TextEdit::SetTextColor(Color v) {
    textColor_ = v;
    colorsSet_ = true;
    ApplyPalette();
}
Color TextEdit::BackColor() const {
    return backColor_;
}
void TextEdit::SetBackColor(Color v) {
    backColor_ = v;
    colorsSet_ = true;
    ApplyPalette();
}

void TextEdit::ApplyPalette() {
    QWidget* widget = impl_->widget.data();
    if (!widget || !colorsSet_) return;
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, QColor(textColor_.Red, textColor_.Green, textColor_.Blue));
    palette.setColor(QPalette::Base, QColor(backColor_.Red, backColor_.Green, backColor_.Blue));
    widget->setPalette(palette);
}

bool TextEdit::Password() const {
    return password_;
}
void TextEdit::SetPassword(bool v) {
    password_ = v;
    if (QLineEdit* edit = LineEditOf(impl_->widget))
        edit->setEchoMode(v ? QLineEdit::Password : QLineEdit::Normal);
}
bool TextEdit::ReadOnly() const {
    return readOnly_;
}
void TextEdit::SetReadOnly(bool v) {
    readOnly_ = v;
    if (QLineEdit* edit = LineEditOf(impl_->widget)) edit->setReadOnly(v);
}
int32_t TextEdit::LimitText() const {
    return limitText_;
}
void TextEdit::SetLimitText(int32_t v) {
    limitText_ = v;
    if (QLineEdit* edit = LineEditOf(impl_->widget)) edit->setMaxLength(MaxLength(v));
}
String TextEdit::CueText() const {
    return cueText_;
}
void TextEdit::SetCueText(const String& v) {
    cueText_ = v;
    if (QLineEdit* edit = LineEditOf(impl_->widget)) edit->setPlaceholderText(ToQString(v));
}
int32_t TextEdit::Alignment() const {
    return alignment_;
}
void TextEdit::SetAlignment(int32_t v) {
    alignment_ = v;
    if (QLineEdit* edit = LineEditOf(impl_->widget)) edit->setAlignment(FieldAlignment(v));
}
bool TextEdit::Border() const {
    return border_;
}
void TextEdit::SetBorder(bool v) {
    border_ = v;
    if (QLineEdit* edit = LineEditOf(impl_->widget)) edit->setFrame(v);
}
