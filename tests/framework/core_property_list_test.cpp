// Property lists: the builder's bytes, reading them back entry by entry, and malformed lists.
#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/core/property_list.h"
#include "tests/support/bytes.h"

namespace {

// A plain object with the properties the tests need: both Text and CueText, a key whose letter
// case differs from the list's, and one property of each type.
class Probe : public Object {
    TW_CLASS_INFO
  public:
    std::vector<std::pair<String, PropertyValue>> applied;  // in the order set
    String text, cueText;
    bool multiLine = false;
};

class DerivedProbe : public Probe {
    TW_CLASS_INFO
};

PropertyInfo Recorder(const char* name, PropertyType type) {
    return {name, type, [key = String(name)](Object& o, const PropertyValue& v) {
                auto& p = static_cast<Probe&>(o);
                p.applied.emplace_back(key, v);
                if (key == "Text") p.text = std::get<String>(v);
                if (key == "CueText") p.cueText = std::get<String>(v);
                if (key == "MultiLine") p.multiLine = std::get<bool>(v);
            }};
}

const ClassInfo& Probe::StaticClass() {
    using P = PropertyType;
    static const ClassInfo info{
        "Probe",
        &Object::StaticClass(),
        {Recorder("Width", P::Int32), Recorder("Index", P::Int32), Recorder("Visible", P::Boolean),
         Recorder("TextColor", P::Color), Recorder("HelpTag", P::String),
         Recorder("Text", P::String), Recorder("CueText", P::String),
         Recorder("MultiLine", P::Boolean), Recorder("InitialValue", P::String)}};
    return info;
}

const ClassInfo& DerivedProbe::StaticClass() {
    static const ClassInfo info{
        "DerivedProbe",
        &Probe::StaticClass(),
        {{"Mode", PropertyType::Int32, [](Object& o, const PropertyValue& v) {
              static_cast<Probe&>(o).applied.emplace_back("Mode", v);
          }}}};
    return info;
}

struct ExampleCase {
    const char* what;
    String entry;
    const char* hex;
    PropertyValue value;
};

std::vector<ExampleCase> Examples() {
    return {
        {"Width 519", prop::Int32Entry("Width", 519), "57 69 64 74 68 20 00 00 02 07",
         int32_t(519)},
        {"Index of no array", prop::Int32Entry("Index", INT32_MIN), "49 6E 64 65 78 20 80 00 00 00",
         int32_t(INT32_MIN)},
        {"Visible true", prop::BooleanEntry("Visible", true), "56 69 73 69 62 6C 65 20 01", true},
        {"TextColor black", prop::ColorEntry("TextColor", Color{0, 0, 0}),
         "54 65 78 74 43 6F 6C 6F 72 20 00 00 00", Color{0, 0, 0}},
        {"HelpTag empty", prop::StringEntry("HelpTag", ""), "48 65 6C 70 54 61 67 20 00 00 00 00",
         String()},
        {"Text Hello!", prop::StringEntry("Text", "Hello!"),
         "54 65 78 74 20 00 00 00 06 48 65 6C 6C 6F 21", String("Hello!")},
    };
}

TEST(PropertyListBuilder, EveryExampleEntryByteForByteAndBack) {
    for (const ExampleCase& c : Examples()) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Hex(c.entry), c.hex);
        Probe probe;
        SetProperties(probe, c.entry);
        ASSERT_EQ(probe.applied.size(), 1u);
        EXPECT_TRUE(probe.applied[0].second == c.value);
    }
}

TEST(PropertyListBuilder, TimerListIsTwentyBytesAndReadsBack) {
    const PropertyBlob list = Blob({prop::Int32Entry("Mode", 0), prop::Int32Entry("Period", 200)});
    EXPECT_EQ(Hex(list), "4D 6F 64 65 20 00 00 00 00 50 65 72 69 6F 64 20 00 00 00 C8");
    std::vector<std::pair<String, int32_t>> seen;
    const PropertyInfo mode{"Mode", PropertyType::Int32, {}},
        period{"Period", PropertyType::Int32, {}};
    ParsePropertyList(
        list,
        [&](const String& key) -> const PropertyInfo* {
            return key == "Mode" ? &mode : key == "Period" ? &period : nullptr;
        },
        [&](const PropertyInfo& p, const PropertyValue& v) {
            seen.emplace_back(p.name, std::get<int32_t>(v));
        });
    EXPECT_EQ(seen, (std::vector<std::pair<String, int32_t>>{{"Mode", 0}, {"Period", 200}}));
}

TEST(PropertyListBuilder, StringLengthCountsUtf8Bytes) {
    struct {
        String text;
        uint32_t bytes;
    } cases[] = {{"A", 1}, {"\xC3\xA9", 2}, {"\xE6\x97\xA5\xE6\x9C\xAC", 6}, {"Caf\xC3\xA9!", 6}};
    for (const auto& c : cases) {
        const String entry = prop::StringEntry("Text", c.text);
        EXPECT_EQ(entry.substr(5, 4), String({0, 0, 0, char(c.bytes)})) << c.text;
        Probe probe;
        SetProperties(probe, entry);
        EXPECT_EQ(probe.text, c.text);
    }
}

