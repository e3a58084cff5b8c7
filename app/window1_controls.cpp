// The main window's 36 controls, created in their one order: each is allocated, constructed and
// registered, then found again by name for its text size, its property list and its bindings.
#include <optional>
#include <type_traits>

#include "app/window1.h"
#include "app/window1_lists.h"
#include "framework/core/exceptions.h"
#include "framework/core/property_list.h"

namespace {

// Set by code before the list is applied, where a control shows text.
struct TextLook {
    std::optional<float> size;
    bool unit = false;
};
constexpr TextLook Size(float size) {
    return {size, true};
}
constexpr TextLook kNoText{};
constexpr TextLook kUnitOnly{std::nullopt, true};

// Allocate, construct, register.
template <class Made>
void Register(Window1& window, const char* name) {
    std::shared_ptr<Made> control = window.New<Made>();
    control->Constructor();
    window.AddControl(name, control);
}

void RegisterKey(Window1& window, int32_t index) {
    std::shared_ptr<Window1NumGene> key = window.New<Window1NumGene>();
    key->Constructor(index);
    window.AddControl("NumGene", key);
}

template <class T>
T& Find(const Window1& window, const char* name) {
    return Deref(std::dynamic_pointer_cast<T>(window.ControlByName(name)), name);
}

PushButton& FindKey(const Window1& window, int32_t index) {
    return Deref(std::dynamic_pointer_cast<PushButton>(window.ControlByNameIndex("NumGene", index)),
                 "NumGene");
}

template <class T>
void ApplyTextLook(const Window1& window, const char* name, TextLook look) {
    if constexpr (std::is_base_of_v<RectControl, T>) {
        if (look.size) Find<T>(window, name).SetTextSize(*look.size);
        if (look.unit) Find<T>(window, name).SetTextUnit(FontUnits::Default);
    }
}

// One control made whole: registered, its text look set, its property list applied. Its bindings
// follow at the call site.
template <class T, class Made = T>
void Create(Window1& window, const char* name, TextLook look) {
    Register<Made>(window, name);
    ApplyTextLook<T>(window, name, look);
    SetProperties(Find<T>(window, name), Window1ControlList(name));
}

}  // namespace

void Window1::CreateControls0() {
    const auto self = std::static_pointer_cast<Window1>(shared_from_this());
    Window1& w = *this;

    Create<TextField>(w, "DataEF", Size(12));
    Find<TextField>(w, "DataEF")
        .TextChange.AddHandler(self, &Window1::DataEF_TextChange, "( TextField )");

    Create<PushButton>(w, "GeneratePB", Size(12));
    Find<PushButton>(w, "GeneratePB")
        .Action.AddHandler(self, &Window1::GeneratePB_Action, "( PushButton )");
    Find<PushButton>(w, "GeneratePB")
        .MouseExit.AddHandler(self, &Window1::GeneratePB_MouseExit, "( PushButton )");
    Find<PushButton>(w, "GeneratePB")
        .MouseEnter.AddHandler(self, &Window1::GeneratePB_MouseEnter, "( PushButton )");

    Create<MoviePlayer>(w, "mp", kNoText);

    for (int32_t i = 0; i < 10; ++i) {
        RegisterKey(w, i);
        FindKey(w, i).SetTextSize(12);
        FindKey(w, i).SetTextUnit(FontUnits::Default);
        SetProperties(FindKey(w, i), Window1ControlList("NumGene", i));
        FindKey(w, i).Action.AddHandler(self, &Window1::NumGene_Action, "( PushButton )");
        FindKey(w, i).Open.AddHandler(self, &Window1::NumGene_Open, "( PushButton )");
    }

    Create<Label>(w, "Label1", Size(12));
    Create<ComboBox>(w, "SampleRateCB", Size(12));
    Create<Label>(w, "Label2", Size(12));
    Create<Label>(w, "Label3", Size(12));
    Create<Label>(w, "Label4", Size(12));

    Create<ComboBox>(w, "BaudCB", Size(12));
    Find<ComboBox>(w, "BaudCB").Change.AddHandler(self, &Window1::BaudCB_Change, "( ComboBox )");

    Create<TextField>(w, "HighEF", Size(12));
    Create<TextField>(w, "LowEF", Size(12));
    Create<Separator>(w, "Separator1", kNoText);

    Create<TextField>(w, "HeadEF", Size(12));
    Find<TextField>(w, "HeadEF")
        .TextChange.AddHandler(self, &Window1::HeadEF_TextChange, "( TextField )");

    Create<Label>(w, "Label5", Size(12));
    Create<Label>(w, "Label6", Size(12));

    Create<TextField>(w, "FootEF", Size(12));
    Find<TextField>(w, "FootEF")
        .TextChange.AddHandler(self, &Window1::FootEF_TextChange, "( TextField )");

    Create<Label>(w, "Label7", Size(12));

    Create<PopupMenu>(w, "TagPM", Size(12));
    Find<PopupMenu>(w, "TagPM").Change.AddHandler(self, &Window1::TagPM_Change, "( PopupMenu )");

    Create<Label>(w, "DataST", Size(10));
}

void Window1::CreateControls1() {
    const auto self = std::static_pointer_cast<Window1>(shared_from_this());
    Window1& w = *this;

    Create<Timer, Window1Timer1>(w, "Timer1", kNoText);
    Find<Timer>(w, "Timer1").Action.AddHandler(self, &Window1::Timer1_Action, "( Timer )");

    Create<Separator>(w, "Separator2", kNoText);

    Create<PushButton>(w, "ShowFolderPB", Size(12));
    Find<PushButton>(w, "ShowFolderPB")
        .Action.AddHandler(self, &Window1::ShowFolderPB_Action, "( PushButton )");
    Find<PushButton>(w, "ShowFolderPB")
        .MouseExit.AddHandler(self, &Window1::ShowFolderPB_MouseExit, "( PushButton )");
    Find<PushButton>(w, "ShowFolderPB")
        .MouseEnter.AddHandler(self, &Window1::ShowFolderPB_MouseEnter, "( PushButton )");

    Create<Label>(w, "Label8", Size(24));
    // The unit alone: the line under the heading keeps the framework's default size.
    Create<Label>(w, "Label9", kUnitOnly);

    Create<Label>(w, "Label10", Size(11));
    Find<Label>(w, "Label10")
        .MouseDown.AddHandler(self, &Window1::Label10_MouseDown,
                              "( Label, Int32, Int32 ) as Boolean");
    Find<Label>(w, "Label10")
        .MouseEnter.AddHandler(self, &Window1::Label10_MouseEnter, "( Label )");
    Find<Label>(w, "Label10").MouseExit.AddHandler(self, &Window1::Label10_MouseExit, "( Label )");

    Create<PopupMenu>(w, "wavPM", Size(12));
    Find<PopupMenu>(w, "wavPM")
        .MouseDown.AddHandler(self, &Window1::wavPM_MouseDown,
                              "( PopupMenu, Int32, Int32 ) as Boolean");
    Find<PopupMenu>(w, "wavPM").Change.AddHandler(self, &Window1::wavPM_Change, "( PopupMenu )");
}
