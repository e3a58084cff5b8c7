// Separator: a line across the longer side of its rectangle.
#include <QFrame>

#include "framework/ui/control_support.h"

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
    line->installEventFilter(new ControlEventBridge(impl_->self, line, true, line));
    return line;
}

void Separator::GeometryChanged() {
    if (auto* line = static_cast<QFrame*>(impl_->widget.data()))
        line->setFrameShape(Width() > Height() ? QFrame::HLine : QFrame::VLine);
}