TEST(PropertyListBuilder, RowListWithTrailingCrArrivesWhole) {
    const String rows = "( )\r[ ]\r< >\r";
    const String entry = prop::StringEntry("InitialValue", rows);
    EXPECT_EQ(Hex(entry.substr(13)), "00 00 00 0C 28 20 29 0D 5B 20 5D 0D 3C 20 3E 0D");
    Probe probe;
    SetProperties(probe, entry);
    ASSERT_EQ(probe.applied.size(), 1u);
    EXPECT_EQ(std::get<String>(probe.applied[0].second), rows);
}

TEST(SetPropertiesTest, CueTextAndTextAreToldApartEntryByEntry) {
    for (bool cueFirst : {true, false}) {
        const String cue = prop::StringEntry("CueText", "type here"),
                     text = prop::StringEntry("Text", "Hello!");
        Probe probe;
        SetProperties(probe, cueFirst ? cue + text : text + cue);
        EXPECT_EQ(probe.cueText, "type here");
        EXPECT_EQ(probe.text, "Hello!");
        ASSERT_EQ(probe.applied.size(), 2u);
        EXPECT_EQ(probe.applied[0].first, cueFirst ? "CueText" : "Text");
    }
}

TEST(SetPropertiesTest, KeysMatchWithoutLetterCaseThroughBases) {
    DerivedProbe probe;
    SetProperties(probe, Blob({prop::BooleanEntry("Multiline", true), prop::Int32Entry("MODE", 2),
                               prop::Int32Entry("width", 7)}));
    EXPECT_TRUE(probe.multiLine);
    ASSERT_EQ(probe.applied.size(), 3u);
    EXPECT_EQ(probe.applied[1].first, "Mode");
    EXPECT_EQ(std::get<int32_t>(probe.applied[2].second), 7);
}

TEST(SetPropertiesTest, EntriesApplyInOrderAndAnEmptyListChangesNothing) {
    Probe probe;
    SetProperties(probe, "");
    EXPECT_TRUE(probe.applied.empty());
    SetProperties(probe, Blob({prop::StringEntry("Text", "a"), prop::StringEntry("Text", "b")}));
    EXPECT_EQ(probe.text, "b");
}

struct MalformedCase {
    const char* what;
    String list;
    const char* key;     // named in the message
    const char* offset;  // "at byte N" in the message
    size_t appliedBefore;
};

TEST(SetPropertiesTest, MalformedListsRaiseWithKeyAndOffset) {
    const String width = prop::Int32Entry("Width", 1);  // 10 bytes
    const MalformedCase cases[] = {
        {"Int32 cut short", "Width " + String("\x00\x02", 2), "Width", "at byte 6", 0},
        {"Boolean missing", width + "Visible ", "Visible", "at byte 18", 1},
        {"Color cut short", "TextColor " + String("\x00\x00", 2), "TextColor", "at byte 10", 0},
        {"String length cut short", "Text " + String("\x00\x00", 2), "Text", "at byte 5", 0},
        {"String length past the end", "Text " + String("\x00\x00\x00\x0A", 4) + "abc", "Text",
         "at byte 5", 0},
        {"String length near 2^32", width + "Text " + String("\xFF\xFF\xFF\xFF", 4) + "x", "Text",
         "at byte 15", 1},
        {"key without a space", width + "Visible", "Visible", "at byte 10", 1},
        {"unknown key", "Colour " + String("\x00\x00\x00", 3), "Colour", "at byte 0", 0},
        {"unknown key after a good entry", width + prop::StringEntry("Caption", "x"), "Caption",
         "at byte 10", 1},
        {"empty key", String(" \x01", 2), "\"\"", "at byte 0", 0},
        {"Boolean neither 0 nor 1", "Visible " + String("\x02", 1), "Visible", "at byte 8", 0},
    };
    for (const MalformedCase& c : cases) {
        SCOPED_TRACE(c.what);
        Probe probe;
        try {
            SetProperties(probe, c.list);
            ADD_FAILURE() << "no exception";
        } catch (const RuntimeException& e) {
            EXPECT_NE(e.Message.find(c.key), std::string::npos) << e.Message;
            EXPECT_NE(e.Message.find(c.offset), std::string::npos) << e.Message;
        }
        EXPECT_EQ(probe.applied.size(), c.appliedBefore);
    }
}

TEST(SetPropertiesTest, UnknownKeyMessageReadsAsDocumented) {
    Probe probe;
    try {
        SetProperties(probe, prop::Int32Entry("Width", 1) + prop::Int32Entry("Nope", 1));
        FAIL() << "no exception";
    } catch (const RuntimeException& e) {
        EXPECT_EQ(e.Message, "unknown property key \"Nope\" at byte 10");
    }
}

}  // namespace
