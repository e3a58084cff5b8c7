// The 37 property lists, read entry by entry against the class of the object each describes, hold
// exactly the entries the window's and the controls' tables give: key as written, type and value,
// in the order of their class's lists.
#include <gtest/gtest.h>

#include <ostream>
#include <type_traits>
#include <variant>
#include <vector>

#include "app/maker_page.h"
#include "app/window1_lists.h"
#include "framework/core/exceptions.h"
#include "framework/core/property_list.h"
#include "tests/app/window_fixture.h"

namespace {

struct Entry {
    String key;
    PropertyValue value;
    friend bool operator==(const Entry&, const Entry&) = default;
};
using Entries = std::vector<Entry>;

void PrintTo(const Entry& e, std::ostream* os) {
    *os << e.key << " = ";
    std::visit(
        [os](const auto& v) {
            using V = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<V, Color>)
                *os << "Color(" << int(v.Red) << "," << int(v.Green) << "," << int(v.Blue) << ")";
            else if constexpr (std::is_same_v<V, String>)
                *os << "\"" << v << "\"";
            else if constexpr (std::is_same_v<V, bool>)
                *os << (v ? "true" : "false");
            else
                *os << "Int32 " << v;
        },
        e.value);
}

// Reads `list` against `cls`: the type each value is decoded in is the one the class declares.
Entries Parse(const PropertyBlob& list, const ClassInfo& cls) {
    Entries entries;
    ParsePropertyList(
        list,
        [&](const String& key) {
            entries.push_back({key, {}});
            return cls.FindProperty(key);
        },
        [&](const PropertyInfo&, const PropertyValue& value) { entries.back().value = value; });
    return entries;
}

Entries Concat(Entries a, const Entries& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};
const String kEmpty;
const String kSystem = "System";

// One row of the controls table: what differs from control to control.
struct Row {
    String name;
    int32_t index;
    int32_t left, top, width, height;
    int32_t tabIndex;
};

// The twelve entries every control list begins with.
Entries Common(const Row& r) {
    return {{"Name", r.name},      {"Index", r.index},   {"Left", r.left},
            {"Top", r.top},        {"Width", r.width},   {"Height", r.height},
            {"LockLeft", true},    {"LockTop", true},    {"LockRight", false},
            {"LockBottom", false}, {"TabPanelIndex", 0}, {"TabIndex", r.tabIndex}};
}

Entries TextFieldList(const Row& r, const String& text) {
    return Concat(Common(r), {{"TabStop", true},
                              {"Border", true},
                              {"Password", false},
                              {"UseFocusRing", true},
                              {"TextColor", kBlack},
                              {"BackColor", kWhite},
                              {"Enabled", true},
                              {"Format", kEmpty},
                              {"Visible", true},
                              {"HelpTag", kEmpty},
                              {"AutoDeactivate", true},
                              {"TextFont", kSystem},
                              {"Bold", false},
                              {"Italic", false},
                              {"Underline", false},
                              {"CueText", kEmpty},
                              {"Text", text},
                              {"Mask", kEmpty},
                              {"ReadOnly", false},
                              {"LimitText", 0},
                              {"AcceptTabs", false},
                              {"Alignment", 0},
                              {"AutomaticallyCheckSpelling", false},
                              {"DataSource", kEmpty},
                              {"DataField", kEmpty}});
}

Entries PushButtonList(const Row& r, const String& caption) {
    return Concat(Common(r), {{"TabStop", true},
                              {"Caption", caption},
                              {"Default", false},
                              {"Cancel", false},
                              {"Enabled", true},
                              {"Visible", true},
                              {"HelpTag", kEmpty},
                              {"AutoDeactivate", true},
                              {"ButtonStyle", 0},
                              {"TextFont", kSystem},
                              {"Bold", false},
                              {"Italic", false},
                              {"Underline", false},
                              {"InitialParent", kEmpty}});
}

Entries LabelList(const Row& r, const String& text, int32_t textAlign, bool bold = false) {
    return Concat(Common(r), {{"Text", text},
                              {"TextAlign", textAlign},
                              {"TextColor", kBlack},
                              {"Multiline", false},
                              {"Enabled", true},
                              {"Visible", true},
                              {"Selectable", false},
                              {"Transparent", false},
                              {"HelpTag", kEmpty},
                              {"AutoDeactivate", true},
                              {"TextFont", kSystem},
                              {"Bold", bold},
                              {"Italic", false},
                              {"Underline", false},
                              {"DataSource", kEmpty},
                              {"DataField", kEmpty},
                              {"InitialParent", kEmpty}});
}

