// The 36 controls as the window opens: found by name through their accessors, of their class,
// in place, with their initial texts, rows, text sizes, tab order and bindings.
#include <gtest/gtest.h>
#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include <functional>
#include <map>
#include <vector>

#include "framework/ui/timer.h"
#include "tests/app/window_fixture.h"

namespace {

using Accessor = std::function<std::shared_ptr<Object>(Window1&)>;

struct Expected {
    const char* name;
    int32_t index;
    const char* className;
    Accessor accessor;
    int32_t left, top, width, height;
    int32_t tabIndex;
    const char* text;  // Text, Caption, or the rows joined by '|'
    float textSize;    // 0: none set, the framework's default kept
};

Accessor Key(int32_t i) {
    return [i](Window1& w) { return w.NumGene(i); };
}

std::vector<Expected> Table() {
    // clang-format off
    std::vector<Expected> rows = {
        {"DataEF", kNoIndex, "TextField", [](Window1& w) { return w.DataEF(); }, 233, 13, 266, 22, 0, "Hello!", 12},
        {"GeneratePB", kNoIndex, "PushButton", [](Window1& w) { return w.GeneratePB(); }, 235, 68, 80, 20, 1, "Generate", 12},
        {"mp", kNoIndex, "MoviePlayer", [](Window1& w) { return w.mp(); }, 323, 70, 160, 16, 2, "", 0},
        {"NumGene", 0, "Window1.NumGene", Key(0), 329, 244, 60, 30, 3, "0", 12},
        {"NumGene", 1, "Window1.NumGene", Key(1), 257, 133, 60, 30, 4, "1", 12},
        {"NumGene", 2, "Window1.NumGene", Key(2), 329, 133, 60, 30, 5, "2", 12},
        {"NumGene", 3, "Window1.NumGene", Key(3), 401, 133, 60, 30, 6, "3", 12},
        {"NumGene", 4, "Window1.NumGene", Key(4), 257, 167, 60, 30, 7, "4", 12},
        {"NumGene", 5, "Window1.NumGene", Key(5), 329, 167, 60, 30, 8, "5", 12},
        {"NumGene", 6, "Window1.NumGene", Key(6), 401, 167, 60, 30, 9, "6", 12},
        {"NumGene", 7, "Window1.NumGene", Key(7), 257, 202, 60, 30, 10, "7", 12},
        {"NumGene", 8, "Window1.NumGene", Key(8), 329, 202, 60, 30, 11, "8", 12},
        {"NumGene", 9, "Window1.NumGene", Key(9), 401, 202, 60, 30, 12, "9", 12},
        {"Label1", kNoIndex, "Label", [](Window1& w) { return w.Label1(); }, 13, 69, 81, 20, 14, "Baudrate:", 12},
        {"SampleRateCB", kNoIndex, "ComboBox", [](Window1& w) { return w.SampleRateCB(); }, 103, 95, 100, 20, 15, "14700|22050|29400|36750|44100", 12},
        {"Label2", kNoIndex, "Label", [](Window1& w) { return w.Label2(); }, 13, 98, 81, 20, 16, "Samplerate:", 12},
        {"Label3", kNoIndex, "Label", [](Window1& w) { return w.Label3(); }, 13, 127, 81, 20, 18, "High frq:", 12},
        {"Label4", kNoIndex, "Label", [](Window1& w) { return w.Label4(); }, 13, 155, 81, 20, 20, "Low frq:", 12},
        {"BaudCB", kNoIndex, "ComboBox", [](Window1& w) { return w.BaudCB(); }, 103, 65, 100, 20, 21, "100|126|315|600|630|1225|2450", 12},
        {"HighEF", kNoIndex, "TextField", [](Window1& w) { return w.HighEF(); }, 102, 124, 100, 22, 22, "7350", 12},
        {"LowEF", kNoIndex, "TextField", [](Window1& w) { return w.LowEF(); }, 102, 152, 100, 22, 23, "4900", 12},
        {"Separator1", kNoIndex, "Separator", [](Window1& w) { return w.Separator1(); }, 213, 6, 6, 307, 24, "", 0},
        {"HeadEF", kNoIndex, "TextField", [](Window1& w) { return w.HeadEF(); }, 55, 197, 154, 22, 25, "", 12},
        {"Label5", kNoIndex, "Label", [](Window1& w) { return w.Label5(); }, 9, 200, 40, 20, 27, "Prefix:", 12},
        {"Label6", kNoIndex, "Label", [](Window1& w) { return w.Label6(); }, 9, 230, 40, 20, 28, "Suffix:", 12},
        {"FootEF", kNoIndex, "TextField", [](Window1& w) { return w.FootEF(); }, 55, 227, 154, 22, 29, "(A)(A)", 12},
        {"Label7", kNoIndex, "Label", [](Window1& w) { return w.Label7(); }, 9, 262, 71, 20, 31, "Hex Tag:", 12},
        {"TagPM", kNoIndex, "PopupMenu", [](Window1& w) { return w.TagPM(); }, 90, 259, 77, 20, 33, "( )|[ ]|< >", 12},
        {"DataST", kNoIndex, "Label", [](Window1& w) { return w.DataST(); }, 238, 42, 249, 20, 34, "Hello!(A)(A)", 10},
        {"Separator2", kNoIndex, "Separator", [](Window1& w) { return w.Separator2(); }, 7, 187, 204, 3, 35, "", 0},
        {"ShowFolderPB", kNoIndex, "PushButton", [](Window1& w) { return w.ShowFolderPB(); }, 235, 98, 252, 20, 36, "Show wav file folder", 12},
        {"Label8", kNoIndex, "Label", [](Window1& w) { return w.Label8(); }, 7, 6, 194, 33, 37, "Tarnwhistle", 24},
        {"Label9", kNoIndex, "Label", [](Window1& w) { return w.Label9(); }, 9, 34, 127, 20, 38, "for Softmodem", 0},
        {"Label10", kNoIndex, "Label", [](Window1& w) { return w.Label10(); }, 372, 299, 136, 20, 39, nullptr, 11},
        {"wavPM", kNoIndex, "PopupMenu", [](Window1& w) { return w.wavPM(); }, 492, 67, 20, 20, 40, "", 12},
    };
    // clang-format on
    return rows;
}

String Joined(const PopupMenu& popup) {
    String rows;
    for (int32_t i = 0; i < popup.ListCount(); ++i) rows += (i ? "|" : "") + popup.List(i);
    return rows;
}

String ShownText(const Object& control) {
    if (auto* field = dynamic_cast<const TextEdit*>(&control)) return field->Text();
    if (auto* button = dynamic_cast<const PushButton*>(&control)) return button->Caption();
    if (auto* label = dynamic_cast<const Label*>(&control)) return label->Text();
    if (auto* popup = dynamic_cast<const PopupMenu*>(&control)) return Joined(*popup);
    return "";
}

// What the widget shows, where it is a plain text widget.
QString NativeText(QWidget* widget) {
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text();
    if (auto* button = qobject_cast<QPushButton*>(widget)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
    return {};
}

TEST(Controls, EachIsFoundByItsAccessorWithClassPlaceAndText) {
    std::shared_ptr<Window1> window = StartedWindow();
    const float defaultSize = std::make_shared<Label>()->TextSize();
    for (const Expected& e : Table()) {
        SCOPED_TRACE(std::string(e.name) + " " + std::to_string(e.index));
        std::shared_ptr<Object> found = e.accessor(*window);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found, e.index == kNoIndex ? window->ControlByName(e.name)
                                             : window->ControlByNameIndex(e.name, e.index));
        EXPECT_EQ(found, e.accessor(*window));  // the same object at every call
        EXPECT_EQ(found->Class().fullName, e.className);
        auto control = std::dynamic_pointer_cast<RectControl>(found);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Name(), e.name);
        EXPECT_EQ(control->Index(), e.index);
        EXPECT_EQ(control->Left(), e.left);
        EXPECT_EQ(control->Top(), e.top);
        EXPECT_EQ(control->Width(), e.width);
        EXPECT_EQ(control->Height(), e.height);
        EXPECT_EQ(control->TabIndex(), e.tabIndex);
        EXPECT_TRUE(control->Visible());
        EXPECT_EQ(control->TextSize(), e.textSize ? e.textSize : defaultSize);
        EXPECT_EQ(control->TextUnit(), FontUnits::Default);
        if (e.text) {
            EXPECT_EQ(ShownText(*control), e.text);
        }

        QWidget* widget = control->NativeWidget();
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->window(), window->NativeWindow());
        EXPECT_EQ(widget->mapTo(window->ContentWidget(), QPoint(0, 0)), QPoint(e.left, e.top));
        EXPECT_EQ(widget->size(), QSize(e.width, e.height));
        EXPECT_TRUE(widget->isVisible());
        const QString shown = NativeText(widget);
        if (e.text && !shown.isNull() && !dynamic_cast<PopupMenu*>(control.get())) {
            EXPECT_EQ(shown.toStdString(), e.text);
        }
    }
}

