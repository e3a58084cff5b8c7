#pragma once
// A push button.
#include "framework/core/text.h"
#include "framework/ui/events.h"
#include "framework/ui/rect_control.h"

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
