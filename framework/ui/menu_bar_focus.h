#pragma once
// Where the keys go back to from a window's menu bar.
#include <QObject>
#include <QPointer>
#include <QWidget>

class QMenu;
class QMenuBar;

// Remembers the widget of the bar's window that last had the focus: the field the Edit items work
// on, even while the bar holds the focus because it is worked from the keyboard (Alt). Qt leaves
// that focus on the bar, drawn as nothing, after Escape from a menu, and keeps it there through a
// click on a label or the background; in both cases it goes back to the remembered widget.
// Only giving the focus back sets Qt going, and it dispatches through the runtime; the bookkeeping
// around it keeps pointers alone and calls nothing that can raise.
class MenuBarFocus : public QObject {
  public:
    explicit MenuBarFocus(QMenuBar& bar);

    // The remembered widget while it is shown and enabled; nullptr if none.
    QWidget* Field() const;
    // Once `menu` has closed and no other menu took its place, the keys go back.
    void Watch(QMenu& menu);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FocusMoved(QWidget* now);
    void WatchClicks(bool on);
    bool BarHoldsFocus() const;
    void GiveBack();

    QMenuBar& bar_;  // the parent
    QPointer<QWidget> field_;
    bool watchingClicks_ = false;
};
