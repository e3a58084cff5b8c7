// The keyboard focus order of a window's controls.
#include <QWidget>

#include <algorithm>
#include <vector>

#include "framework/ui/control_support.h"
#include "framework/ui/window.h"

void ApplyTabOrder(const std::shared_ptr<Window>& window) {
    if (!window) return;
    std::vector<RectControl*> controls;
    for (const auto& object : window->Controls())
        if (auto* control = dynamic_cast<RectControl*>(object.get());
            control && control->NativeWidget())
            controls.push_back(control);
    std::stable_sort(controls.begin(), controls.end(),
                     [](RectControl* a, RectControl* b) { return a->TabIndex() < b->TabIndex(); });
    QWidget* previous = nullptr;
    for (RectControl* control : controls) {
        QWidget* widget = control->NativeWidget();
        if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
}