Entries PopupMenuList(const Row& r, const String& rows, int32_t listIndex) {
    return Concat(Common(r), {{"TabStop", true},
                              {"Enabled", true},
                              {"InitialValue", rows},
                              {"ListIndex", listIndex},
                              {"Visible", true},
                              {"HelpTag", kEmpty},
                              {"AutoDeactivate", true},
                              {"TextFont", kSystem},
                              {"Bold", false},
                              {"Italic", false},
                              {"Underline", false},
                              {"DataSource", kEmpty},
                              {"DataField", kEmpty},
                              {"InitialParent", kEmpty}});
}

Entries ComboBoxList(const Row& r, const String& rows, int32_t listIndex) {
    return Concat(Common(r), {{"TabStop", true},
                              {"Enabled", true},
                              {"InitialValue", rows},
                              {"ListIndex", listIndex},
                              {"Visible", true},
                              {"HelpTag", kEmpty},
                              {"AutoDeactivate", true},
                              {"UseFocusRing", true},
                              {"TextFont", kSystem},
                              {"Bold", false},
                              {"Italic", false},
                              {"Underline", false},
                              {"DataSource", kEmpty},
                              {"DataField", kEmpty},
                              {"AutoComplete", false}});
}

Entries MoviePlayerList(const Row& r) {
    return Concat(Common(r), {{"TabStop", true},
                              {"AutoResize", true},
                              {"Border", true},
                              {"Speaker", true},
                              {"HasStep", true},
                              {"Visible", true},
                              {"HelpTag", kEmpty},
                              {"AutoDeactivate", true},
                              {"PlayerType", 0},
                              {"Controller", 2},
                              {"AutoPlay", false},
                              {"Looping", false},
                              {"Palindrome", false},
                              {"InitialParent", kEmpty}});
}

Entries SeparatorList(const Row& r) {
    return Concat(Common(r), {{"TabStop", true},
                              {"InitialParent", kEmpty},
                              {"Visible", true},
                              {"HelpTag", kEmpty},
                              {"AutoDeactivate", true},
                              {"Enabled", true}});
}

struct Expected {
    String name;
    int32_t index;
    Entries entries;
};

// The controls in creation order, with every entry of each one's list.
std::vector<Expected> ExpectedControlLists() {
    constexpr int32_t N = kNoIndex;
    constexpr int32_t kLeft = 0, kRight = 2;
    std::vector<Expected> out;
    auto add = [&](const Row& r, Entries entries) {
        out.push_back({r.name, r.index, std::move(entries)});
    };
    const Row data{"DataEF", N, 233, 13, 266, 22, 0};
    add(data, TextFieldList(data, "Hello!"));
    const Row generate{"GeneratePB", N, 235, 68, 80, 20, 1};
    add(generate, PushButtonList(generate, "Generate"));
    const Row mp{"mp", N, 323, 70, 160, 16, 2};
    add(mp, MoviePlayerList(mp));
    const int32_t keypad[10][2] = {{329, 244}, {257, 133}, {329, 133}, {401, 133}, {257, 167},
                                   {329, 167}, {401, 167}, {257, 202}, {329, 202}, {401, 202}};
    for (int32_t i = 0; i < 10; ++i) {
        const Row key{"NumGene", i, keypad[i][0], keypad[i][1], 60, 30, i + 3};
        add(key, PushButtonList(key, "0"));
    }
    const Row label1{"Label1", N, 13, 69, 81, 20, 14};
    add(label1, LabelList(label1, "Baudrate:", kRight));
    const Row sampleRate{"SampleRateCB", N, 103, 95, 100, 20, 15};
    add(sampleRate, ComboBoxList(sampleRate, "14700\r22050\r29400\r36750\r44100", 2));
    const Row label2{"Label2", N, 13, 98, 81, 20, 16};
    add(label2, LabelList(label2, "Samplerate:", kRight));
    const Row label3{"Label3", N, 13, 127, 81, 20, 18};
    add(label3, LabelList(label3, "High frq:", kRight));
    const Row label4{"Label4", N, 13, 155, 81, 20, 20};
    add(label4, LabelList(label4, "Low frq:", kRight));
    const Row baud{"BaudCB", N, 103, 65, 100, 20, 21};
    add(baud, ComboBoxList(baud, "100\r126\r315\r600\r630\r1225\r2450", 5));
    const Row high{"HighEF", N, 102, 124, 100, 22, 22};
    add(high, TextFieldList(high, "7350"));
    const Row low{"LowEF", N, 102, 152, 100, 22, 23};
    add(low, TextFieldList(low, "4900"));
    const Row separator1{"Separator1", N, 213, 6, 6, 307, 24};
    add(separator1, SeparatorList(separator1));
    const Row head{"HeadEF", N, 55, 197, 154, 22, 25};
    add(head, TextFieldList(head, ""));
    const Row label5{"Label5", N, 9, 200, 40, 20, 27};
    add(label5, LabelList(label5, "Prefix:", kRight));
    const Row label6{"Label6", N, 9, 230, 40, 20, 28};
    add(label6, LabelList(label6, "Suffix:", kRight));
    const Row foot{"FootEF", N, 55, 227, 154, 22, 29};
    add(foot, TextFieldList(foot, "(A)(A)"));
    const Row label7{"Label7", N, 9, 262, 71, 20, 31};
    add(label7, LabelList(label7, "Hex Tag:", kRight));
    const Row tags{"TagPM", N, 90, 259, 77, 20, 33};
    add(tags, PopupMenuList(tags, "( )\r[ ]\r< >\r", 0));
    const Row preview{"DataST", N, 238, 42, 249, 20, 34};
    add(preview, LabelList(preview, "Hello!(A)(A)", kLeft, true));
    out.push_back({"Timer1", N, {{"Mode", 0}, {"Period", 200}}});
    const Row separator2{"Separator2", N, 7, 187, 204, 3, 35};
    add(separator2, SeparatorList(separator2));
    const Row folder{"ShowFolderPB", N, 235, 98, 252, 20, 36};
    add(folder, PushButtonList(folder, "Show wav file folder"));
    const Row label8{"Label8", N, 7, 6, 194, 33, 37};
    add(label8, LabelList(label8, "Tarnwhistle", kLeft, true));
    const Row label9{"Label9", N, 9, 34, 127, 20, 38};
    add(label9, LabelList(label9, "for Softmodem", kLeft));
    const Row label10{"Label10", N, 372, 299, 136, 20, 39};
    add(label10, LabelList(label10, kMakerCredit, kRight));
    const Row files{"wavPM", N, 492, 67, 20, 20, 40};
    add(files, PopupMenuList(files, "", 0));
    return out;
}

