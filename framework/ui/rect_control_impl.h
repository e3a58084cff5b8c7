#pragma once
// The state behind RectControl, shared by the control classes inside framework/ui.
#include <QCursor>
#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>
#include <optional>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/control_event_bridge.h"
#include "framework/ui/rect_control.h"

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
    // Raises MouseEnter, MouseExit and MouseDown from the Qt input of `watched`: the control's
    // widget `controlWidget` itself or a part of it.
    void BridgeEvents(QWidget* watched, QWidget* controlWidget, bool raisePress,
                      ControlEventBridge::Hover hover = ControlEventBridge::Hover::Raise);
};