TEST(Controls, TheWindowHoldsExactlyTheseControlsInCreationOrder) {
    std::shared_ptr<Window1> window = StartedWindow();
    std::vector<Expected> table = Table();
    // The timer sits between DataST and Separator2.
    const auto timerAt = 29;
    const auto& controls = window->Controls();
    ASSERT_EQ(controls.size(), 36u);
    for (size_t i = 0, row = 0; i < controls.size(); ++i) {
        if (int(i) == timerAt) {
            EXPECT_EQ(controls[i], window->Timer1());
            continue;
        }
        EXPECT_EQ(controls[i], table[row].accessor(*window)) << table[row].name;
        ++row;
    }
}

TEST(Controls, TabOrderFollowsCreationWithKeyZeroBeforeOne) {
    std::shared_ptr<Window1> window = StartedWindow();
    std::map<QWidget*, std::shared_ptr<RectControl>> byWidget;
    for (const auto& object : window->Controls())
        if (auto control = std::dynamic_pointer_cast<RectControl>(object))
            byWidget[control->NativeWidget()] = control;

    QWidget* start = window->DataEF()->NativeWidget();
    std::vector<std::shared_ptr<RectControl>> chain;
    QWidget* w = start;
    do {
        if (auto it = byWidget.find(w); it != byWidget.end() && (w->focusPolicy() & Qt::TabFocus))
            chain.push_back(it->second);
        w = w->nextInFocusChain();
    } while (w && w != start);

    ASSERT_GE(chain.size(), 12u);
    for (size_t i = 1; i < chain.size(); ++i)
        EXPECT_LT(chain[i - 1]->TabIndex(), chain[i]->TabIndex())
            << chain[i - 1]->Name() << " before " << chain[i]->Name();
    auto position = [&chain](const std::shared_ptr<RectControl>& key) {
        return std::find(chain.begin(), chain.end(), key) - chain.begin();
    };
    EXPECT_LT(position(window->NumGene(0)), position(window->NumGene(1)));
    EXPECT_LT(position(window->NumGene(9)), position(window->SampleRateCB()));
}

