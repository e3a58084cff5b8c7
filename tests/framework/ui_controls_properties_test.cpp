// The control classes' property tables: every key the lists use has its type wherever it is
// found, every property applies, and the keys with an effect on screen change the widget.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <limits>

#include "framework/core/property_list.h"
#include "framework/ui/movie_player.h"
#include "framework/ui/timer.h"
#include "framework/ui/window.h"
#include "tests/framework/ui_controls_probe.h"

namespace {

using T = PropertyType;

// The keys the window's and the controls' lists use, by the type their values are written in.
const std::pair<PropertyType, std::vector<const char*>> kListKeysByType[] = {
    {T::Int32,
     {"Placement",     "Width",      "Height",     "MinWidth",  "MinHeight",   "MaxWidth",
      "MaxHeight",     "Frame",      "MacProcID",  "Index",     "Left",        "Top",
      "TabPanelIndex", "TabIndex",   "LimitText",  "Alignment", "ButtonStyle", "TextAlign",
      "ListIndex",     "PlayerType", "Controller", "Mode",      "Period"}},
    {T::Boolean,
     {"Composite",
      "HasBackColor",
      "Visible",
      "FullScreen",
      "MenuBarVisible",
      "CloseButton",
      "Resizeable",
      "LiveResize",
      "MaximizeButton",
      "MinimizeButton",
      "LockLeft",
      "LockTop",
      "LockRight",
      "LockBottom",
      "TabStop",
      "Enabled",
      "AutoDeactivate",
      "Border",
      "Password",
      "UseFocusRing",
      "ReadOnly",
      "AcceptTabs",
      "AutomaticallyCheckSpelling",
      "Bold",
      "Italic",
      "Underline",
      "Default",
      "Cancel",
      "Multiline",
      "Selectable",
      "Transparent",
      "AutoComplete",
      "AutoResize",
      "Speaker",
      "HasStep",
      "AutoPlay",
      "Looping",
      "Palindrome"}},
    {T::Color, {"BackColor", "TextColor"}},
    {T::String,
     {"Title", "Name", "Caption", "Text", "InitialValue", "TextFont", "HelpTag", "InitialParent",
      "Format", "CueText", "Mask", "DataSource", "DataField"}},
};

// The classes whose objects the lists describe.
const ClassInfo* const kListedClasses[] = {
    &Window::StaticClass(),      &TextField::StaticClass(), &PushButton::StaticClass(),
    &Label::StaticClass(),       &PopupMenu::StaticClass(), &ComboBox::StaticClass(),
    &MoviePlayer::StaticClass(), &Separator::StaticClass(), &Timer::StaticClass()};

std::string Upper(std::string s) {
    for (char& c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Every list key is found, in any letter case, by some listed class, and wherever it is found it
// has the type its values are written in.
TEST(UiControlsProperties, EveryListKeyHasItsTypeInEveryClassThatFindsIt) {
    for (const auto& [type, keys] : kListKeysByType) {
        for (const char* key : keys) {
            int classes = 0;
            for (const ClassInfo* info : kListedClasses) {
                const PropertyInfo* found = info->FindProperty(key);
                EXPECT_EQ(info->FindProperty(Upper(key)), found) << info->fullName << " " << key;
                if (!found) continue;
                ++classes;
                EXPECT_EQ(found->type, type) << info->fullName << " " << key;
            }
            EXPECT_GT(classes, 0) << key;
        }
    }
}

// A list setting every property the class and its bases declare, bases first, with plain values.
PropertyBlob EveryPropertyList(const ClassInfo& info) {
    std::vector<const ClassInfo*> chain;
    for (const ClassInfo* c = &info; c; c = c->base) chain.insert(chain.begin(), c);
    String list;
    for (const ClassInfo* c : chain) {
        for (const PropertyInfo& p : c->properties) {
            const char* key = p.name.c_str();
            switch (p.type) {
                case T::Int32:
                    list += prop::Int32Entry(key, p.name == "Index" ? kNoIndex
                                                  : p.name == "Width" || p.name == "Height" ? 20
                                                                                            : 0);
                    break;
                case T::Boolean:
                    list += prop::BooleanEntry(key, true);
                    break;
                case T::Color:
                    list += prop::ColorEntry(key, Color{0, 0, 0});
                    break;
                case T::String:
                    list += prop::StringEntry(key, p.name == "TextFont" ? "System" : "");
                    break;
            }
        }
    }
    return list;
}

TEST(UiControlsProperties, EveryPropertyOfEachControlClassApplies) {
    auto window = MakeProbeWindow();
    const std::vector<std::shared_ptr<RectControl>> controls = {
        window->New<TextField>(), window->New<PushButton>(), window->New<Label>(),
        window->New<PopupMenu>(), window->New<ComboBox>(),   window->New<MoviePlayer>(),
        window->New<Separator>()};
    for (size_t i = 0; i < controls.size(); ++i) {
        const ClassInfo& info = controls[i]->Class();
        controls[i]->Constructor();
        window->AddControl("C" + Str(int32_t(i)), controls[i]);
        EXPECT_NO_THROW(SetProperties(*controls[i], EveryPropertyList(info))) << info.fullName;
        EXPECT_EQ(controls[i]->Index(), kNoIndex) << info.fullName;
        EXPECT_EQ(controls[i]->NativeWidget()->size(), QSize(20, 20)) << info.fullName;
    }
}

TEST(UiControlsProperties, TimerFindsModeAndPeriod) {
    EXPECT_EQ(Timer::StaticClass().FindProperty("mode")->type, T::Int32);
    EXPECT_EQ(Timer::StaticClass().FindProperty("PERIOD")->type, T::Int32);
    EXPECT_EQ(Timer::StaticClass().FindProperty("Name"), nullptr);
}

TEST(UiControlsProperties, KeysAreDeclaredOnTheClassesThatOwnThem) {
    auto declares = [](const ClassInfo& info, const char* key) {
        for (const PropertyInfo& p : info.properties)
            if (Upper(p.name) == Upper(key)) return true;
        return false;
    };
    EXPECT_TRUE(declares(Control::StaticClass(), "Name"));
    EXPECT_TRUE(declares(Control::StaticClass(), "Index"));
    EXPECT_TRUE(declares(Control::StaticClass(), "TabPanelIndex"));
    for (const char* key : {"Left", "Top", "Width", "Height", "LockLeft", "LockTop", "LockRight",
                            "LockBottom", "TabIndex", "TabStop", "Visible", "Enabled",
                            "AutoDeactivate", "HelpTag", "InitialParent"})
        EXPECT_TRUE(declares(RectControl::StaticClass(), key)) << key;
    EXPECT_TRUE(declares(TextEdit::StaticClass(), "Text"));
    EXPECT_TRUE(declares(PopupMenu::StaticClass(), "InitialValue"));
    EXPECT_TRUE(declares(ComboBox::StaticClass(), "AutoComplete"));
    EXPECT_EQ(Label::StaticClass().FindProperty("Multiline")->name, "MultiLine");
    // The class chain.
    EXPECT_EQ(TextField::StaticClass().base, &TextEdit::StaticClass());
    EXPECT_EQ(ComboBox::StaticClass().base, &PopupMenu::StaticClass());
    EXPECT_EQ(RectControl::StaticClass().base, &Control::StaticClass());
    EXPECT_TRUE(MoviePlayer::StaticClass().IsA(RectControl::StaticClass()));
    EXPECT_EQ(PushButton::StaticClass().fullName, "PushButton");
}

// ---- effects on screen ----

TEST(UiControlsProperties, TextFieldListActsOnTheField) {
    auto window = MakeProbeWindow();
    auto field = AddProbeControl<TextField>(*window, "DataEF");
    field->SetTextSize(12);
    field->SetTextUnit(FontUnits::Default);
    SetProperties(
        *field,
        Blob({prop::Int32Entry("Left", 233), prop::Int32Entry("Top", 13),
              prop::Int32Entry("Width", 266), prop::Int32Entry("Height", 22),
              prop::BooleanEntry("Password", true), prop::ColorEntry("TextColor", Color{1, 2, 3}),
              prop::ColorEntry("BackColor", Color{255, 255, 255}),
              prop::StringEntry("TextFont", "System"), prop::BooleanEntry("Bold", true),
              prop::StringEntry("CueText", "cue"), prop::StringEntry("Text", "Hello!"),
              prop::BooleanEntry("ReadOnly", true), prop::Int32Entry("LimitText", 0),
              prop::Int32Entry("Alignment", 3), prop::StringEntry("HelpTag", "tip"),
              prop::StringEntry("Format", "##")}));
    auto* edit = static_cast<QLineEdit*>(field->NativeWidget());
    EXPECT_EQ(edit->geometry(), QRect(233, 13, 266, 22));
    EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
    EXPECT_EQ(edit->palette().color(QPalette::Text), QColor(1, 2, 3));
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 255, 255));
    EXPECT_TRUE(edit->font().bold());
    EXPECT_EQ(edit->font().family(), QApplication::font().family());
    EXPECT_EQ(edit->font().pixelSize(), 12);
    EXPECT_EQ(edit->placeholderText(), QStringLiteral("cue"));
    EXPECT_EQ(edit->text(), QStringLiteral("Hello!"));
    EXPECT_TRUE(edit->isReadOnly());
    EXPECT_EQ(edit->maxLength(), std::numeric_limits<int>::max());  // 0: no limit
    EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
    EXPECT_EQ(edit->toolTip(), QStringLiteral("tip"));
    ASSERT_NE(field->StoredProperty("Format"), nullptr);
    EXPECT_EQ(std::get<String>(*field->StoredProperty("Format")), "##");
    field->SetLimitText(4);
    EXPECT_EQ(edit->maxLength(), 4);
}

TEST(UiControlsProperties, LabelListActsOnTheLabel) {
    auto window = MakeProbeWindow();
    auto label = AddProbeControl<Label>(*window, "Label8");
    const float defaultSize = float(label->NativeWidget()->font().pointSizeF());
    label->SetTextUnit(FontUnits::Default);  // a unit alone keeps the default size
    EXPECT_FLOAT_EQ(float(label->NativeWidget()->font().pointSizeF()), defaultSize);
    label->SetTextSize(24);
    SetProperties(*label,
                  Blob({prop::StringEntry("Text", "Tarnwhistle"), prop::Int32Entry("TextAlign", 2),
                        prop::ColorEntry("TextColor", Color::FromRGB(0x0000FF)),
                        prop::BooleanEntry("Multiline", false), prop::BooleanEntry("Bold", true),
                        prop::BooleanEntry("Italic", true), prop::BooleanEntry("Underline", true),
                        prop::BooleanEntry("Visible", true)}));
    auto* qt = static_cast<QLabel*>(label->NativeWidget());
    EXPECT_EQ(qt->text(), QStringLiteral("Tarnwhistle"));
    EXPECT_TRUE(qt->alignment() & Qt::AlignRight);
    EXPECT_EQ(qt->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_TRUE(qt->font().bold());
    EXPECT_TRUE(qt->font().italic());
    EXPECT_TRUE(qt->font().underline());
    EXPECT_EQ(qt->font().pixelSize(), 24);
    EXPECT_FALSE(label->MultiLine());
    label->SetTextAlign(1);
    EXPECT_TRUE(qt->alignment() & Qt::AlignHCenter);
    label->SetTextAlign(0);
    EXPECT_TRUE(qt->alignment() & Qt::AlignLeft);
}

TEST(UiControlsProperties, PopupListMakesRowsThenSelects) {
    auto window = MakeProbeWindow();
    auto popup = AddProbeControl<PopupMenu>(*window, "TagPM");
    SetProperties(*popup,
                  Blob({prop::StringEntry("InitialValue", "( )\r[ ]\r< >\r"),
                        prop::Int32Entry("ListIndex", 0), prop::BooleanEntry("Enabled", true)}));
    EXPECT_EQ(popup->ListCount(), 3);
    EXPECT_EQ(popup->Text(), "( )");
    auto empty = AddProbeControl<PopupMenu>(*window, "wavPM");
    SetProperties(*empty,
                  Blob({prop::StringEntry("InitialValue", ""), prop::Int32Entry("ListIndex", 0)}));
    EXPECT_EQ(empty->ListIndex(), -1);
    auto combo = AddProbeControl<ComboBox>(*window, "SampleRateCB");
    SetProperties(
        *combo,
        Blob({prop::StringEntry("InitialValue", "14700\r22050\r29400\r36750\r44100"),
              prop::Int32Entry("ListIndex", 2), prop::BooleanEntry("AutoComplete", false)}));
    EXPECT_EQ(combo->Text(), "29400");
    EXPECT_TRUE(static_cast<QComboBox*>(combo->NativeWidget())->isEditable());
}

TEST(UiControlsProperties, SeparatorDrawsAlongItsLongerSide) {
    auto window = MakeProbeWindow();
    auto vertical = AddProbeControl<Separator>(*window, "Separator1", 213, 6, 6, 307);
    auto horizontal = AddProbeControl<Separator>(*window, "Separator2", 7, 187, 204, 3);
    EXPECT_EQ(static_cast<QFrame*>(vertical->NativeWidget())->frameShape(), QFrame::VLine);
    EXPECT_EQ(static_cast<QFrame*>(horizontal->NativeWidget())->frameShape(), QFrame::HLine);
    EXPECT_EQ(vertical->NativeWidget()->geometry(), QRect(213, 6, 6, 307));
}

TEST(UiControlsProperties, TextSizeFollowsItsUnit) {
    auto window = MakeProbeWindow();
    auto label = AddProbeControl<Label>(*window, "L");
    const QFont standard = label->NativeWidget()->font();
    struct Case {
        float size;
        FontUnits unit;
        int pixels;     // -1: not set in pixels
        double points;  // -1: not set in points
    };
    const Case cases[] = {
        {12, FontUnits::Default, 12, -1},
        {11, FontUnits::Pixel, 11, -1},
        {10, FontUnits::Point, -1, 10},
        {1, FontUnits::Inch, -1, 72},
    };
    for (const Case& c : cases) {
        label->SetTextSize(c.size);
        label->SetTextUnit(c.unit);
        const QFont font = label->NativeWidget()->font();
        EXPECT_EQ(font.pixelSize(), c.pixels) << int(c.unit);
        if (c.points > 0) {
            EXPECT_DOUBLE_EQ(font.pointSizeF(), c.points) << int(c.unit);
        }
    }
    label->SetTextSize(0);  // no size: the default font's
    EXPECT_EQ(label->NativeWidget()->font().pointSizeF(), standard.pointSizeF());
    EXPECT_EQ(label->NativeWidget()->font().pixelSize(), standard.pixelSize());
}

TEST(UiControlsProperties, ButtonCaptionAndPixelSizes) {
    auto window = MakeProbeWindow();
    auto button = AddProbeControl<PushButton>(*window, "GeneratePB");
    button->SetTextSize(15);
    button->SetTextUnit(FontUnits::Pixel);
    SetProperties(
        *button,
        Blob({prop::StringEntry("Caption", "Generate"), prop::BooleanEntry("Default", false),
              prop::Int32Entry("ButtonStyle", 0), prop::BooleanEntry("Enabled", false)}));
    auto* qt = static_cast<QPushButton*>(button->NativeWidget());
    EXPECT_EQ(qt->text(), QStringLiteral("Generate"));
    EXPECT_EQ(qt->font().pixelSize(), 15);
    EXPECT_FALSE(qt->isEnabled());
    ASSERT_NE(button->StoredProperty("ButtonStyle"), nullptr);
    EXPECT_EQ(std::get<int32_t>(*button->StoredProperty("ButtonStyle")), 0);
}

TEST(UiControlsProperties, PropertiesSetBeforeConstructionReachTheWidget) {
    auto window = MakeProbeWindow();
    auto field = window->New<TextField>();
    field->SetLeft(5);
    field->SetTop(6);
    field->SetWidth(70);
    field->SetHeight(22);
    field->SetText("early");
    field->SetVisible(false);
    field->Constructor();
    window->AddControl("Early", field);
    auto* edit = static_cast<QLineEdit*>(field->NativeWidget());
    EXPECT_EQ(edit->geometry(), QRect(5, 6, 70, 22));
    EXPECT_EQ(edit->text(), QStringLiteral("early"));
    EXPECT_FALSE(edit->isVisible());
}

}  // namespace
