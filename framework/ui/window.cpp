// Window: a QMainWindow with the menu bar above a content area of exactly Width by Height.
#include "framework/ui/window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <algorithm>

#include "framework/core/exceptions.h"
#include "framework/ui/backdrop.h"
#include "framework/ui/control.h"
#include "framework/ui/exception_boundary.h"
#include "framework/ui/menu.h"
#include "framework/ui/native_menu_bar.h"
#include "framework/ui/qt_text.h"

namespace {

// The area the controls are placed in; its size hint is the window's content size, so the
// main window's own layout sizes the window around it and the menu bar.
class ContentArea : public QWidget {
  public:
    QSize hint{300, 300};
    QSize sizeHint() const override { return hint; }
    QSize minimumSizeHint() const override { return minimumSize(); }
};

class NativeMainWindow : public QMainWindow {
  public:
    bool closeButton = true;
    bool* visibleFlag = nullptr;

  protected:
    // Without a close button the application ends by Quit alone, whatever the window manager asks.
    // A failure on the way keeps the window open.
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        RuntimeDispatch([&] {
            if (!closeButton) return;
            if (visibleFlag) *visibleFlag = false;
            event->accept();
        });
    }
};

int QtLength(int32_t v) {
    return std::clamp<int32_t>(v, 0, QWIDGETSIZE_MAX);
}

}  // namespace

struct Window::Impl {
    QPointer<NativeMainWindow> window;
    QPointer<ContentArea> content;
    int32_t placement = 0, width = 300, height = 300;
    int32_t minWidth = 64, minHeight = 64, maxWidth = 32000, maxHeight = 32000;
    int32_t frame = 0, macProcId = 0;
    bool composite = false, hasBackColor = false;
    Color backColor{255, 255, 255};
    String title;
    bool visible = true, fullScreen = false, menuBarVisible = true;
    bool closeButton = true, resizeable = true, liveResize = false;
    bool maximizeButton = true, minimizeButton = true;
    // While Window::Constructor runs, showing waits for its end, when the frame is complete.
    bool constructing = false;

    void ApplyGeometry();
    void ApplyFlags();
    void ApplyVisibility();
    void ApplyBackColor();
};

void Window::Impl::ApplyGeometry() {
    if (!window) return;
    content->hint = QSize(QtLength(width), QtLength(height));
    QLayout* layout = window->layout();
    if (!resizeable) {
        content->setFixedSize(content->hint);
        layout->setSizeConstraint(QLayout::SetFixedSize);
    } else {
        layout->setSizeConstraint(QLayout::SetDefaultConstraint);
        // SetFixedSize left its limits on the window.
        window->setMinimumSize(0, 0);
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        content->setMinimumSize(QtLength(minWidth), QtLength(minHeight));
        content->setMaximumSize(QtLength(maxWidth), QtLength(maxHeight));
    }
    content->updateGeometry();
    layout->activate();
    if (resizeable) window->resize(window->sizeHint());
}

void Window::Impl::ApplyFlags() {
    if (!window) return;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (maximizeButton && resizeable) flags |= Qt::WindowMaximizeButtonHint;
    if (closeButton) flags |= Qt::WindowCloseButtonHint;
    if (flags != window->windowFlags()) {
        // Changing the flags hides a shown window: show it again with its new frame.
        bool shown = window->isVisible();
        window->setWindowFlags(flags);
        if (shown) ApplyVisibility();
    }
}

void Window::Impl::ApplyVisibility() {
    if (!window || constructing) return;
    if (!visible) {
        window->hide();
    } else if (fullScreen) {
        window->showFullScreen();
    } else {
        if (window->isFullScreen()) window->showNormal();
        window->show();
    }
}

void Window::Impl::ApplyBackColor() {
    if (!content) return;
    if (hasBackColor) {
        QPalette palette = content->palette();
        palette.setColor(QPalette::Window, QColor(backColor.Red, backColor.Green, backColor.Blue));
        content->setPalette(palette);
        content->setAutoFillBackground(true);
    } else {
        content->setPalette(QPalette());
        content->setAutoFillBackground(false);
    }
}

