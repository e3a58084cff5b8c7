// Qt input on a control's widget raised as the control's MouseEnter, MouseExit and MouseDown.
#include "framework/ui/control_event_bridge.h"

#include <QEvent>
#include <QMouseEvent>

#include "framework/ui/control_support.h"

ControlEventBridge::ControlEventBridge(std::weak_ptr<Object> control, QWidget* controlWidget,
                                       bool raisePress, QObject* parent, Hover hover)
    : QObject(parent),
      control_(std::move(control)),
      controlWidget_(controlWidget),
      raisePress_(raisePress),
      hover_(hover) {}

bool ControlEventBridge::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool hover = type == QEvent::Enter || type == QEvent::Leave;
    // Qt delivers the second press of a double click as MouseButtonDblClick: a press all the same.
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if ((!hover && !press) || (hover && hover_ == Hover::Ignore))
        return QObject::eventFilter(watched, event);
    auto control = LockControl<RectControl>(control_);
    if (!control) return false;
    if (type == QEvent::Enter) {
        RuntimeDispatch([&] { control->MouseEnter.Raise(control); });
        return false;
    }
    if (type == QEvent::Leave) {
        RuntimeDispatch([&] { control->MouseExit.Raise(control); });
        return false;
    }
    if (!raisePress_) return false;
    // The position within the control, also when the press lands on a child (a combo's editor).
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint at = mouse->position().toPoint();
    if (auto* child = qobject_cast<QWidget*>(watched);
        child && controlWidget_ && child != controlWidget_)
        at = child->mapTo(controlWidget_, at);
    return RuntimeDispatchResult<bool>(
        [&] { return control->MouseDown.Raise(control, at.x(), at.y()); }, false);
}
