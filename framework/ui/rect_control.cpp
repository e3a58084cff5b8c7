// Control and RectControl: the state every control keeps, its widget in the window's content
// area, and the mouse events every control raises.
#include <QApplication>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>

#include <algorithm>

#include "framework/core/exceptions.h"
#include "framework/ui/control_support.h"
#include "framework/ui/system.h"
#include "framework/ui/window.h"

using namespace classinfo;

const ClassInfo& Control::StaticClass() {
    static const ClassInfo info{
        "Control",
        &Object::StaticClass(),
        {SetterProperty("Name", &Control::SetName), SetterProperty("Index", &Control::SetIndex),
         SetterProperty("TabPanelIndex", &Control::SetTabPanelIndex)}};
    return info;
}

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

std::vector<PropertyInfo> classinfo::WithFontProperties(std::vector<PropertyInfo> own) {
    for (auto font : {SetterProperty("TextFont", &RectControl::SetTextFont),
                      SetterProperty("Bold", &RectControl::SetBold),
                      SetterProperty("Italic", &RectControl::SetItalic),
                      SetterProperty("Underline", &RectControl::SetUnderline)})
        own.push_back(std::move(font));
    return own;
}

// ---- Qt input to control events ----

ControlEventBridge::ControlEventBridge(std::weak_ptr<Object> control, QWidget* controlWidget,
                                       bool raisePress, QObject* parent, Hover hover)
    : QObject(parent),
      control_(std::move(control)),
      controlWidget_(controlWidget),
      raisePress_(raisePress),
      hover_(hover) {}

bool ControlEventBridge::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    const bool hover = type == QEvent::Enter || type == QEvent::Leave;
    // Qt delivers the second press of a double click as MouseButtonDblClick: a press all the same.
    const bool press = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick;
    if ((!hover && !press) || (hover && hover_ == Hover::Ignore))
        return QObject::eventFilter(watched, event);
    auto control = LockControl<RectControl>(control_);
    if (!control) return false;
    if (type == QEvent::Enter) {
        RuntimeDispatch([&] { control->MouseEnter.Raise(control); });
        return false;
    }
    if (type == QEvent::Leave) {
        RuntimeDispatch([&] { control->MouseExit.Raise(control); });
        return false;
    }
    if (!raisePress_) return false;
    // The position within the control, also when the press lands on a child (a combo's editor).
    auto* mouse = static_cast<QMouseEvent*>(event);
    QPoint at = mouse->position().toPoint();
    if (auto* child = qobject_cast<QWidget*>(watched);
        child && controlWidget_ && child != controlWidget_)
        at = child->mapTo(controlWidget_, at);
    return RuntimeDispatchResult<bool>(
        [&] { return control->MouseDown.Raise(control, at.x(), at.y()); }, false);
}

// ---- RectControl ----

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

QWidget* RectControl::CreateWidget(QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->installEventFilter(new ControlEventBridge(impl_->self, widget, true, widget));
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

void RectControl::Impl::ApplyFont() {
    if (!widget) return;
    QFont font = QApplication::font();
    const String family = Lowercase(textFont);
    if (!family.empty() && family != "system" && family != "smallsystem")
        font.setFamily(ToQString(textFont));
    if (textSize > 0) {
        switch (textUnit) {
            // The default unit is the layout's own: controls are placed in pixels with text sizes
            // counted at 72 per inch, so one unit is one pixel and the text fits its control.
            case FontUnits::Default:
            case FontUnits::Pixel:
                font.setPixelSize(std::max(1, int(textSize + 0.5f)));
                break;
            case FontUnits::Point:
                font.setPointSizeF(textSize);
                break;
            case FontUnits::Inch:
                font.setPointSizeF(textSize * 72.0);
                break;
            case FontUnits::Millimeter:
                font.setPointSizeF(textSize * 72.0 / 25.4);
                break;
        }
    }
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    widget->setFont(font);
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

namespace {
// Tab order follows TabIndex (registration order among equals) over the window's focusable
// controls.
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
}  // namespace

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
    if (impl_->widget) ApplyTabOrder(Window());
}
bool RectControl::TabStop() const {
    return impl_->tabStop;
}
void RectControl::SetTabStop(bool v) {
    impl_->tabStop = v;
    impl_->ApplyFocus();
    if (impl_->widget) ApplyTabOrder(Window());
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

float RectControl::TextSize() const {
    return impl_->textSize;
}
void RectControl::SetTextSize(float v) {
    impl_->textSize = v;
    impl_->ApplyFont();
}
FontUnits RectControl::TextUnit() const {
    return impl_->textUnit;
}
void RectControl::SetTextUnit(FontUnits v) {
    impl_->textUnit = v;
    impl_->ApplyFont();
}
String RectControl::TextFont() const {
    return impl_->textFont;
}
void RectControl::SetTextFont(const String& v) {
    impl_->textFont = v;
    impl_->ApplyFont();
}
bool RectControl::Bold() const {
    return impl_->bold;
}
void RectControl::SetBold(bool v) {
    impl_->bold = v;
    impl_->ApplyFont();
}
bool RectControl::Italic() const {
    return impl_->italic;
}
void RectControl::SetItalic(bool v) {
    impl_->italic = v;
    impl_->ApplyFont();
}
bool RectControl::Underline() const {
    return impl_->underline;
}
void RectControl::SetUnderline(bool v) {
    impl_->underline = v;
    impl_->ApplyFont();
}

void RectControl::StoreProperty(const String& key, const PropertyValue& value) {
    impl_->stored[key] = value;
}
const PropertyValue* RectControl::StoredProperty(const String& key) const {
    auto it = impl_->stored.find(key);
    return it == impl_->stored.end() ? nullptr : &it->second;
}