TEST(Controls, KeypadElementsCarryTheirIndexAndReadTheirDigit) {
    std::shared_ptr<Window1> window = StartedWindow();
    for (int32_t i = 0; i < 10; ++i) {
        std::shared_ptr<PushButton> key = window->NumGene(i);
        ASSERT_NE(key, nullptr) << i;
        ASSERT_NE(std::dynamic_pointer_cast<Window1NumGene>(key), nullptr) << i;
        EXPECT_EQ(key->Index(), i);
        EXPECT_EQ(key->Caption(), Str(i));
        EXPECT_TRUE(key->Action.Bound());
    }
    EXPECT_EQ(window->NumGene(10), nullptr);
    EXPECT_EQ(window->NumGene(kNoIndex), nullptr);
}

TEST(Controls, StartInTheStateOfThe1225Preset) {
    std::shared_ptr<Window1> window = StartedWindow();
    EXPECT_EQ(window->BaudCB()->ListIndex(), 5);
    EXPECT_EQ(window->BaudCB()->Text(), "1225");
    EXPECT_EQ(window->SampleRateCB()->ListCount(), 5);
    EXPECT_EQ(window->SampleRateCB()->ListIndex(), 2);
    EXPECT_EQ(window->SampleRateCB()->Text(), "29400");
    EXPECT_EQ(window->HighEF()->Text(), "7350");
    EXPECT_EQ(window->LowEF()->Text(), "4900");
}

TEST(Controls, PopupsHoldTheirRows) {
    std::shared_ptr<Window1> window = StartedWindow();
    std::shared_ptr<PopupMenu> tags = window->TagPM();
    ASSERT_EQ(tags->ListCount(), 3);  // the CR after "< >" makes no fourth row
    EXPECT_EQ(tags->ListIndex(), 0);
    EXPECT_EQ(tags->Text(), "( )");
    std::shared_ptr<PopupMenu> files = window->wavPM();
    EXPECT_EQ(files->ListCount(), 0);
    EXPECT_EQ(files->ListIndex(), -1);
    EXPECT_EQ(files->Text(), "");
}