const ClassInfo& Window::StaticClass() {
    static const ClassInfo info{"Window",
                                &Object::StaticClass(),
                                {
                                    SetterProperty("Placement", &Window::SetPlacement),
                                    SetterProperty("Width", &Window::SetWidth),
                                    SetterProperty("Height", &Window::SetHeight),
                                    SetterProperty("MinWidth", &Window::SetMinWidth),
                                    SetterProperty("MinHeight", &Window::SetMinHeight),
                                    SetterProperty("MaxWidth", &Window::SetMaxWidth),
                                    SetterProperty("MaxHeight", &Window::SetMaxHeight),
                                    SetterProperty("Frame", &Window::SetFrame),
                                    SetterProperty("Composite", &Window::SetComposite),
                                    SetterProperty("HasBackColor", &Window::SetHasBackColor),
                                    SetterProperty("BackColor", &Window::SetBackColor),
                                    SetterProperty("Title", &Window::SetTitle),
                                    SetterProperty("Visible", &Window::SetVisible),
                                    SetterProperty("FullScreen", &Window::SetFullScreen),
                                    SetterProperty("MenuBarVisible", &Window::SetMenuBarVisible),
                                    SetterProperty("CloseButton", &Window::SetCloseButton),
                                    SetterProperty("Resizeable", &Window::SetResizeable),
                                    SetterProperty("LiveResize", &Window::SetLiveResize),
                                    SetterProperty("MaximizeButton", &Window::SetMaximizeButton),
                                    SetterProperty("MinimizeButton", &Window::SetMinimizeButton),
                                    SetterProperty("MacProcId", &Window::SetMacProcId),
                                }};
    return info;
}

Window::Window() : impl_(std::make_unique<Impl>()) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        throw RuntimeException("a window needs the runtime: RuntimeInit has not run");
    auto* window = new NativeMainWindow;
    window->visibleFlag = &impl_->visible;
    auto* content = new ContentArea;
    window->setCentralWidget(content);
    // The bar stays in the window even on desktops with a global menu.
    window->menuBar()->setNativeMenuBar(false);
    KeepLightBackdrop(*window);
    impl_->window = window;
    impl_->content = content;
    impl_->ApplyGeometry();
    impl_->ApplyFlags();
}

Window::~Window() {
    ReleaseControls();
    ReleaseNative();
}

void Window::ReleaseNative() {
    if (impl_->window) {
        impl_->window->visibleFlag = nullptr;
        impl_->window->hide();
        delete impl_->window.data();
    }
}

void Window::Constructor() {
    auto self = std::static_pointer_cast<Window>(shared_from_this());
    RuntimeAddWindow(self);
    struct Constructing {
        Impl& impl;
        explicit Constructing(Impl& i) : impl(i) { impl.constructing = true; }
        ~Constructing() { impl.constructing = false; }
    } constructing(*impl_);
    Layout();
    CreateControls();
    // The Open handlers may add controls: walk a copy.
    std::vector<std::shared_ptr<Object>> controls = controls_;
    for (const auto& object : controls)
        if (auto* control = dynamic_cast<Control*>(object.get())) control->WindowOpened();
    contentsChanged_ = false;
    impl_->constructing = false;
    impl_->ApplyFlags();
    impl_->ApplyVisibility();
}

std::shared_ptr<::MenuBar> Window::MenuBar() const {
    return menuBar_;
}

void Window::SetMenuBar(std::shared_ptr<::MenuBar> menuBar) {
    menuBar_ = std::move(menuBar);
    if (impl_->window) {
        InstallNativeMenuBar(*impl_->window, menuBar_);
        impl_->window->menuBar()->setVisible(impl_->menuBarVisible);
        impl_->ApplyGeometry();
    }
}

void Window::Adopt(Object& object) {
    if (auto* control = dynamic_cast<Control*>(&object))
        control->owner_ = std::static_pointer_cast<Window>(shared_from_this());
}

void Window::AddControl(const String& name, const std::shared_ptr<Object>& control) {
    Object& object = Deref(control, "the control to add");
    if (auto* c = dynamic_cast<Control*>(&object)) {
        if (c->owner_.expired()) c->owner_ = std::static_pointer_cast<Window>(shared_from_this());
        if (c->name_.empty()) c->name_ = name;
    }
    if (auto* child = dynamic_cast<PaneChild*>(&object))
        child->SetWindow(std::static_pointer_cast<Window>(shared_from_this()));
    controls_.push_back(control);
    controlNames_.push_back(name);
}

std::shared_ptr<Object> Window::ControlByName(const String& name) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (StrEquals(controlNames_[i], name)) return controls_[i];
    return nullptr;
}

std::shared_ptr<Object> Window::ControlByNameIndex(const String& name, int32_t index) const {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (!StrEquals(controlNames_[i], name)) continue;
        const Object* object = controls_[i].get();
        if (auto* c = dynamic_cast<const Control*>(object); c && c->Index() == index)
            return controls_[i];
        if (auto* p = dynamic_cast<const PaneChild*>(object); p && p->Index() == index)
            return controls_[i];
    }
    return nullptr;
}

