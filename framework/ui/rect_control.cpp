// RectControl: the state every control keeps and its widget in the window's content area (the
// font, the tab order and the event bridge each have a file of their own).
#include "framework/ui/rect_control.h"

#include <QCoreApplication>

#include <algorithm>

#include "framework/core/exceptions.h"
#include "framework/ui/control_event_bridge.h"
#include "framework/ui/qt_text.h"
#include "framework/ui/rect_control_impl.h"
#include "framework/ui/system.h"
#include "framework/ui/tab_order.h"
#include "framework/ui/window.h"

const ClassInfo& RectControl::StaticClass() {
    static const ClassInfo info{
        "RectControl",
        &Control::StaticClass(),
        {SetterProperty("Left", &RectControl::SetLeft), SetterProperty("Top", &RectControl::SetTop),
         SetterProperty("Width", &RectControl::SetWidth),
         SetterProperty("Height", &RectControl::SetHeight),
         SetterProperty("LockLeft", &RectControl::SetLockLeft),
         SetterProperty("LockTop", &RectControl::SetLockTop),
         SetterProperty("LockRight", &RectControl::SetLockRight),
         SetterProperty("LockBottom", &RectControl::SetLockBottom),
         SetterProperty("TabIndex", &RectControl::SetTabIndex),
         SetterProperty("TabStop", &RectControl::SetTabStop),
         SetterProperty("Visible", &RectControl::SetVisible),
         SetterProperty("Enabled", &RectControl::SetEnabled),
         SetterProperty("AutoDeactivate", &RectControl::SetAutoDeactivate),
         SetterProperty("HelpTag", &RectControl::SetHelpTag),
         SetterProperty("InitialParent", &RectControl::SetInitialParent)}};
    return info;
}

RectControl::RectControl() : impl_(std::make_unique<Impl>()) {}

RectControl::~RectControl() {
    QWidget* widget = impl_->widget.data();
    // Once the Qt application has gone its widgets are past saving: leave them alone.
    if (!widget || !QCoreApplication::instance()) return;
    // Deleting later: the widget may be inside one of its own signals right now.
    widget->hide();
    widget->deleteLater();
}

void RectControl::Constructor() {
    QWidget& parent = Deref(Deref(Window(), "the control's window").ContentWidget(),
                            "the content area of the control's window");
    if (impl_->widget) return;  // already built
    impl_->self = weak_from_this();

    QWidget* widget = CreateWidget(&parent);
    impl_->widget = widget;
    impl_->naturalFocus = widget->focusPolicy();
    if (widget->testAttribute(Qt::WA_SetCursor)) impl_->naturalCursor = widget->cursor();
    impl_->ApplyGeometry();
    impl_->ApplyFont();
    impl_->ApplyCursor();
    impl_->ApplyFocus();
    widget->setEnabled(impl_->enabled);
    if (!impl_->helpTag.empty()) widget->setToolTip(ToQString(impl_->helpTag));
    GeometryChanged();
    widget->setVisible(impl_->visible);
}

void RectControl::WindowOpened() {
    auto self = std::static_pointer_cast<RectControl>(shared_from_this());
    Open.Raise(self);
}

namespace {

// The tab order over the window's constructed controls; Nil changes nothing.
void ReorderTabs(const std::shared_ptr<Window>& window) {
    if (!window) return;
    std::vector<TabStop> stops;
    for (const auto& object : window->Controls())
        if (auto* control = dynamic_cast<RectControl*>(object.get());
            control && control->NativeWidget())
            stops.push_back({control->TabIndex(), control->NativeWidget()});
    ApplyTabOrder(std::move(stops));
}

}  // namespace

void RectControl::Impl::BridgeEvents(QWidget* watched, QWidget* controlWidget, bool raisePress,
                                     ControlEventBridge::Hover hover) {
    const std::weak_ptr<Object> weak = self;
    ControlEventBridge::Handlers handlers{[weak] {
                                              if (auto control = LockControl<RectControl>(weak))
                                                  control->MouseEnter.Raise(control);
                                          },
                                          [weak] {
                                              if (auto control = LockControl<RectControl>(weak))
                                                  control->MouseExit.Raise(control);
                                          },
                                          [weak](int x, int y) {
                                              // Once the control has gone the press passes on
                                              // untouched.
                                              auto control = LockControl<RectControl>(weak);
                                              return control &&
                                                     control->MouseDown.Raise(control, x, y);
                                          }};
    watched->installEventFilter(
        new ControlEventBridge(std::move(handlers), controlWidget, raisePress, watched, hover));
}

