#pragma once
// A window: a QMainWindow whose content area is exactly Width by Height, the menu bar above it.
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/text.h"

class QWidget;
class MenuBar;
class Window;

// What a non-control object (a timer) answers to take its place among a window's controls.
class PaneChild {
  public:
    virtual ~PaneChild() = default;
    virtual void SetWindow(std::shared_ptr<::Window> window) = 0;
    virtual std::shared_ptr<::Window> Window() const = 0;
    virtual int32_t Index() const = 0;
    virtual void SetIndex(int32_t index) = 0;
};

class Window : public Object {
    TW_CLASS_INFO
  public:
    Window();
    ~Window() override;

    // The default window construction: adds the window to the windows held, raises Layout,
    // then CreateControls, then each control's Open in creation order; ContentsChanged = False.
    // The object must be owned by a shared_ptr.
    void Constructor();

    // Events a subclass implements.
    virtual void Layout() {}
    virtual void CreateControls() {}

    std::shared_ptr<::MenuBar> MenuBar() const;
    void SetMenuBar(std::shared_ptr<::MenuBar> menuBar);

    // Allocates a control (or timer) that belongs to this window; its Constructor comes next.
    template <class T>
    std::shared_ptr<T> New() {
        auto object = std::make_shared<T>();
        Adopt(*object);
        return object;
    }
    // Registers `control` under `name`; the elements of a control array share a name and differ
    // by Index. A PaneChild is told its window.
    void AddControl(const String& name, const std::shared_ptr<Object>& control);
    // Nil when no control of that name (and index) is registered.
    std::shared_ptr<Object> ControlByName(const String& name) const;
    std::shared_ptr<Object> ControlByNameIndex(const String& name, int32_t index) const;
    // Every registered control in registration order.
    const std::vector<std::shared_ptr<Object>>& Controls() const { return controls_; }
    // Lets go of the controls (and so of their references back to the window).
    void ReleaseControls();

    bool ContentsChanged() const { return contentsChanged_; }
    void SetContentsChanged(bool v) { contentsChanged_ = v; }

    int32_t Placement() const;
    void SetPlacement(int32_t v);
    int32_t Width() const;
    void SetWidth(int32_t v);
    int32_t Height() const;
    void SetHeight(int32_t v);
    int32_t MinWidth() const;
    void SetMinWidth(int32_t v);
    int32_t MinHeight() const;
    void SetMinHeight(int32_t v);
    int32_t MaxWidth() const;
    void SetMaxWidth(int32_t v);
    int32_t MaxHeight() const;
    void SetMaxHeight(int32_t v);
    int32_t Frame() const;
    void SetFrame(int32_t v);
    bool Composite() const;
    void SetComposite(bool v);
    bool HasBackColor() const;
    void SetHasBackColor(bool v);
    Color BackColor() const;
    void SetBackColor(Color v);
    String Title() const;
    void SetTitle(const String& v);
    bool Visible() const;
    void SetVisible(bool v);
    bool FullScreen() const;
    void SetFullScreen(bool v);
    bool MenuBarVisible() const;
    void SetMenuBarVisible(bool v);
    bool CloseButton() const;
    void SetCloseButton(bool v);
    bool Resizeable() const;
    void SetResizeable(bool v);
    bool LiveResize() const;
    void SetLiveResize(bool v);
    bool MaximizeButton() const;
    void SetMaximizeButton(bool v);
    bool MinimizeButton() const;
    void SetMinimizeButton(bool v);
    int32_t MacProcId() const;
    void SetMacProcId(int32_t v);

    // The QMainWindow, and the content widget controls are placed in (framework and tests only).
    QWidget* NativeWindow() const;
    QWidget* ContentWidget() const;

    // Closes and destroys the native window; the object stays, without a screen presence.
    void ReleaseNative();

  private:
    struct Impl;
    void Adopt(Object& object);
    std::unique_ptr<Impl> impl_;
    std::shared_ptr<::MenuBar> menuBar_;
    std::vector<std::shared_ptr<Object>> controls_;
    std::vector<String> controlNames_;  // the name each of controls_ was registered under
    bool contentsChanged_ = false;
};

// The windows the framework holds: Constructor adds its window; GetImplicitWindow finds one by its
// class's full name.
void RuntimeAddWindow(const std::shared_ptr<Window>& window);
std::shared_ptr<Window> GetImplicitWindow(const String& fullClassName);
// Lets go of every window held, closing it and releasing its controls.
void ReleaseWindows();
