#pragma once
// The property lists that describe the main window and each of its 36 controls.
#include <cstdint>
#include <vector>

#include "framework/core/property_list.h"
#include "framework/core/text.h"
#include "framework/ui/controls.h"

struct ControlPropertyList {
    String name;
    int32_t index;  // kNoIndex but for the keypad's elements
    PropertyBlob list;
};

// The window's own list (21 entries).
const PropertyBlob& Window1WindowList();
// One list per control, in creation order.
const std::vector<ControlPropertyList>& Window1ControlLists();
// The list of the control registered under `name` (and `index`); NilObjectException if none.
const PropertyBlob& Window1ControlList(const String& name, int32_t index = kNoIndex);
