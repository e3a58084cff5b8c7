// A window's menu bar on screen: the item tree as a QMenuBar of QMenus and QActions.
#include "framework/ui/native_menu_bar.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include <vector>

#include "framework/ui/application.h"
#include "framework/ui/edit_commands.h"
#include "framework/ui/event_loop.h"
#include "framework/ui/exception_boundary.h"
#include "framework/ui/menu.h"
#include "framework/ui/menu_bar_focus.h"
#include "framework/ui/qt_text.h"

namespace {

// The field the Edit items work on: the one that had the focus before the menus took it.
QLineEdit* EditTarget(const QPointer<MenuBarFocus>& focus) {
    return focus ? LineEditOf(focus->Field()) : nullptr;
}

void Choose(const std::weak_ptr<MenuItem>& weak, EditCommand command,
            const QPointer<MenuBarFocus>& focus) {
    std::shared_ptr<MenuItem> item = weak.lock();
    if (!item) return;
    if (dynamic_cast<QuitMenuItem*>(item.get())) {
        if (std::shared_ptr<Application> app = RuntimeAppObject())
            app->Quit();
        else
            RuntimeRequestQuit();
        return;
    }
    if (command != EditCommand::None) {
        QLineEdit* edit = EditTarget(focus);
        if (EditCommandApplies(command, edit)) PerformEditCommand(command, edit);
        return;
    }
    item->Action.Raise(item);
}

struct Entry {
    QPointer<QAction> action;
    std::weak_ptr<MenuItem> item;
    EditCommand command;
};
using Entries = std::vector<Entry>;

// Shown menus tell what applies now. Hidden, the edit items stay enabled so that their keys
// keep reaching the field (Qt drops the shortcut of a disabled action).
void ShowEnablement(const Entries& entries, const QPointer<MenuBarFocus>& focus) {
    QLineEdit* edit = EditTarget(focus);
    for (const Entry& e : entries) {
        auto item = e.item.lock();
        if (!e.action || !item) continue;
        bool enabled = item->Enabled();
        if (item->AutoEnable() && e.command != EditCommand::None)
            enabled = enabled && EditCommandApplies(e.command, edit);
        e.action->setEnabled(enabled);
    }
}

void RestoreEnablement(const Entries& entries) {
    for (const Entry& e : entries)
        if (auto item = e.item.lock(); e.action && item) e.action->setEnabled(item->Enabled());
}

QAction* AddAction(QWidget& container, const std::shared_ptr<MenuItem>& item, Entries& entries,
                   MenuBarFocus& focus) {
    auto* action = new QAction(ToQString(item->Text()), &container);
    if (item->HasKeyboardShortcut() && !item->KeyboardShortcut().empty())
        action->setShortcut(QKeySequence(ToQString(NativeShortcutText(item->KeyboardShortcut()))));
    action->setEnabled(item->Enabled());
    if (dynamic_cast<QuitMenuItem*>(item.get())) action->setMenuRole(QAction::QuitRole);
    EditCommand command = EditCommandOf(*item);
    std::weak_ptr<MenuItem> weak = item;
    QObject::connect(action, &QAction::triggered, action,
                     [weak, command, focus = QPointer<MenuBarFocus>(&focus)] {
                         RuntimeDispatch([&] { Choose(weak, command, focus); });
                     });
    container.addAction(action);
    entries.push_back({action, item, command});
    return action;
}

void Populate(QMenu& menu, const MenuItem& parent, MenuBarFocus& focus) {
    auto entries = std::make_shared<Entries>();
    for (int32_t i = 0; i < parent.Count(); ++i) {
        std::shared_ptr<MenuItem> item = parent.Item(i);
        if (item->Text() == "-") {
            menu.addSeparator();
        } else if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(ToQString(item->Text()));
            Populate(*sub, *item, focus);
        } else {
            AddAction(menu, item, *entries, focus);
        }
    }
    QObject::connect(&menu, &QMenu::aboutToShow, &menu,
                     [entries, focus = QPointer<MenuBarFocus>(&focus)] {
                         RuntimeDispatch([&] { ShowEnablement(*entries, focus); });
                     });
    QObject::connect(&menu, &QMenu::aboutToHide, &menu,
                     [entries] { RuntimeDispatch([&] { RestoreEnablement(*entries); }); });
    focus.Watch(menu);
}

}  // namespace

void InstallNativeMenuBar(QMainWindow& window, const std::shared_ptr<MenuBar>& bar) {
    auto* native = new QMenuBar(&window);
    native->setNativeMenuBar(false);
    auto* focus = new MenuBarFocus(*native);
    if (bar) {
        Entries barEntries;
        for (int32_t i = 0; i < bar->Count(); ++i) {
            std::shared_ptr<MenuItem> item = bar->Item(i);
            if (item->Text() == "-") {
                native->addSeparator();
            } else if (item->Count() > 0) {
                Populate(*native->addMenu(ToQString(item->Text())), *item, *focus);
            } else {
                AddAction(*native, item, barEntries, *focus);
            }
        }
    }
    // Replaces (and deletes) the bar shown before.
    window.setMenuBar(native);
}
