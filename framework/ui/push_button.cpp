// PushButton: a QPushButton whose click is the Action event.
#include "framework/ui/push_button.h"

#include <QPushButton>

#include "framework/ui/control.h"
#include "framework/ui/control_tables.h"
#include "framework/ui/exception_boundary.h"
#include "framework/ui/qt_text.h"
#include "framework/ui/rect_control_impl.h"

using namespace classinfo;

const ClassInfo& PushButton::StaticClass() {
    static const ClassInfo info{
        "PushButton", &RectControl::StaticClass(),
        WithFontProperties({SetterProperty("Caption", &PushButton::SetCaption),
                            SetterProperty("Default", &PushButton::SetDefault),
                            Kept("Cancel", PropertyType::Boolean),
                            Kept("ButtonStyle", PropertyType::Int32)})};
    return info;
}

void PushButton::Constructor() {
    RectControl::Constructor();
}

namespace {
// A caption is shown as given: '&' is not a mnemonic marker here.
QString CaptionText(const String& caption) {
    return ToQString(caption).replace('&', QStringLiteral("&&"));
}
}  // namespace

QWidget* PushButton::CreateWidget(QWidget* parent) {
    auto* button = new QPushButton(CaptionText(caption_), parent);
    button->setDefault(default_);
    button->setAutoDefault(false);
    impl_->BridgeEvents(button, button, true);
    QObject::connect(button, &QPushButton::clicked, button, [weak = impl_->self] {
        RuntimeDispatch([&] {
            if (auto self = LockControl<PushButton>(weak)) self->Action.Raise(self);
        });
    });
    return button;
}

String PushButton::Caption() const {
    return caption_;
}
void PushButton::SetCaption(const String& v) {
    caption_ = v;
    if (auto* button = static_cast<QPushButton*>(impl_->widget.data()))
        button->setText(CaptionText(v));
}

bool PushButton::Default() const {
    return default_;
}
void PushButton::SetDefault(bool v) {
    default_ = v;
    if (auto* button = static_cast<QPushButton*>(impl_->widget.data())) button->setDefault(v);
}
