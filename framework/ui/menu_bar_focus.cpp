// The widget a window's menu bar gives the keys back to.
#include "framework/ui/menu_bar_focus.h"

#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>

#include "framework/ui/exception_boundary.h"

MenuBarFocus::MenuBarFocus(QMenuBar& bar) : QObject(&bar), bar_(bar) {
    if (QWidget* current = bar.window()->focusWidget(); current && current != &bar)
        field_ = current;
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

QWidget* MenuBarFocus::Field() const {
    QWidget* field = field_.data();
    return field && field->isVisible() && field->isEnabled() ? field : nullptr;
}

void MenuBarFocus::Watch(QMenu& menu) {
    // Escape re-enters the bar's keyboard mode after the menu has hidden: look once that is done.
    connect(&menu, &QMenu::aboutToHide, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!QApplication::activePopupWidget() && BarHoldsFocus()) GiveBack();
            },
            Qt::QueuedConnection);
    });
}

void MenuBarFocus::FocusMoved(QWidget* now) {
    QWidget* window = bar_.window();
    const bool toBar = now && (now == &bar_ || bar_.isAncestorOf(now));
    WatchClicks(toBar);
    if (toBar) return;
    if (now && now->window() == window)
        field_ = now;
    else if (!now && QApplication::activeWindow() == window)
        field_ = nullptr;  // taken from every widget while the window stays active
}

// Watched only while the bar holds the focus: a click anywhere in the application passes here.
void MenuBarFocus::WatchClicks(bool on) {
    if (on == watchingClicks_) return;
    watchingClicks_ = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}

bool MenuBarFocus::BarHoldsFocus() const {
    QWidget* focus = QApplication::focusWidget();
    return focus && (focus == &bar_ || bar_.isAncestorOf(focus));
}

// A press on a widget that takes no focus left the focus on the bar; one that takes it has
// already moved it by now.
bool MenuBarFocus::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != bar_.window() || widget == &bar_ ||
        bar_.isAncestorOf(widget))
        return false;
    if (BarHoldsFocus()) GiveBack();
    return false;
}

void MenuBarFocus::GiveBack() {
    RuntimeDispatch([&] {
        // Moving the focus off the bar also ends its keyboard mode.
        if (QWidget* field = Field())
            field->setFocus(Qt::MenuBarFocusReason);
        else
            bar_.clearFocus();
    });
}
