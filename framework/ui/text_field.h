#pragma once
// Text fields: TextEdit, the editable line of text, and TextField.
#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/events.h"
#include "framework/ui/rect_control.h"

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
