#pragma once
// The keyboard focus order of a window's controls.
#include <cstdint>
#include <vector>

class QWidget;

struct TabStop {
    int32_t tabIndex;
    QWidget* widget;
};

// Chains the focusable widgets by TabIndex, the given order among equals.
void ApplyTabOrder(std::vector<TabStop> stops);
