#pragma once
// The bridge from the Qt input events of a control's widget to the control's events.
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

// Turns the Qt input events of a control's widget into calls of the control's handlers, each
// through the exception boundary: the pointer entering, leaving, and a press. A part of a control
// (a combo's editor) raises presses only: Qt already tells the control's own widget when the
// pointer crosses its outline, and the part's own crossings lie inside it.
class ControlEventBridge : public QObject {
  public:
    enum class Hover { Raise, Ignore };
    // `press` gets the position within the control's widget and answers True when it handled the
    // press, which then stops there.
    struct Handlers {
        std::function<void()> enter, exit;
        std::function<bool(int x, int y)> press;
    };
    ControlEventBridge(Handlers handlers, QWidget* controlWidget, bool raisePress, QObject* parent,
                       Hover hover = Hover::Raise);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Handlers handlers_;
    QPointer<QWidget> controlWidget_;
    bool raisePress_;
    Hover hover_;
};
