#pragma once
// Menus: a tree of items that a window shows as its menu bar.
#include <memory>
#include <optional>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/events.h"

class MenuItem : public Object {
    TW_CLASS_INFO
  public:
    // The parameterless construction; does nothing of its own.
    virtual void Constructor() {}

    String Name() const { return name_; }
    void SetName(const String& v) { name_ = v; }
    // "-" makes a separator.
    String Text() const { return text_; }
    void SetText(const String& v);
    // "Cmd+Q" is Ctrl+Q; "" means no key. Unset differs from "".
    String KeyboardShortcut() const { return shortcut_.value_or(""); }
    bool HasKeyboardShortcut() const { return shortcut_.has_value(); }
    void SetKeyboardShortcut(const String& v);
    bool AutoEnable() const { return autoEnable_; }
    void SetAutoEnable(bool v) { autoEnable_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }

    void Append(std::shared_ptr<MenuItem> item);
    int32_t Count() const { return int32_t(children_.size()); }
    // 0-based; Nil out of range.
    std::shared_ptr<MenuItem> Item(int32_t index) const;
    // The direct child of that name; Nil if none.
    std::shared_ptr<MenuItem> Child(const String& name) const;
    // The item of that name anywhere below this one; Nil if none.
    std::shared_ptr<MenuItem> Lookup(const String& name) const;

    Event<void> Action;

  private:
    String name_, text_;
    std::optional<String> shortcut_;
    bool autoEnable_ = false, enabled_ = true;
    std::vector<std::shared_ptr<MenuItem>> children_;
};

// Choosing it quits the application.
class QuitMenuItem : public MenuItem {
    TW_CLASS_INFO
};

class MenuBar : public MenuItem {
    TW_CLASS_INFO
};

// The Qt key sequence text a shortcut text stands for: "Cmd" becomes "Ctrl" ("Cmd+Q" -> "Ctrl+Q"),
// every other part is passed on as it is.
String NativeShortcutText(const String& shortcut);
