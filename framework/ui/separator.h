#pragma once
// A separator: a line between groups of controls.
#include "framework/ui/rect_control.h"

class Separator : public RectControl {
    TW_CLASS_INFO
  public:
    void Constructor() override;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    void GeometryChanged() override;
};
