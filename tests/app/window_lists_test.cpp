// The 37 property lists: each parses entry by entry to its last byte against the class of the
// object it describes, holds exactly its class's keys in their order, and the values every list of
// a class shares.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/window1_lists.h"
#include "framework/core/exceptions.h"
#include "framework/ui/property_list.h"
#include "framework/ui/timer.h"
#include "tests/app/window_fixture.h"

namespace {

struct Entry {
    String key;
    PropertyValue value;
};

// Parses `list` against `cls`; every entry's key (as stored) and value.
std::vector<Entry> Parse(const PropertyBlob& list, const ClassInfo& cls) {
    std::vector<Entry> entries;
    ParsePropertyList(
        list,
        [&](const String& key) {
            entries.push_back({key, {}});
            return cls.FindProperty(key);
        },
        [&](const PropertyInfo&, const PropertyValue& value) { entries.back().value = value; });
    return entries;
}

// The list written back from its entries: equal bytes mean nothing was skipped or left over.
PropertyBlob Rebuilt(const std::vector<Entry>& entries) {
    PropertyBlob list;
    for (const Entry& e : entries) {
        const char* key = e.key.c_str();
        if (auto* i = std::get_if<int32_t>(&e.value)) list += prop::Int32Entry(key, *i);
        if (auto* b = std::get_if<bool>(&e.value)) list += prop::BooleanEntry(key, *b);
        if (auto* c = std::get_if<Color>(&e.value)) list += prop::ColorEntry(key, *c);
        if (auto* s = std::get_if<String>(&e.value)) list += prop::StringEntry(key, *s);
    }
    return list;
}

std::vector<String> Keys(const std::vector<Entry>& entries) {
    std::vector<String> keys;
    for (const Entry& e : entries) keys.push_back(e.key);
    return keys;
}

std::vector<String> Concat(std::vector<String> a, const std::vector<String>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<String> kCommon = {"Name",      "Index",      "Left",          "Top",
                                     "Width",     "Height",     "LockLeft",      "LockTop",
                                     "LockRight", "LockBottom", "TabPanelIndex", "TabIndex"};

const std::map<String, std::vector<String>> kKeysByClass = {
    {"TextField", Concat(kCommon, {"TabStop",
                                   "Border",
                                   "Password",
                                   "UseFocusRing",
                                   "TextColor",
                                   "BackColor",
                                   "Enabled",
                                   "Format",
                                   "Visible",
                                   "HelpTag",
                                   "AutoDeactivate",
                                   "TextFont",
                                   "Bold",
                                   "Italic",
                                   "Underline",
                                   "CueText",
                                   "Text",
                                   "Mask",
                                   "ReadOnly",
                                   "LimitText",
                                   "AcceptTabs",
                                   "Alignment",
                                   "AutomaticallyCheckSpelling",
                                   "DataSource",
                                   "DataField"})},
    {"PushButton", Concat(kCommon, {"TabStop", "Caption", "Default", "Cancel", "Enabled", "Visible",
                                    "HelpTag", "AutoDeactivate", "ButtonStyle", "TextFont", "Bold",
                                    "Italic", "Underline", "InitialParent"})},
    {"Label",
     Concat(kCommon, {"Text", "TextAlign", "TextColor", "Multiline", "Enabled", "Visible",
                      "Selectable", "Transparent", "HelpTag", "AutoDeactivate", "TextFont", "Bold",
                      "Italic", "Underline", "DataSource", "DataField", "InitialParent"})},
    {"PopupMenu", Concat(kCommon, {"TabStop", "Enabled", "InitialValue", "ListIndex", "Visible",
                                   "HelpTag", "AutoDeactivate", "TextFont", "Bold", "Italic",
                                   "Underline", "DataSource", "DataField", "InitialParent"})},
    {"ComboBox",
     Concat(kCommon, {"TabStop", "Enabled", "InitialValue", "ListIndex", "Visible", "HelpTag",
                      "AutoDeactivate", "UseFocusRing", "TextFont", "Bold", "Italic", "Underline",
                      "DataSource", "DataField", "AutoComplete"})},
    {"MoviePlayer",
     Concat(kCommon, {"TabStop", "AutoResize", "Border", "Speaker", "HasStep", "Visible", "HelpTag",
                      "AutoDeactivate", "PlayerType", "Controller", "AutoPlay", "Looping",
                      "Palindrome", "InitialParent"})},
    {"Separator", Concat(kCommon, {"TabStop", "InitialParent", "Visible", "HelpTag",
                                   "AutoDeactivate", "Enabled"})},
    {"Timer", {"Mode", "Period"}},
};

// The framework class a list is written for: the keypad's and the timer's lists are their bases'.
String ListClass(const ClassInfo& cls) {
    for (const ClassInfo* c = &cls; c; c = c->base)
        if (kKeysByClass.count(c->fullName)) return c->fullName;
    return cls.fullName;
}

TEST(PropertyLists, TheWindowsListParsesToItsLastByte) {
    const PropertyBlob& list = Window1WindowList();
    std::vector<Entry> entries = Parse(list, Window1::StaticClass());
    EXPECT_EQ(Rebuilt(entries), list);
    EXPECT_EQ(Keys(entries),
              (std::vector<String>{"Placement",  "Width",        "Height",         "MinWidth",
                                   "MinHeight",  "MaxWidth",     "MaxHeight",      "Frame",
                                   "Composite",  "HasBackColor", "BackColor",      "Title",
                                   "Visible",    "FullScreen",   "MenuBarVisible", "CloseButton",
                                   "Resizeable", "LiveResize",   "MaximizeButton", "MinimizeButton",
                                   "MacProcID"}));
    // "MacProcID" and four zero bytes end it.
    const String tail = String("MacProcID ") + String(4, '\0');
    ASSERT_GE(list.size(), tail.size());
    EXPECT_EQ(list.substr(list.size() - tail.size()), tail);
}

TEST(PropertyLists, EveryControlListParsesToItsLastByteWithItsClasssKeys) {
    std::shared_ptr<Window1> window = StartedWindow();
    const auto& lists = Window1ControlLists();
    ASSERT_EQ(lists.size(), 36u);
    for (const ControlPropertyList& l : lists) {
        SCOPED_TRACE(l.name + " " + std::to_string(l.index));
        std::shared_ptr<Object> control = l.index == kNoIndex
                                              ? window->ControlByName(l.name)
                                              : window->ControlByNameIndex(l.name, l.index);
        ASSERT_NE(control, nullptr);
        std::vector<Entry> entries;
        ASSERT_NO_THROW(entries = Parse(l.list, control->Class()));
        EXPECT_EQ(Rebuilt(entries), l.list);
        const String cls = ListClass(control->Class());
        ASSERT_TRUE(kKeysByClass.count(cls)) << cls;
        EXPECT_EQ(Keys(entries), kKeysByClass.at(cls));
    }
}

// Each control list's entries by key, parsed against the class of the control it describes.
std::map<String, PropertyValue> Values(const Window1& window, const ControlPropertyList& l) {
    std::shared_ptr<Object> control = l.index == kNoIndex
                                          ? window.ControlByName(l.name)
                                          : window.ControlByNameIndex(l.name, l.index);
    std::map<String, PropertyValue> values;
    for (const Entry& e : Parse(l.list, Deref(control, "the control").Class()))
        values[e.key] = e.value;
    return values;
}

TEST(PropertyLists, ControlListsCarryTheValuesTheirClassShares) {
    std::shared_ptr<Window1> window = StartedWindow();
    const std::pair<const char*, PropertyValue> everyControl[] = {
        {"LockLeft", true},   {"LockTop", true}, {"LockRight", false},  {"LockBottom", false},
        {"TabPanelIndex", 0}, {"Visible", true}, {"HelpTag", String()}, {"AutoDeactivate", true},
    };
    const std::pair<const char*, PropertyValue> whereHeld[] = {
        {"TextFont", String("System")},
        {"Italic", false},
        {"Underline", false},
        {"Enabled", true},
        {"TabStop", true},
        {"DataSource", String()},
        {"DataField", String()},
        {"InitialParent", String()},
        {"Format", String()},
        {"CueText", String()},
        {"Mask", String()},
        {"TextColor", Color{0, 0, 0}},
        {"BackColor", Color{255, 255, 255}},
        {"Default", false},
        {"Cancel", false},
        {"ButtonStyle", 0},
        {"Multiline", false},
        {"Selectable", false},
        {"Transparent", false},
        {"AutoComplete", false},
        {"UseFocusRing", true},
        {"Border", true},
        {"Password", false},
        {"ReadOnly", false},
        {"LimitText", 0},
        {"AcceptTabs", false},
        {"Alignment", 0},
        {"AutomaticallyCheckSpelling", false},
        {"Controller", 2},
        {"PlayerType", 0},
        {"AutoPlay", false},
        {"Looping", false},
        {"Palindrome", false},
    };
    for (const ControlPropertyList& l : Window1ControlLists()) {
        SCOPED_TRACE(l.name + " " + std::to_string(l.index));
        std::map<String, PropertyValue> v = Values(*window, l);
        if (l.name == "Timer1") {
            EXPECT_EQ(v.size(), 2u);
            EXPECT_EQ(v["Mode"], PropertyValue(0));
            EXPECT_EQ(v["Period"], PropertyValue(200));
            continue;
        }
        EXPECT_EQ(v["Name"], PropertyValue(l.name));
        EXPECT_EQ(v["Index"], PropertyValue(l.index));
        for (const auto& [key, value] : everyControl) EXPECT_EQ(v[key], value) << key;
        for (const auto& [key, value] : whereHeld)
            if (v.count(key)) {
                EXPECT_EQ(v[key], value) << key;
            }
        if (v.count("Bold")) {
            const bool bold = l.name == "DataST" || l.name == "Label8";
            EXPECT_EQ(v["Bold"], PropertyValue(bold));
        }
    }
}

TEST(PropertyLists, PopupRowsAreStoredAsTheyAreChosen) {
    std::shared_ptr<Window1> window = StartedWindow();
    std::map<String, std::map<String, PropertyValue>> byName;
    for (const ControlPropertyList& l : Window1ControlLists())
        if (l.index == kNoIndex) byName[l.name] = Values(*window, l);
    EXPECT_EQ(byName["TagPM"]["InitialValue"], PropertyValue(String("( )\r[ ]\r< >\r")));
    EXPECT_EQ(std::get<String>(byName["TagPM"]["InitialValue"]).size(), 12u);
    EXPECT_EQ(byName["wavPM"]["InitialValue"], PropertyValue(String()));
    EXPECT_EQ(byName["wavPM"]["ListIndex"], PropertyValue(0));
    EXPECT_EQ(byName["BaudCB"]["ListIndex"], PropertyValue(5));
    EXPECT_EQ(byName["SampleRateCB"]["ListIndex"], PropertyValue(2));
}

TEST(PropertyLists, KeypadListsEachCarryTheirIndex) {
    std::shared_ptr<Window1> window = StartedWindow();
    int32_t next = 0;
    for (const ControlPropertyList& l : Window1ControlLists()) {
        if (l.name != "NumGene") continue;
        EXPECT_EQ(l.index, next);
        std::map<String, PropertyValue> v = Values(*window, l);
        EXPECT_EQ(v["Index"], PropertyValue(next));
        EXPECT_EQ(v["Caption"], PropertyValue(String("0")));
        EXPECT_EQ(v["TabIndex"], PropertyValue(next + 3));
        ++next;
    }
    EXPECT_EQ(next, 10);
}

}  // namespace
