// MenuItem and its kinds: the tree of items a window shows as its menu bar.
#include "framework/core/exceptions.h"
#include "framework/ui/menu.h"

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