void Window::ReleaseControls() {
    // Moved out first: a control's destructor must not see a half-cleared list.
    std::vector<std::shared_ptr<Object>> controls;
    controls.swap(controls_);
    controlNames_.clear();
    controls.clear();
}

QWidget* Window::NativeWindow() const {
    return impl_->window.data();
}

QWidget* Window::ContentWidget() const {
    return impl_->content.data();
}

int32_t Window::Placement() const {
    return impl_->placement;
}
void Window::SetPlacement(int32_t v) {
    impl_->placement = v;
}
int32_t Window::Width() const {
    return impl_->width;
}
void Window::SetWidth(int32_t v) {
    impl_->width = v;
    impl_->ApplyGeometry();
}
int32_t Window::Height() const {
    return impl_->height;
}
void Window::SetHeight(int32_t v) {
    impl_->height = v;
    impl_->ApplyGeometry();
}
int32_t Window::MinWidth() const {
    return impl_->minWidth;
}
void Window::SetMinWidth(int32_t v) {
    impl_->minWidth = v;
    impl_->ApplyGeometry();
}
int32_t Window::MinHeight() const {
    return impl_->minHeight;
}
void Window::SetMinHeight(int32_t v) {
    impl_->minHeight = v;
    impl_->ApplyGeometry();
}
int32_t Window::MaxWidth() const {
    return impl_->maxWidth;
}
void Window::SetMaxWidth(int32_t v) {
    impl_->maxWidth = v;
    impl_->ApplyGeometry();
}
int32_t Window::MaxHeight() const {
    return impl_->maxHeight;
}
void Window::SetMaxHeight(int32_t v) {
    impl_->maxHeight = v;
    impl_->ApplyGeometry();
}
int32_t Window::Frame() const {
    return impl_->frame;
}
void Window::SetFrame(int32_t v) {
    impl_->frame = v;
}
bool Window::Composite() const {
    return impl_->composite;
}
void Window::SetComposite(bool v) {
    impl_->composite = v;
}
bool Window::HasBackColor() const {
    return impl_->hasBackColor;
}
void Window::SetHasBackColor(bool v) {
    impl_->hasBackColor = v;
    impl_->ApplyBackColor();
}
Color Window::BackColor() const {
    return impl_->backColor;
}
void Window::SetBackColor(Color v) {
    impl_->backColor = v;
    impl_->ApplyBackColor();
}
String Window::Title() const {
    return impl_->title;
}
void Window::SetTitle(const String& v) {
    impl_->title = v;
    if (impl_->window) impl_->window->setWindowTitle(ToQString(v));
}
bool Window::Visible() const {
    return impl_->visible;
}
void Window::SetVisible(bool v) {
    impl_->visible = v;
    impl_->ApplyVisibility();
}
bool Window::FullScreen() const {
    return impl_->fullScreen;
}
void Window::SetFullScreen(bool v) {
    impl_->fullScreen = v;
    if (impl_->visible) impl_->ApplyVisibility();
}
bool Window::MenuBarVisible() const {
    return impl_->menuBarVisible;
}
void Window::SetMenuBarVisible(bool v) {
    impl_->menuBarVisible = v;
    if (impl_->window) {
        impl_->window->menuBar()->setVisible(v);
        impl_->ApplyGeometry();
    }
}
bool Window::CloseButton() const {
    return impl_->closeButton;
}
void Window::SetCloseButton(bool v) {
    impl_->closeButton = v;
    if (impl_->window) impl_->window->closeButton = v;
    impl_->ApplyFlags();
}
bool Window::Resizeable() const {
    return impl_->resizeable;
}
void Window::SetResizeable(bool v) {
    impl_->resizeable = v;
    impl_->ApplyGeometry();
    impl_->ApplyFlags();
}
bool Window::LiveResize() const {
    return impl_->liveResize;
}
void Window::SetLiveResize(bool v) {
    impl_->liveResize = v;
}
bool Window::MaximizeButton() const {
    return impl_->maximizeButton;
}
void Window::SetMaximizeButton(bool v) {
    impl_->maximizeButton = v;
    impl_->ApplyFlags();
}
bool Window::MinimizeButton() const {
    return impl_->minimizeButton;
}
void Window::SetMinimizeButton(bool v) {
    impl_->minimizeButton = v;
    impl_->ApplyFlags();
}
int32_t Window::MacProcId() const {
    return impl_->macProcId;
}
void Window::SetMacProcId(int32_t v) {
    impl_->macProcId = v;
}
