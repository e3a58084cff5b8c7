// The shared menu bar: File with Quit, Edit with the standard editing items.
#include "app/menu_bar.h"

#include <optional>

#include "framework/core/exceptions.h"

namespace {

// The one instance; Nil until the first call of MenuBar1Instance and again after shut-down.
std::shared_ptr<MenuBar1> implicitInstance;

// One item, set up in the fixed order: name, AutoEnable, text, then the shortcut when it has one.
template <class Item>
std::shared_ptr<MenuItem> MakeItem(const char* name, const char* text,
                                   std::optional<const char*> shortcut) {
    std::shared_ptr<MenuItem> item = std::make_shared<Item>();
    item->Constructor();
    item->SetName(name);
    item->SetAutoEnable(true);
    item->SetText(text);
    if (shortcut) item->SetKeyboardShortcut(*shortcut);
    return item;
}

// Separators never get a shortcut, not even the empty one.
constexpr std::nullopt_t kNoShortcut = std::nullopt;

}  // namespace

const ClassInfo& MenuBar1::StaticClass() {
    static const ClassInfo info{"MenuBar1.MenuBar1", &MenuBar::StaticClass()};
    return info;
}

void MenuBar1::Constructor() {
    Untitled0();
    Untitled1();
}

void MenuBar1::Untitled0() {
    Append(MakeItem<MenuItem>("FileMenu", "ファイル", ""));
    // Each item fetches its menu from the bar anew.
    Deref(Child("FileMenu"), "FileMenu")
        .Append(MakeItem<QuitMenuItem>("FileQuit", "終了", "Cmd+Q"));
}

void MenuBar1::Untitled1() {
    Append(MakeItem<MenuItem>("EditMenu", "編集", ""));
    auto addToEdit = [this](std::shared_ptr<MenuItem> item) {
        Deref(Child("EditMenu"), "EditMenu").Append(std::move(item));
    };
    addToEdit(MakeItem<MenuItem>("EditUndo", "元に戻す", "Cmd+Z"));
    addToEdit(MakeItem<MenuItem>("UntitledMenu1", "-", kNoShortcut));
    addToEdit(MakeItem<MenuItem>("EditCut", "カット", "Cmd+X"));
    addToEdit(MakeItem<MenuItem>("EditCopy", "コピー", "Cmd+C"));
    addToEdit(MakeItem<MenuItem>("EditPaste", "貼り付け", "Cmd+V"));
    addToEdit(MakeItem<MenuItem>("EditClear", "削除", ""));
    addToEdit(MakeItem<MenuItem>("UntitledMenu0", "-", kNoShortcut));
    addToEdit(MakeItem<MenuItem>("EditSelectAll", "すべてを選択", "Cmd+A"));
}

std::shared_ptr<MenuBar1> MenuBar1Instance() {
    if (!implicitInstance) {
        auto bar = std::make_shared<MenuBar1>();
        bar->Constructor();
        implicitInstance = std::move(bar);
    }
    return implicitInstance;
}

std::shared_ptr<MenuBar1> MenuBar1ImplicitInstance() {
    return implicitInstance;
}

void ReleaseMenuBar1() {
    implicitInstance.reset();
}
