#pragma once
// The root of the controls: a control is allocated by its window (Window::New), built on screen by
// Constructor(), registered by name (Window::AddControl), described by a property list and bound
// to handlers. Getter Text(), setter SetText(v); only framework/ui sees Qt.
#include <cstdint>
#include <memory>

#include "framework/core/object.h"
#include "framework/core/text.h"

class Window;

// Index of a control that is not an element of a control array.
inline constexpr int32_t kNoIndex = INT32_MIN;

class Control : public Object {
    TW_CLASS_INFO
  public:
    String Name() const { return name_; }
    void SetName(const String& name) { name_ = name; }
    int32_t Index() const { return index_; }
    void SetIndex(int32_t index) { index_ = index; }
    int32_t TabPanelIndex() const { return tabPanelIndex_; }
    void SetTabPanelIndex(int32_t v) { tabPanelIndex_ = v; }
    // The window the control belongs to; Nil once it has gone.
    std::shared_ptr<::Window> Window() const { return owner_.lock(); }

  protected:
    // Called by the window once it has created all its controls.
    virtual void WindowOpened() {}

  private:
    friend class ::Window;
    String name_;
    int32_t index_ = kNoIndex;
    int32_t tabPanelIndex_ = 0;
    std::weak_ptr<::Window> owner_;
};

// The control behind `weak`, as its class, or Nil once it has gone.
template <class C>
std::shared_ptr<C> LockControl(const std::weak_ptr<Object>& weak) {
    return std::static_pointer_cast<C>(weak.lock());
}
