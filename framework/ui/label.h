#pragma once
// A label: a line or a block of static text.
#include <cstdint>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/rect_control.h"

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