TEST(PropertyLists, TheWindowsListHoldsItsTwentyOneEntries) {
    const Entries expected = {
        {"Placement", 0},          {"Width", 519},
        {"Height", 319},           {"MinWidth", 64},
        {"MinHeight", 64},         {"MaxWidth", 32000},
        {"MaxHeight", 32000},      {"Frame", 0},
        {"Composite", false},      {"HasBackColor", false},
        {"BackColor", kWhite},     {"Title", String("Tarnwhistle for Softmodem")},
        {"Visible", true},         {"FullScreen", false},
        {"MenuBarVisible", true},  {"CloseButton", false},
        {"Resizeable", false},     {"LiveResize", false},
        {"MaximizeButton", false}, {"MinimizeButton", true},
        {"MacProcID", 0}};
    const PropertyBlob& list = Window1WindowList();
    EXPECT_EQ(Parse(list, Window1::StaticClass()), expected);
    // "MacProcID" and four zero bytes end it.
    const String tail = String("MacProcID ") + String(4, '\0');
    ASSERT_GE(list.size(), tail.size());
    EXPECT_EQ(list.substr(list.size() - tail.size()), tail);
}

TEST(PropertyLists, EachControlListHoldsExactlyItsEntriesInCreationOrder) {
    std::shared_ptr<Window1> window = StartedWindow();
    const std::vector<Expected> expected = ExpectedControlLists();
    const auto& lists = Window1ControlLists();
    ASSERT_EQ(lists.size(), expected.size());
    for (size_t i = 0; i < lists.size(); ++i) {
        const ControlPropertyList& l = lists[i];
        SCOPED_TRACE(l.name + " " + std::to_string(l.index));
        EXPECT_EQ(l.name, expected[i].name);
        EXPECT_EQ(l.index, expected[i].index);
        std::shared_ptr<Object> control = l.index == kNoIndex
                                              ? window->ControlByName(l.name)
                                              : window->ControlByNameIndex(l.name, l.index);
        ASSERT_NE(control, nullptr);
        Entries entries;
        ASSERT_NO_THROW(entries = Parse(l.list, control->Class()));
        EXPECT_EQ(entries, expected[i].entries);
    }
}

TEST(PropertyLists, TheHexTagRowsEndWithACarriageReturn) {
    const PropertyBlob& list = Window1ControlList("TagPM");
    const String entry = "InitialValue " + String("\0\0\0\x0c", 4) + "( )\r[ ]\r< >\r";
    EXPECT_NE(list.find(entry), String::npos);
}

}  // namespace
