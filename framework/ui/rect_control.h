#pragma once
// A control with a place and a size in its window's content area, and its widget.
#include <cstdint>
#include <memory>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/control.h"
#include "framework/ui/events.h"

class QWidget;
class MouseCursor;

enum class FontUnits : uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

class RectControl : public Control {
    TW_CLASS_INFO
  public:
    RectControl();
    ~RectControl() override;
    // The framework's default construction: builds the on-screen control in its window.
    // Raises NilObjectException when the control belongs to no window.
    virtual void Constructor();

    int32_t Left() const;
    void SetLeft(int32_t v);
    int32_t Top() const;
    void SetTop(int32_t v);
    int32_t Width() const;
    void SetWidth(int32_t v);
    int32_t Height() const;
    void SetHeight(int32_t v);
    bool LockLeft() const;
    void SetLockLeft(bool v);
    bool LockTop() const;
    void SetLockTop(bool v);
    bool LockRight() const;
    void SetLockRight(bool v);
    bool LockBottom() const;
    void SetLockBottom(bool v);
    int32_t TabIndex() const;
    void SetTabIndex(int32_t v);
    bool TabStop() const;
    void SetTabStop(bool v);
    bool Visible() const;
    void SetVisible(bool v);
    bool Enabled() const;
    void SetEnabled(bool v);
    bool AutoDeactivate() const;
    void SetAutoDeactivate(bool v);
    String HelpTag() const;
    void SetHelpTag(const String& v);
    String InitialParent() const;
    void SetInitialParent(const String& v);
    // Nil: the framework's default pointer.
    std::shared_ptr<::MouseCursor> MouseCursor() const;
    void SetMouseCursor(std::shared_ptr<::MouseCursor> c);
    float TextSize() const;
    void SetTextSize(float v);
    FontUnits TextUnit() const;
    void SetTextUnit(FontUnits v);

    // The font of the control's text. "System" (or "") is the application's default family.
    String TextFont() const;
    void SetTextFont(const String& v);
    bool Bold() const;
    void SetBold(bool v);
    bool Italic() const;
    void SetItalic(bool v);
    bool Underline() const;
    void SetUnderline(bool v);

    // Properties a list may set that change nothing on screen are kept here by key.
    void StoreProperty(const String& key, const PropertyValue& value);
    // Nil when the key was never set.
    const PropertyValue* StoredProperty(const String& key) const;

    // The Qt widget, once constructed (framework and tests only).
    QWidget* NativeWidget() const;

    // Raised once, after the window has created all its controls.
    Event<void> Open;
    Event<void> MouseEnter;
    Event<void> MouseExit;
    // x, y within the control; True stops the control's own handling of the press.
    Event<bool, int32_t, int32_t> MouseDown;

  protected:
    void WindowOpened() override;
    // The on-screen widget of this class, a child of `parent`; its signals are wired here.
    virtual QWidget* CreateWidget(QWidget* parent);
    // Called when the position or size changes (the widget already has the new geometry).
    virtual void GeometryChanged() {}
    // The widget, or NilObjectException before Constructor.
    QWidget& Widget() const;

  public:
    struct Impl;

  protected:
    std::unique_ptr<Impl> impl_;
};
