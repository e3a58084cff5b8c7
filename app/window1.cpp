// The main window: its class, its two window events, the control and menu-item accessors, the
// keypad and timer classes, and the one instance.
#include "app/window1.h"

#include "app/menu_bar.h"
#include "app/window1_lists.h"
#include "framework/core/exceptions.h"
#include "framework/core/property_list.h"
#include "framework/ui/runtime.h"

namespace {

// Nil when nothing is registered under the name or the object is not a T.
template <class T>
std::shared_ptr<T> ControlAs(const Window& window, const char* name) {
    return std::dynamic_pointer_cast<T>(window.ControlByName(name));
}

template <class T>
std::shared_ptr<T> MenuItemAs(const Window& window, const char* name) {
    return std::dynamic_pointer_cast<T>(
        Deref(window.MenuBar(), "the window's menu bar").Lookup(name));
}

template <auto Field>
PropertyInfo StringField(const char* name) {
    return {name, PropertyType::String, [](Object& o, const PropertyValue& v) {
                static_cast<Window1&>(o).*Field = std::get<String>(v);
            }};
}

}  // namespace

const ClassInfo& Window1::StaticClass() {
    static const ClassInfo info{
        "Window1.Window1",
        &Window::StaticClass(),
        {StringField<&Window1::mHexTagA>("mHexTagA"), StringField<&Window1::mHexTagB>("mHexTagB")}};
    return info;
}

void Window1::Layout() {
    SetMenuBar(MenuBar1Instance());
    SetProperties(*this, Window1WindowList());
}

void Window1::CreateControls() {
    CreateControls0();
    CreateControls1();
}

std::shared_ptr<TextField> Window1::DataEF() {
    return ControlAs<TextField>(*this, "DataEF");
}
std::shared_ptr<PushButton> Window1::GeneratePB() {
    return ControlAs<PushButton>(*this, "GeneratePB");
}
std::shared_ptr<MoviePlayer> Window1::mp() {
    return ControlAs<MoviePlayer>(*this, "mp");
}
std::shared_ptr<PushButton> Window1::NumGene(int32_t index) {
    return std::dynamic_pointer_cast<PushButton>(ControlByNameIndex("NumGene", index));
}
std::shared_ptr<Label> Window1::Label1() {
    return ControlAs<Label>(*this, "Label1");
}
std::shared_ptr<ComboBox> Window1::SampleRateCB() {
    return ControlAs<ComboBox>(*this, "SampleRateCB");
}
std::shared_ptr<Label> Window1::Label2() {
    return ControlAs<Label>(*this, "Label2");
}
std::shared_ptr<Label> Window1::Label3() {
    return ControlAs<Label>(*this, "Label3");
}
std::shared_ptr<Label> Window1::Label4() {
    return ControlAs<Label>(*this, "Label4");
}
std::shared_ptr<ComboBox> Window1::BaudCB() {
    return ControlAs<ComboBox>(*this, "BaudCB");
}
std::shared_ptr<TextField> Window1::HighEF() {
    return ControlAs<TextField>(*this, "HighEF");
}
std::shared_ptr<TextField> Window1::LowEF() {
    return ControlAs<TextField>(*this, "LowEF");
}
std::shared_ptr<Separator> Window1::Separator1() {
    return ControlAs<Separator>(*this, "Separator1");
}
std::shared_ptr<TextField> Window1::HeadEF() {
    return ControlAs<TextField>(*this, "HeadEF");
}
std::shared_ptr<Label> Window1::Label5() {
    return ControlAs<Label>(*this, "Label5");
}
std::shared_ptr<Label> Window1::Label6() {
    return ControlAs<Label>(*this, "Label6");
}
std::shared_ptr<TextField> Window1::FootEF() {
    return ControlAs<TextField>(*this, "FootEF");
}
std::shared_ptr<Label> Window1::Label7() {
    return ControlAs<Label>(*this, "Label7");
}
std::shared_ptr<PopupMenu> Window1::TagPM() {
    return ControlAs<PopupMenu>(*this, "TagPM");
}
std::shared_ptr<Label> Window1::DataST() {
    return ControlAs<Label>(*this, "DataST");
}
std::shared_ptr<Timer> Window1::Timer1() {
    return ControlAs<Timer>(*this, "Timer1");
}
std::shared_ptr<Separator> Window1::Separator2() {
    return ControlAs<Separator>(*this, "Separator2");
}
std::shared_ptr<PushButton> Window1::ShowFolderPB() {
    return ControlAs<PushButton>(*this, "ShowFolderPB");
}
std::shared_ptr<Label> Window1::Label8() {
    return ControlAs<Label>(*this, "Label8");
}
std::shared_ptr<Label> Window1::Label9() {
    return ControlAs<Label>(*this, "Label9");
}
std::shared_ptr<Label> Window1::Label10() {
    return ControlAs<Label>(*this, "Label10");
}
std::shared_ptr<PopupMenu> Window1::wavPM() {
    return ControlAs<PopupMenu>(*this, "wavPM");
}

