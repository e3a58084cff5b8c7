// Qt input on a control's widget handed to the control's handlers.
#include "framework/ui/control_event_bridge.h"

#include <QEvent>
#include <QMouseEvent>

#include "framework/ui/exception_boundary.h"

ControlEventBridge::ControlEventBridge(Handlers handlers, QWidget* controlWidget, bool raisePress,
                                       QObject* parent, Hover hover)
    : QObject(parent),
      handlers_(std::move(handlers)),
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
    if (type == QEvent::Enter) {
        RuntimeDispatch([&] { handlers_.enter(); });
        return false;
    }
    if (type == QEvent::Leave) {
        RuntimeDispatch([&] { handlers_.exit(); });
        return false;
    }
    if (!raisePress_) return false;
    // The position within the control, also when the press lands on a child (a combo's editor).
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint at = mouse->position().toPoint();
    if (auto* child = qobject_cast<QWidget*>(watched);
        child && controlWidget_ && child != controlWidget_)
        at = child->mapTo(controlWidget_, at);
    return RuntimeDispatchResult<bool>([&] { return handlers_.press(at.x(), at.y()); }, false);
}
