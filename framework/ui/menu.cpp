// Menus: the item tree, and its native form as a window's QMenuBar of QMenus and QActions.
#include "framework/ui/menu.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "framework/ui/runtime.h"
#include "framework/ui/runtime_internal.h"

const ClassInfo& MenuItem::StaticClass() {
    static const ClassInfo info{
        "MenuItem",
        &Object::StaticClass(),
        {SetterProperty("Name", &MenuItem::SetName), SetterProperty("Text", &MenuItem::SetText),
         SetterProperty("KeyboardShortcut", &MenuItem::SetKeyboardShortcut),
         SetterProperty("AutoEnable", &MenuItem::SetAutoEnable),
         SetterProperty("Enabled", &MenuItem::SetEnabled)}};
    return info;
}

const ClassInfo& QuitMenuItem::StaticClass() {
    static const ClassInfo info{"QuitMenuItem", &MenuItem::StaticClass()};
    return info;
}

const ClassInfo& MenuBar::StaticClass() {
    static const ClassInfo info{"MenuBar", &MenuItem::StaticClass()};
    return info;
}

void MenuItem::SetText(const String& v) {
    text_ = v;
}

void MenuItem::SetKeyboardShortcut(const String& v) {
    shortcut_ = v;
}

void MenuItem::Append(std::shared_ptr<MenuItem> item) {
    Deref(item, "the menu item to append");
    children_.push_back(std::move(item));
}

std::shared_ptr<MenuItem> MenuItem::Item(int32_t index) const {
    if (index < 0 || size_t(index) >= children_.size()) return nullptr;
    return children_[size_t(index)];
}

std::shared_ptr<MenuItem> MenuItem::Child(const String& name) const {
    for (const auto& child : children_)
        if (StrEquals(child->Name(), name)) return child;
    return nullptr;
}

std::shared_ptr<MenuItem> MenuItem::Lookup(const String& name) const {
    // Direct children first, then each child's subtree in turn, depth first: a namesake in an
    // earlier branch wins over one nearer the top in a later branch.
    if (auto direct = Child(name)) return direct;
    for (const auto& child : children_)
        if (auto found = child->Lookup(name)) return found;
    return nullptr;
}

String NativeShortcutText(const String& shortcut) {
    if (shortcut.empty()) return "";
    String out;
    size_t start = 0;
    while (start <= shortcut.size()) {
        size_t plus = shortcut.find('+', start);
        // A trailing "+" is the key itself ("Cmd++").
        if (plus == start && plus + 1 == shortcut.size()) plus = String::npos;
        String part = shortcut.substr(start, plus == String::npos ? String::npos : plus - start);
        // Qt's "Ctrl" is Control here, the key the Mac's Command stands for.
        if (Lowercase(part) == "cmd") part = "Ctrl";
        if (!out.empty()) out += "+";
        out += part;
        if (plus == String::npos) break;
        start = plus + 1;
    }
    return out;
}

