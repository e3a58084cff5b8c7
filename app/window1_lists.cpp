// The main window's property lists. Each class's lists share one key order; a builder per class
// holds that order, and the table below gives each control's own values.
#include "app/window1_lists.h"

#include "app/maker_page.h"
#include "framework/core/exceptions.h"
#include "framework/ui/timer.h"

namespace {

using namespace prop;

constexpr Color kBlack{0, 0, 0};
constexpr Color kWhite{255, 255, 255};
constexpr const char* kFont = "System";
constexpr int32_t kAlignLeft = 0, kAlignRight = 2;

struct Place {
    int32_t left, top, width, height;
};

// The twelve keys every control list begins with.
String Common(const char* name, int32_t index, Place p, int32_t tabIndex) {
    return Blob({
        StringEntry("Name", name),
        Int32Entry("Index", index),
        Int32Entry("Left", p.left),
        Int32Entry("Top", p.top),
        Int32Entry("Width", p.width),
        Int32Entry("Height", p.height),
        BooleanEntry("LockLeft", true),
        BooleanEntry("LockTop", true),
        BooleanEntry("LockRight", false),
        BooleanEntry("LockBottom", false),
        Int32Entry("TabPanelIndex", 0),
        Int32Entry("TabIndex", tabIndex),
    });
}

PropertyBlob TextFieldList(const char* name, Place p, int32_t tabIndex, const String& text) {
    const String own = Blob({
        BooleanEntry("TabStop", true),
        BooleanEntry("Border", true),
        BooleanEntry("Password", false),
        BooleanEntry("UseFocusRing", true),
        ColorEntry("TextColor", kBlack),
        ColorEntry("BackColor", kWhite),
        BooleanEntry("Enabled", true),
        StringEntry("Format", ""),
        BooleanEntry("Visible", true),
        StringEntry("HelpTag", ""),
        BooleanEntry("AutoDeactivate", true),
        StringEntry("TextFont", kFont),
        BooleanEntry("Bold", false),
        BooleanEntry("Italic", false),
        BooleanEntry("Underline", false),
        StringEntry("CueText", ""),
        StringEntry("Text", text),
        StringEntry("Mask", ""),
        BooleanEntry("ReadOnly", false),
        Int32Entry("LimitText", 0),
        BooleanEntry("AcceptTabs", false),
        Int32Entry("Alignment", 0),
        BooleanEntry("AutomaticallyCheckSpelling", false),
        StringEntry("DataSource", ""),
        StringEntry("DataField", ""),
    });
    return Common(name, kNoIndex, p, tabIndex) + own;
}

PropertyBlob PushButtonList(const char* name, int32_t index, Place p, int32_t tabIndex,
                            const String& caption) {
    const String own = Blob({
        BooleanEntry("TabStop", true),
        StringEntry("Caption", caption),
        BooleanEntry("Default", false),
        BooleanEntry("Cancel", false),
        BooleanEntry("Enabled", true),
        BooleanEntry("Visible", true),
        StringEntry("HelpTag", ""),
        BooleanEntry("AutoDeactivate", true),
        Int32Entry("ButtonStyle", 0),
        StringEntry("TextFont", kFont),
        BooleanEntry("Bold", false),
        BooleanEntry("Italic", false),
        BooleanEntry("Underline", false),
        StringEntry("InitialParent", ""),
    });
    return Common(name, index, p, tabIndex) + own;
}

PropertyBlob LabelList(const char* name, Place p, int32_t tabIndex, const String& text,
                       int32_t textAlign, bool bold = false) {
    const String own = Blob({
        StringEntry("Text", text),
        Int32Entry("TextAlign", textAlign),
        ColorEntry("TextColor", kBlack),
        BooleanEntry("Multiline", false),
        BooleanEntry("Enabled", true),
        BooleanEntry("Visible", true),
        BooleanEntry("Selectable", false),
        BooleanEntry("Transparent", false),
        StringEntry("HelpTag", ""),
        BooleanEntry("AutoDeactivate", true),
        StringEntry("TextFont", kFont),
        BooleanEntry("Bold", bold),
        BooleanEntry("Italic", false),
        BooleanEntry("Underline", false),
        StringEntry("DataSource", ""),
        StringEntry("DataField", ""),
        StringEntry("InitialParent", ""),
    });
    return Common(name, kNoIndex, p, tabIndex) + own;
}

PropertyBlob PopupMenuList(const char* name, Place p, int32_t tabIndex, const String& rows,
                           int32_t listIndex) {
    const String own = Blob({
        BooleanEntry("TabStop", true),
        BooleanEntry("Enabled", true),
        StringEntry("InitialValue", rows),
        Int32Entry("ListIndex", listIndex),
        BooleanEntry("Visible", true),
        StringEntry("HelpTag", ""),
        BooleanEntry("AutoDeactivate", true),
        StringEntry("TextFont", kFont),
        BooleanEntry("Bold", false),
        BooleanEntry("Italic", false),
        BooleanEntry("Underline", false),
        StringEntry("DataSource", ""),
        StringEntry("DataField", ""),
        StringEntry("InitialParent", ""),
    });
    return Common(name, kNoIndex, p, tabIndex) + own;
}

PropertyBlob ComboBoxList(const char* name, Place p, int32_t tabIndex, const String& rows,
                          int32_t listIndex) {
    const String own = Blob({
        BooleanEntry("TabStop", true),
        BooleanEntry("Enabled", true),
        StringEntry("InitialValue", rows),
        Int32Entry("ListIndex", listIndex),
        BooleanEntry("Visible", true),
        StringEntry("HelpTag", ""),
        BooleanEntry("AutoDeactivate", true),
        BooleanEntry("UseFocusRing", true),
        StringEntry("TextFont", kFont),
        BooleanEntry("Bold", false),
        BooleanEntry("Italic", false),
        BooleanEntry("Underline", false),
        StringEntry("DataSource", ""),
        StringEntry("DataField", ""),
        BooleanEntry("AutoComplete", false),
    });
    return Common(name, kNoIndex, p, tabIndex) + own;
}

PropertyBlob MoviePlayerList(const char* name, Place p, int32_t tabIndex) {
    const String own = Blob({
        BooleanEntry("TabStop", true),
        BooleanEntry("AutoResize", true),
        BooleanEntry("Border", true),
        BooleanEntry("Speaker", true),
        BooleanEntry("HasStep", true),
        BooleanEntry("Visible", true),
        StringEntry("HelpTag", ""),
        BooleanEntry("AutoDeactivate", true),
        Int32Entry("PlayerType", 0),
        Int32Entry("Controller", 2),
        BooleanEntry("AutoPlay", false),
        BooleanEntry("Looping", false),
        BooleanEntry("Palindrome", false),
        StringEntry("InitialParent", ""),
    });
    return Common(name, kNoIndex, p, tabIndex) + own;
}

PropertyBlob SeparatorList(const char* name, Place p, int32_t tabIndex) {
    const String own = Blob({
        BooleanEntry("TabStop", true),
        StringEntry("InitialParent", ""),
        BooleanEntry("Visible", true),
        StringEntry("HelpTag", ""),
        BooleanEntry("AutoDeactivate", true),
        BooleanEntry("Enabled", true),
    });
    return Common(name, kNoIndex, p, tabIndex) + own;
}

PropertyBlob TimerList(int32_t mode, int32_t periodMs) {
    return Blob({
        Int32Entry("Mode", mode),
        Int32Entry("Period", periodMs),
    });
}

// Rows each ended by a CR, the last one included.
String EndEachRow(std::initializer_list<const char*> rows) {
    String joined;
    for (const char* row : rows) joined += String(row) + "\r";
    return joined;
}

// Rows with a CR between each two.
String JoinRows(std::initializer_list<const char*> rows) {
    String joined;
    for (const char* row : rows) {
        if (!joined.empty()) joined += "\r";
        joined += row;
    }
    return joined;
}

// The keypad's grid: 1 2 3 / 4 5 6 / 7 8 9, with 0 under 8.
constexpr Place kKeypad[10] = {
    {329, 244, 60, 30}, {257, 133, 60, 30}, {329, 133, 60, 30}, {401, 133, 60, 30},
    {257, 167, 60, 30}, {329, 167, 60, 30}, {401, 167, 60, 30}, {257, 202, 60, 30},
    {329, 202, 60, 30}, {401, 202, 60, 30},
};

std::vector<ControlPropertyList> BuildControlLists() {
    std::vector<ControlPropertyList> lists;
    auto add = [&lists](const char* name, PropertyBlob list, int32_t index = kNoIndex) {
        lists.push_back({name, index, std::move(list)});
    };
    add("DataEF", TextFieldList("DataEF", {233, 13, 266, 22}, 0, "Hello!"));
    add("GeneratePB", PushButtonList("GeneratePB", kNoIndex, {235, 68, 80, 20}, 1, "Generate"));
    add("mp", MoviePlayerList("mp", {323, 70, 160, 16}, 2));
    for (int32_t i = 0; i < 10; ++i)
        add("NumGene", PushButtonList("NumGene", i, kKeypad[i], i + 3, "0"), i);
    add("Label1", LabelList("Label1", {13, 69, 81, 20}, 14, "Baudrate:", kAlignRight));
    add("SampleRateCB", ComboBoxList("SampleRateCB", {103, 95, 100, 20}, 15,
                                     JoinRows({"14700", "22050", "29400", "36750", "44100"}), 2));
    add("Label2", LabelList("Label2", {13, 98, 81, 20}, 16, "Samplerate:", kAlignRight));
    add("Label3", LabelList("Label3", {13, 127, 81, 20}, 18, "High frq:", kAlignRight));
    add("Label4", LabelList("Label4", {13, 155, 81, 20}, 20, "Low frq:", kAlignRight));
    add("BaudCB", ComboBoxList("BaudCB", {103, 65, 100, 20}, 21,
                               JoinRows({"100", "126", "315", "600", "630", "1225", "2450"}), 5));
    add("HighEF", TextFieldList("HighEF", {102, 124, 100, 22}, 22, "7350"));
    add("LowEF", TextFieldList("LowEF", {102, 152, 100, 22}, 23, "4900"));
    add("Separator1", SeparatorList("Separator1", {213, 6, 6, 307}, 24));
    add("HeadEF", TextFieldList("HeadEF", {55, 197, 154, 22}, 25, ""));
    add("Label5", LabelList("Label5", {9, 200, 40, 20}, 27, "Prefix:", kAlignRight));
    add("Label6", LabelList("Label6", {9, 230, 40, 20}, 28, "Suffix:", kAlignRight));
    add("FootEF", TextFieldList("FootEF", {55, 227, 154, 22}, 29, "(A)(A)"));
    add("Label7", LabelList("Label7", {9, 262, 71, 20}, 31, "Hex Tag:", kAlignRight));
    add("TagPM",
        PopupMenuList("TagPM", {90, 259, 77, 20}, 33, EndEachRow({"( )", "[ ]", "< >"}), 0));
    add("DataST", LabelList("DataST", {238, 42, 249, 20}, 34, "Hello!(A)(A)", kAlignLeft, true));
    add("Timer1", TimerList(Timer::ModeOff, 200));
    add("Separator2", SeparatorList("Separator2", {7, 187, 204, 3}, 35));
    add("ShowFolderPB",
        PushButtonList("ShowFolderPB", kNoIndex, {235, 98, 252, 20}, 36, "Show wav file folder"));
    add("Label8", LabelList("Label8", {7, 6, 194, 33}, 37, "Tarnwhistle", kAlignLeft, true));
    add("Label9", LabelList("Label9", {9, 34, 127, 20}, 38, "for Softmodem", kAlignLeft));
    add("Label10", LabelList("Label10", {372, 299, 136, 20}, 39, kMakerCredit, kAlignRight));
    add("wavPM", PopupMenuList("wavPM", {492, 67, 20, 20}, 40, "", 0));
    return lists;
}

}  // namespace