QWidget* RectControl::CreateWidget(QWidget* parent) {
    auto* widget = new QWidget(parent);
    impl_->BridgeEvents(widget, widget, true);
    return widget;
}

QWidget* RectControl::NativeWidget() const {
    return impl_->widget.data();
}

QWidget& RectControl::Widget() const {
    return Deref(impl_->widget.data(), "the widget of a control not yet constructed");
}

void RectControl::Impl::ApplyGeometry() {
    if (widget) widget->setGeometry(left, top, std::max(0, width), std::max(0, height));
}

void RectControl::Impl::ApplyCursor() {
    if (!widget) return;
    if (!cursor && naturalCursor)
        widget->setCursor(*naturalCursor);
    else if (!cursor)
        widget->unsetCursor();
    else if (cursor->CursorShape() == MouseCursor::Shape::FingerPointer)
        widget->setCursor(Qt::PointingHandCursor);
    else
        widget->setCursor(Qt::ArrowCursor);
}

void RectControl::Impl::ApplyFocus() {
    if (widget) widget->setFocusPolicy(tabStop ? naturalFocus : Qt::NoFocus);
}

int32_t RectControl::Left() const {
    return impl_->left;
}
void RectControl::SetLeft(int32_t v) {
    impl_->left = v;
    impl_->ApplyGeometry();
    GeometryChanged();
}
int32_t RectControl::Top() const {
    return impl_->top;
}
void RectControl::SetTop(int32_t v) {
    impl_->top = v;
    impl_->ApplyGeometry();
    GeometryChanged();
}
int32_t RectControl::Width() const {
    return impl_->width;
}
void RectControl::SetWidth(int32_t v) {
    impl_->width = v;
    impl_->ApplyGeometry();
    GeometryChanged();
}
int32_t RectControl::Height() const {
    return impl_->height;
}
void RectControl::SetHeight(int32_t v) {
    impl_->height = v;
    impl_->ApplyGeometry();
    GeometryChanged();
}
bool RectControl::LockLeft() const {
    return impl_->lockLeft;
}
void RectControl::SetLockLeft(bool v) {
    impl_->lockLeft = v;
}
bool RectControl::LockTop() const {
    return impl_->lockTop;
}
void RectControl::SetLockTop(bool v) {
    impl_->lockTop = v;
}
bool RectControl::LockRight() const {
    return impl_->lockRight;
}
void RectControl::SetLockRight(bool v) {
    impl_->lockRight = v;
}
bool RectControl::LockBottom() const {
    return impl_->lockBottom;
}
void RectControl::SetLockBottom(bool v) {
    impl_->lockBottom = v;
}

int32_t RectControl::TabIndex() const {
    return impl_->tabIndex;
}
void RectControl::SetTabIndex(int32_t v) {
    impl_->tabIndex = v;
    if (impl_->widget) ReorderTabs(Window());
}
bool RectControl::TabStop() const {
    return impl_->tabStop;
}
void RectControl::SetTabStop(bool v) {
    impl_->tabStop = v;
    impl_->ApplyFocus();
    if (impl_->widget) ReorderTabs(Window());
}

bool RectControl::Visible() const {
    return impl_->visible;
}
void RectControl::SetVisible(bool v) {
    impl_->visible = v;
    if (impl_->widget) impl_->widget->setVisible(v);
}
bool RectControl::Enabled() const {
    return impl_->enabled;
}
void RectControl::SetEnabled(bool v) {
    impl_->enabled = v;
    if (impl_->widget) impl_->widget->setEnabled(v);
}
bool RectControl::AutoDeactivate() const {
    return impl_->autoDeactivate;
}
void RectControl::SetAutoDeactivate(bool v) {
    impl_->autoDeactivate = v;
}
String RectControl::HelpTag() const {
    return impl_->helpTag;
}
void RectControl::SetHelpTag(const String& v) {
    impl_->helpTag = v;
    if (impl_->widget) impl_->widget->setToolTip(ToQString(v));
}
String RectControl::InitialParent() const {
    return impl_->initialParent;
}
void RectControl::SetInitialParent(const String& v) {
    impl_->initialParent = v;
}

std::shared_ptr<::MouseCursor> RectControl::MouseCursor() const {
    return impl_->cursor;
}
void RectControl::SetMouseCursor(std::shared_ptr<::MouseCursor> c) {
    impl_->cursor = std::move(c);
    impl_->ApplyCursor();
}

void RectControl::StoreProperty(const String& key, const PropertyValue& value) {
    impl_->stored[key] = value;
}
const PropertyValue* RectControl::StoredProperty(const String& key) const {
    auto it = impl_->stored.find(key);
    return it == impl_->stored.end() ? nullptr : &it->second;
}