TEST(Controls, PreviewShowsTheInitialPayloadAndTheTimerIsOff) {
    std::shared_ptr<Window1> window = StartedWindow();
    EXPECT_EQ(window->DataST()->Text(), "Hello!(A)(A)");
    EXPECT_TRUE(window->DataST()->Bold());
    EXPECT_EQ(window->DataST()->TextAlign(), 0);
    EXPECT_TRUE(window->Label8()->Bold());
    EXPECT_FALSE(window->Label9()->Bold());
    for (auto label : {window->Label1(), window->Label7(), window->Label10()})
        EXPECT_EQ(label->TextAlign(), 2) << label->Name();
    std::shared_ptr<Timer> timer = window->Timer1();
    ASSERT_NE(timer, nullptr);
    ASSERT_NE(std::dynamic_pointer_cast<Window1Timer1>(timer), nullptr);
    EXPECT_EQ(timer->Mode(), Timer::ModeOff);
    EXPECT_EQ(timer->Period(), 200);
    EXPECT_TRUE(timer->Action.Bound());
}

// Alignment, text size and weight of every label, as set and as drawn.
TEST(Controls, LabelsHaveTheirAlignmentSizeAndWeight) {
    using LabelAccessor = std::shared_ptr<Label> (Window1::*)();
    struct Row {
        const char* name;
        LabelAccessor accessor;
        int32_t textAlign;  // 0 left, 2 right
        float textSize;     // 0: none set, the framework's default kept
        bool bold;
    };
    // clang-format off
    const Row rows[] = {
        {"Label1", &Window1::Label1, 2, 12, false},
        {"Label2", &Window1::Label2, 2, 12, false},
        {"Label3", &Window1::Label3, 2, 12, false},
        {"Label4", &Window1::Label4, 2, 12, false},
        {"Label5", &Window1::Label5, 2, 12, false},
        {"Label6", &Window1::Label6, 2, 12, false},
        {"Label7", &Window1::Label7, 2, 12, false},
        {"DataST", &Window1::DataST, 0, 10, true},
        {"Label8", &Window1::Label8, 0, 24, true},
        {"Label9", &Window1::Label9, 0, 0, false},
        {"Label10", &Window1::Label10, 2, 11, false},
    };
    // clang-format on
    std::shared_ptr<Window1> window = StartedWindow();
    const float defaultSize = std::make_shared<Label>()->TextSize();
    const QFont defaultFont = QApplication::font();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::shared_ptr<Label> label = ((*window).*row.accessor)();
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->Name(), row.name);
        EXPECT_EQ(label->TextAlign(), row.textAlign);
        EXPECT_EQ(label->TextSize(), row.textSize ? row.textSize : defaultSize);
        EXPECT_EQ(label->TextUnit(), FontUnits::Default);
        EXPECT_EQ(label->Bold(), row.bold);
        EXPECT_FALSE(label->Italic());
        EXPECT_FALSE(label->Underline());

        auto* qt = qobject_cast<QLabel*>(label->NativeWidget());
        ASSERT_NE(qt, nullptr);
        EXPECT_EQ(qt->alignment() & Qt::AlignHorizontal_Mask,
                  row.textAlign == 2 ? Qt::AlignRight : Qt::AlignLeft);
        const QFont font = qt->font();
        if (row.textSize) {
            EXPECT_EQ(font.pixelSize(), int(row.textSize));
        } else {
            EXPECT_EQ(font.pixelSize(), defaultFont.pixelSize());
            EXPECT_EQ(font.pointSizeF(), defaultFont.pointSizeF());
        }
        EXPECT_EQ(font.bold(), row.bold);
        EXPECT_EQ(QFontInfo(font).bold(), row.bold);
    }
}

TEST(Controls, TheLinkLabelCreditsTheMakers) {
    std::shared_ptr<Label> link = StartedWindow()->Label10();
    EXPECT_NE(link->Text().find("Tarnwhistle"), String::npos);
    // It fits its 136 pixels at its own size.
    auto* label = qobject_cast<QLabel*>(link->NativeWidget());
    ASSERT_NE(label, nullptr);
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), 136);
}

}  // namespace
