// The keyboard focus order of a window's controls.
#include "framework/ui/tab_order.h"

#include <QWidget>

#include <algorithm>

void ApplyTabOrder(std::vector<TabStop> stops) {
    std::stable_sort(stops.begin(), stops.end(),
                     [](const TabStop& a, const TabStop& b) { return a.tabIndex < b.tabIndex; });
    QWidget* previous = nullptr;
    for (const TabStop& stop : stops) {
        if (!(stop.widget->focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, stop.widget);
        previous = stop.widget;
    }
}