const PropertyBlob& Window1WindowList() {
    static const PropertyBlob list = Blob({
        Int32Entry("Placement", 0),
        Int32Entry("Width", 519),
        Int32Entry("Height", 319),
        Int32Entry("MinWidth", 64),
        Int32Entry("MinHeight", 64),
        Int32Entry("MaxWidth", 32000),
        Int32Entry("MaxHeight", 32000),
        Int32Entry("Frame", 0),
        BooleanEntry("Composite", false),
        BooleanEntry("HasBackColor", false),
        ColorEntry("BackColor", kWhite),
        StringEntry("Title", "Tarnwhistle for Softmodem"),
        BooleanEntry("Visible", true),
        BooleanEntry("FullScreen", false),
        BooleanEntry("MenuBarVisible", true),
        BooleanEntry("CloseButton", false),
        BooleanEntry("Resizeable", false),
        BooleanEntry("LiveResize", false),
        BooleanEntry("MaximizeButton", false),
        BooleanEntry("MinimizeButton", true),
        Int32Entry("MacProcID", 0),
    });
    return list;
}

const std::vector<ControlPropertyList>& Window1ControlLists() {
    static const std::vector<ControlPropertyList> lists = BuildControlLists();
    return lists;
}

const PropertyBlob& Window1ControlList(const String& name, int32_t index) {
    const ControlPropertyList* found = nullptr;
    for (const ControlPropertyList& entry : Window1ControlLists())
        if (entry.name == name && entry.index == index) {
            found = &entry;
            break;
        }
    return Deref(found, "the property list of the control " + name).list;
}