std::shared_ptr<MenuItem> Window1::EditMenu() {
    return MenuItemAs<MenuItem>(*this, "EditMenu");
}
std::shared_ptr<MenuItem> Window1::EditSelectAll() {
    return MenuItemAs<MenuItem>(*this, "EditSelectAll");
}
std::shared_ptr<MenuItem> Window1::UntitledMenu0() {
    return MenuItemAs<MenuItem>(*this, "UntitledMenu0");
}
std::shared_ptr<MenuItem> Window1::EditClear() {
    return MenuItemAs<MenuItem>(*this, "EditClear");
}
std::shared_ptr<MenuItem> Window1::EditPaste() {
    return MenuItemAs<MenuItem>(*this, "EditPaste");
}
std::shared_ptr<MenuItem> Window1::EditCopy() {
    return MenuItemAs<MenuItem>(*this, "EditCopy");
}
std::shared_ptr<MenuItem> Window1::EditCut() {
    return MenuItemAs<MenuItem>(*this, "EditCut");
}
std::shared_ptr<MenuItem> Window1::UntitledMenu1() {
    return MenuItemAs<MenuItem>(*this, "UntitledMenu1");
}
std::shared_ptr<MenuItem> Window1::EditUndo() {
    return MenuItemAs<MenuItem>(*this, "EditUndo");
}
std::shared_ptr<MenuItem> Window1::FileMenu() {
    return MenuItemAs<MenuItem>(*this, "FileMenu");
}
std::shared_ptr<QuitMenuItem> Window1::FileQuit() {
    return MenuItemAs<QuitMenuItem>(*this, "FileQuit");
}

// The keypad reads its digits once the window has opened its controls.
void Window1::NumGene_Open(std::shared_ptr<PushButton> sender) {
    auto& key = Deref(std::dynamic_pointer_cast<Window1NumGene>(sender), "NumGene");
    key.SetCaption(Str(key.Index()));
}

const ClassInfo& Window1NumGene::StaticClass() {
    static const ClassInfo info{"Window1.NumGene", &PushButton::StaticClass()};
    return info;
}

void Window1NumGene::Constructor() {
    PushButton::Constructor();
}

void Window1NumGene::Constructor(int32_t index) {
    // The element carries its index before it is built and registered.
    SetIndex(index);
    PushButton::Constructor();
}

const ClassInfo& Window1Timer1::StaticClass() {
    static const ClassInfo info{"Window1.Timer1", &Timer::StaticClass()};
    return info;
}

void Window1Timer1::SetWindow(std::shared_ptr<::Window> window) {
    ownerWindow = std::move(window);
}
std::shared_ptr<::Window> Window1Timer1::Window() const {
    return ownerWindow;
}
int32_t Window1Timer1::Index() const {
    return mIndex;
}
void Window1Timer1::SetIndex(int32_t index) {
    mIndex = index;
}

std::shared_ptr<Window1> Window1Instance() {
    if (std::shared_ptr<Window> existing = GetImplicitWindow("Window1.Window1")) {
        // A cast that fails raises, as casts do in the framework, rather than giving Nil.
        auto window = std::dynamic_pointer_cast<Window1>(existing);
        if (!window) throw TypeMismatchException("the window \"Window1.Window1\" is not a Window1");
        return window;
    }
    auto window = std::make_shared<Window1>();
    window->Constructor();
    return window;
}