namespace {

enum class EditCommand { None, Undo, Cut, Copy, Paste, Clear, SelectAll };

EditCommand EditCommandOf(const MenuItem& item) {
    static const std::pair<const char*, EditCommand> names[] = {
        {"EditUndo", EditCommand::Undo},   {"EditCut", EditCommand::Cut},
        {"EditCopy", EditCommand::Copy},   {"EditPaste", EditCommand::Paste},
        {"EditClear", EditCommand::Clear}, {"EditSelectAll", EditCommand::SelectAll}};
    for (const auto& [name, command] : names)
        if (item.Name() == name) return command;
    return EditCommand::None;
}

// The text field the standard edit items work on: a line edit, or a combo box's.
QLineEdit* FocusedLineEdit() {
    QWidget* focus = QApplication::focusWidget();
    if (auto* edit = qobject_cast<QLineEdit*>(focus)) return edit;
    if (auto* combo = qobject_cast<QComboBox*>(focus)) return combo->lineEdit();
    return nullptr;
}

bool Applies(EditCommand command, const QLineEdit* edit) {
    if (!edit) return false;
    const bool writable = !edit->isReadOnly();
    const bool plain = edit->echoMode() == QLineEdit::Normal;  // a password is never copied out
    switch (command) {
        case EditCommand::Undo:
            return writable && edit->isUndoAvailable();
        case EditCommand::Cut:
            return writable && plain && edit->hasSelectedText();
        case EditCommand::Copy:
            return plain && edit->hasSelectedText();
        case EditCommand::Paste:
            return writable && !QGuiApplication::clipboard()->text().isEmpty();
        case EditCommand::Clear:
            return writable && edit->hasSelectedText();
        case EditCommand::SelectAll:
            return !edit->text().isEmpty();
        case EditCommand::None:
            break;
    }
    return false;
}

void Perform(EditCommand command, QLineEdit* edit) {
    switch (command) {
        case EditCommand::Undo:
            edit->undo();
            break;
        case EditCommand::Cut:
            edit->cut();
            break;
        case EditCommand::Copy:
            edit->copy();
            break;
        case EditCommand::Paste:
            edit->paste();
            break;
        case EditCommand::Clear:
            edit->del();
            break;
        case EditCommand::SelectAll:
            edit->selectAll();
            break;
        case EditCommand::None:
            break;
    }
}

void Choose(const std::weak_ptr<MenuItem>& weak, EditCommand command) {
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
        QLineEdit* edit = FocusedLineEdit();
        if (Applies(command, edit)) Perform(command, edit);
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
void ShowEnablement(const Entries& entries) {
    QLineEdit* edit = FocusedLineEdit();
    for (const Entry& e : entries) {
        auto item = e.item.lock();
        if (!e.action || !item) continue;
        bool enabled = item->Enabled();
        if (item->AutoEnable() && e.command != EditCommand::None)
            enabled = enabled && Applies(e.command, edit);
        e.action->setEnabled(enabled);
    }
}

void RestoreEnablement(const Entries& entries) {
    for (const Entry& e : entries)
        if (auto item = e.item.lock(); e.action && item) e.action->setEnabled(item->Enabled());
}

QAction* AddAction(QWidget& container, const std::shared_ptr<MenuItem>& item, Entries& entries) {
    auto* action = new QAction(ToQString(item->Text()), &container);
    if (item->HasKeyboardShortcut() && !item->KeyboardShortcut().empty())
        action->setShortcut(QKeySequence(ToQString(NativeShortcutText(item->KeyboardShortcut()))));
    action->setEnabled(item->Enabled());
    if (dynamic_cast<QuitMenuItem*>(item.get())) action->setMenuRole(QAction::QuitRole);
    EditCommand command = EditCommandOf(*item);
    std::weak_ptr<MenuItem> weak = item;
    QObject::connect(action, &QAction::triggered, action,
                     [weak, command] { RuntimeDispatch([&] { Choose(weak, command); }); });
    container.addAction(action);
    entries.push_back({action, item, command});
    return action;
}

void Populate(QMenu& menu, const MenuItem& parent) {
    auto entries = std::make_shared<Entries>();
    for (int32_t i = 0; i < parent.Count(); ++i) {
        std::shared_ptr<MenuItem> item = parent.Item(i);
        if (item->Text() == "-") {
            menu.addSeparator();
        } else if (item->Count() > 0) {
            QMenu* sub = menu.addMenu(ToQString(item->Text()));
            Populate(*sub, *item);
        } else {
            AddAction(menu, item, *entries);
        }
    }
    QObject::connect(&menu, &QMenu::aboutToShow, &menu,
                     [entries] { RuntimeDispatch([&] { ShowEnablement(*entries); }); });
    QObject::connect(&menu, &QMenu::aboutToHide, &menu,
                     [entries] { RuntimeDispatch([&] { RestoreEnablement(*entries); }); });
}

}  // namespace

void InstallNativeMenuBar(QMainWindow& window, const std::shared_ptr<MenuBar>& bar) {
    auto* native = new QMenuBar(&window);
    native->setNativeMenuBar(false);
    if (bar) {
        Entries barEntries;
        for (int32_t i = 0; i < bar->Count(); ++i) {
            std::shared_ptr<MenuItem> item = bar->Item(i);
            if (item->Text() == "-") {
                native->addSeparator();
            } else if (item->Count() > 0) {
                Populate(*native->addMenu(ToQString(item->Text())), *item);
            } else {
                AddAction(*native, item, barEntries);
            }
        }
    }
    // Replaces (and deletes) the bar shown before.
    window.setMenuBar(native);
}
