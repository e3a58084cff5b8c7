#pragma once
// What the control classes share inside framework/ui: the state behind RectControl, the tab
// order, the class-table builders, and (through its header) the bridge from Qt events.
#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/object.h"
#include "framework/ui/control_event_bridge.h"
#include "framework/ui/controls.h"
#include "framework/ui/runtime.h"
#include "framework/ui/runtime_internal.h"

struct RectControl::Impl {
    QPointer<QWidget> widget;
    std::weak_ptr<Object> self;
    int32_t left = 0, top = 0, width = 80, height = 22;
    bool lockLeft = true, lockTop = true, lockRight = false, lockBottom = false;
    int32_t tabIndex = 0;
    bool tabStop = true, visible = true, enabled = true, autoDeactivate = true;
    String helpTag, initialParent;
    std::shared_ptr<::MouseCursor> cursor;
    float textSize = 0;
    FontUnits textUnit = FontUnits::Default;
    String textFont = "System";
    bool bold = false, italic = false, underline = false;
    Qt::FocusPolicy naturalFocus = Qt::NoFocus;
    // The pointer the widget's class shows by itself (a text field's I-beam), given back when
    // the control's cursor is unset.
    std::optional<QCursor> naturalCursor;
    std::map<String, PropertyValue> stored;

    void ApplyGeometry();
    void ApplyFont();
    void ApplyCursor();
    void ApplyFocus();
};

// Tab order follows TabIndex (registration order among equals) over the window's focusable
// controls; Nil changes nothing.
void ApplyTabOrder(const std::shared_ptr<Window>& window);

// The control behind `weak`, as its class, or Nil once it has gone.
template <class C>
std::shared_ptr<C> LockControl(const std::weak_ptr<Object>& weak) {
    return std::static_pointer_cast<C>(weak.lock());
}

// Class-table builders beside SetterProperty.
namespace classinfo {
// `own`, then the font keys (TextFont, Bold, Italic, Underline) of the classes that show text.
std::vector<PropertyInfo> WithFontProperties(std::vector<PropertyInfo> own);
// A property kept as it is set, with no effect on screen.
inline PropertyInfo Kept(const char* name, PropertyType type) {
    return {name, type, [key = String(name)](Object& o, const PropertyValue& v) {
                static_cast<RectControl&>(o).StoreProperty(key, v);
            }};
}
}  // namespace classinfo
