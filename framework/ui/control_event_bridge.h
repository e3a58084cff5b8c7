#pragma once
// The bridge from the Qt input events of a control's widget to the control's events.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

#include "framework/core/object.h"

// Turns the Qt input events of a control's widget into the control's MouseEnter, MouseExit and
// MouseDown. Holds the control weakly: once the control has gone the events pass on untouched.
// A part of a control (a combo's editor) raises presses only: Qt already tells the control's own
// widget when the pointer crosses its outline, and the part's own crossings lie inside it.
class ControlEventBridge : public QObject {
  public:
    enum class Hover { Raise, Ignore };
    ControlEventBridge(std::weak_ptr<Object> control, QWidget* controlWidget, bool raisePress,
                       QObject* parent, Hover hover = Hover::Raise);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::weak_ptr<Object> control_;
    QPointer<QWidget> controlWidget_;
    bool raisePress_;
    Hover hover_;
};
