#pragma once
// Controls. A control is allocated by its window (Window::New), built on screen by Constructor(),
// registered by name (Window::AddControl), described by a property list and bound to handlers.
// Getter Text(), setter SetText(v); only framework/ui sees Qt.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/events.h"

class QWidget;
class QComboBox;
class Window;
class MouseCursor;

// Index of a control that is not an element of a control array.
inline constexpr int32_t kNoIndex = INT32_MIN;

enum class FontUnits : uint8_t { Default = 0, Pixel = 1, Point = 2, Inch = 3, Millimeter = 4 };

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

  private:
    friend class ::Window;
    String name_;
    int32_t index_ = kNoIndex;
    int32_t tabPanelIndex_ = 0;
    std::weak_ptr<::Window> owner_;
};

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

class TextEdit : public RectControl {
    TW_CLASS_INFO
  public:
    virtual String Text() const;
    virtual void SetText(const String& v);
    Color TextColor() const;
    void SetTextColor(Color v);
    Color BackColor() const;
    void SetBackColor(Color v);
    bool Password() const;
    void SetPassword(bool v);
    bool ReadOnly() const;
    void SetReadOnly(bool v);
    // Most characters the user may type; 0 means no limit.
    int32_t LimitText() const;
    void SetLimitText(int32_t v);
    // Shown greyed while the field is empty.
    String CueText() const;
    void SetCueText(const String& v);
    // 0 default (left), 1 left, 2 centre, 3 right.
    int32_t Alignment() const;
    void SetAlignment(int32_t v);
    bool Border() const;
    void SetBorder(bool v);
    // Raised on every change of the text, typed or set by code.
    Event<void> TextChange;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;

  private:
    void ApplyPalette();
    // The bytes last set by code: given back while the widget still shows exactly them, so
    // bytes that are not UTF-8 survive a round trip.
    String text_;
    Color textColor_{0, 0, 0}, backColor_{255, 255, 255};
    bool colorsSet_ = false;
    bool password_ = false, readOnly_ = false, border_ = true;
    int32_t limitText_ = 0, alignment_ = 0;
    String cueText_;
};

class TextField : public TextEdit {
    TW_CLASS_INFO
  public:
    void Constructor() override;
};

class PushButton : public RectControl {
    TW_CLASS_INFO
  public:
    void Constructor() override;
    String Caption() const;
    void SetCaption(const String& v);
    bool Default() const;
    void SetDefault(bool v);
    Event<void> Action;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;

  private:
    String caption_;
    bool default_ = false;
};

class Label : public RectControl {
    TW_CLASS_INFO
  public:
    void Constructor() override;
    String Text() const;
    void SetText(const String& v);
    Color TextColor() const;
    void SetTextColor(Color v);
    // 0 left, 1 centre, 2 right.
    int32_t TextAlign() const;
    void SetTextAlign(int32_t v);
    bool MultiLine() const;
    void SetMultiLine(bool v);
    bool Selectable() const;
    void SetSelectable(bool v);

  protected:
    QWidget* CreateWidget(QWidget* parent) override;

  private:
    void ApplyLook();
    String text_;
    Color textColor_{0, 0, 0};
    int32_t textAlign_ = 0;
    bool multiLine_ = false, selectable_ = false;
};

class PopupMenu : public RectControl {
    TW_CLASS_INFO
  public:
    void Constructor() override;
    void AddRow(const String& text);
    void DeleteAllRows();
    int32_t ListCount() const;
    // 0-based; -1 when no row is selected. Selecting a row makes its text the Text.
    int32_t ListIndex() const;
    void SetListIndex(int32_t v);
    // Text of row `row`; OutOfBoundsException outside 0..ListCount-1.
    String List(int32_t row) const;
    // The chosen row's text ("" when none); for a combo box, its edit text.
    virtual String Text() const;
    // Any framework object; OutOfBoundsException outside 0..ListCount-1.
    std::shared_ptr<Object> RowTag(int32_t row) const;
    void SetRowTag(int32_t row, std::shared_ptr<Object> tag);
    // Rows separated by CR; a CR at the end ends the last row without making an empty one.
    void SetInitialValue(const String& rows);
    // Raised when the user chooses a row (the same row again included), not when code removes rows.
    Event<void> Change;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    QComboBox& Combo() const;
    // Runs a change made by code: no signal of the widget reaches the handlers. An editable
    // combo keeps its edit text unless `keepEditText` is false.
    void Quietly(const std::function<void()>& change, bool keepEditText = true);

  private:
    struct Row {
        String text;
        std::shared_ptr<Object> tag;  // Nil when unset
    };
    const Row& RowAt(int32_t row, const char* what) const;
    std::vector<Row> rows_;  // the rows as code gave them, beside the widget's copy
};

// An editable popup: typed text never becomes a row.
class ComboBox : public PopupMenu {
    TW_CLASS_INFO
  public:
    void Constructor() override;
    String Text() const override;
    void SetText(const String& v);
    // Also raised when typed text is committed (Enter, or the focus leaving it).
    // (The inherited Change.)

  protected:
    QWidget* CreateWidget(QWidget* parent) override;

  private:
    friend class PopupMenu;
    void Commit();
    String committed_;  // the edit text when Change was last raised or code last set it
};

class Separator : public RectControl {
    TW_CLASS_INFO
  public:
    void Constructor() override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void GeometryChanged() override;
};
