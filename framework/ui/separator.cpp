// Separator: a line across the longer side of its rectangle.
#include "framework/ui/separator.h"

#include <QFrame>

#include "framework/ui/rect_control_impl.h"

const ClassInfo& Separator::StaticClass() {
    static const ClassInfo info{"Separator", &RectControl::StaticClass()};
    return info;
}

void Separator::Constructor() {
    RectControl::Constructor();
}

QWidget* Separator::CreateWidget(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShadow(QFrame::Sunken);
    impl_->BridgeEvents(line, line, true);
    return line;
}

void Separator::GeometryChanged() {
    if (auto* line = static_cast<QFrame*>(impl_->widget.data()))
        line->setFrameShape(Width() > Height() ? QFrame::HLine : QFrame::VLine);
}
