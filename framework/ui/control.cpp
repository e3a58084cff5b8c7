// Control: a name, an index in its control array, and the window it belongs to.
#include "framework/ui/control.h"

const ClassInfo& Control::StaticClass() {
    static const ClassInfo info{
        "Control",
        &Object::StaticClass(),
        {SetterProperty("Name", &Control::SetName), SetterProperty("Index", &Control::SetIndex),
         SetterProperty("TabPanelIndex", &Control::SetTabPanelIndex)}};
    return info;
}
