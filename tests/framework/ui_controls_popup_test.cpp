// Popup menus and combo boxes: rows, selection, and which input raises MouseDown and Change.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "framework/core/exceptions.h"
#include "framework/core/folder_item.h"
#include "tests/framework/ui_controls_probe.h"

namespace {

QComboBox* ComboOf(const PopupMenu& popup) {
    return static_cast<QComboBox*>(popup.NativeWidget());
}

bool ListOpen(QComboBox* combo) {
    return combo->view()->isVisible();
}

// Chooses `row` in the open list the way a user does: arrows to it, then Return.
void ChooseInOpenList(QComboBox* combo, int row) {
    QAbstractItemView* view = combo->view();
    view->setCurrentIndex(combo->model()->index(0, 0));
    for (int i = 0; i < row; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
}

std::vector<String> Rows(const PopupMenu& popup) {
    std::vector<String> rows;
    for (int32_t i = 0; i < popup.ListCount(); ++i) rows.push_back(popup.List(i));
    return rows;
}

class UiControlsPopup : public ::testing::Test {
  protected:
    void SetUp() override {
        window = MakeProbeWindow();
        popup = AddProbeControl<PopupMenu>(*window, "wavPM", 492, 67, 20, 20);
        popup->MouseDown.AddHandler(window, &ProbeWindow::Down,
                                    "( PopupMenu, Int32, Int32 ) as Boolean");
        popup->Change.AddHandler(window, &ProbeWindow::PopupChange, "( PopupMenu )");
    }
    void TearDown() override {
        if (popup && ComboOf(*popup)) ComboOf(*popup)->hidePopup();
    }
    std::shared_ptr<ProbeWindow> window;
    std::shared_ptr<PopupMenu> popup;
};

TEST_F(UiControlsPopup, InitialValueRowRules) {
    struct Case {
        String items;
        std::vector<String> rows;
    };
    const Case cases[] = {
        {"( )\r[ ]\r< >\r", {"( )", "[ ]", "< >"}},
        {"100\r126\r315", {"100", "126", "315"}},
        {"", {}},
        {"a\r\rb", {"a", "", "b"}},
        {"\r", {""}},
    };
    for (const Case& c : cases) {
        popup->SetInitialValue(c.items);
        EXPECT_EQ(Rows(*popup), c.rows) << "items of " << c.items.size() << " bytes";
        EXPECT_EQ(ComboOf(*popup)->count(), int(c.rows.size()));
    }
}

TEST_F(UiControlsPopup, ListIndexSelectsAndGivesTheRowText) {
    popup->SetInitialValue("( )\r[ ]\r< >\r");
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_EQ(popup->Text(), "");
    popup->SetListIndex(1);
    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(popup->Text(), "[ ]");
    EXPECT_EQ(ComboOf(*popup)->currentText(), QStringLiteral("[ ]"));
    popup->SetListIndex(-1);
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_THROW(popup->SetListIndex(3), OutOfBoundsException);
    EXPECT_THROW(popup->SetListIndex(-2), OutOfBoundsException);
    // Code changes raise no Change.
    EXPECT_EQ(window->Count("Change"), 0);
}

TEST_F(UiControlsPopup, ListIndexZeroOnAnEmptyListSelectsNothing) {
    popup->SetInitialValue("");
    EXPECT_NO_THROW(popup->SetListIndex(0));
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_EQ(popup->ListCount(), 0);
    EXPECT_EQ(popup->Text(), "");
}

TEST_F(UiControlsPopup, AddRowKeepsTheSelectionAndDeleteAllRowsRaisesNothing) {
    popup->AddRow("a.wav");
    popup->AddRow("b.wav");
    EXPECT_EQ(popup->ListCount(), 2);
    EXPECT_EQ(popup->ListIndex(), -1);
    popup->SetListIndex(1);
    popup->DeleteAllRows();
    EXPECT_EQ(popup->ListCount(), 0);
    EXPECT_EQ(popup->ListIndex(), -1);
    EXPECT_EQ(window->Count("Change"), 0);
}

TEST_F(UiControlsPopup, RowTagsHoldObjectsAndCheckBounds) {
    auto file = std::make_shared<FolderItem>("/tmp/a.wav");
    popup->AddRow("a.wav");
    EXPECT_EQ(popup->RowTag(0), nullptr);
    popup->SetRowTag(popup->ListCount() - 1, file);
    EXPECT_EQ(popup->RowTag(0), file);
    EXPECT_THROW(popup->RowTag(1), OutOfBoundsException);
    EXPECT_THROW(popup->RowTag(-1), OutOfBoundsException);
    EXPECT_THROW(popup->SetRowTag(1, file), OutOfBoundsException);
    EXPECT_THROW(popup->List(1), OutOfBoundsException);
    popup->DeleteAllRows();
    EXPECT_THROW(popup->RowTag(0), OutOfBoundsException);
}

TEST_F(UiControlsPopup, PressRaisesMouseDownBeforeOpeningWithTheRowsJustBuilt) {
    popup->AddRow("stale.wav");
    window->onMouseDown = [&] {
        popup->DeleteAllRows();
        popup->AddRow("a.wav");
        popup->AddRow("b.wav");
    };
    QComboBox* combo = ComboOf(*popup);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(7, 9));
    ASSERT_EQ(window->Count("MouseDown"), 1);
    EXPECT_EQ(window->calls[0].sender, popup);
    EXPECT_EQ(window->calls[0].x, 7);
    EXPECT_EQ(window->calls[0].y, 9);
    EXPECT_TRUE(ListOpen(combo));
    EXPECT_EQ(combo->view()->model()->rowCount(), 2);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("a.wav"));
    EXPECT_EQ(window->Count("Change"), 0);  // rebuilding raised none

    ChooseInOpenList(combo, 1);
    EXPECT_FALSE(ListOpen(combo));
    ASSERT_EQ(window->Count("Change"), 1);
    EXPECT_EQ(window->calls.back().text, "b.wav");
    EXPECT_EQ(popup->ListIndex(), 1);
}

TEST_F(UiControlsPopup, MouseDownTrueKeepsThePopupClosed) {
    popup->SetInitialValue("( )\r[ ]\r< >\r");
    window->mouseDownResult = true;
    QComboBox* combo = ComboOf(*popup);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window->Count("MouseDown"), 1);
    EXPECT_FALSE(ListOpen(combo));
}

TEST_F(UiControlsPopup, PressOnAnEmptyPopupOpensNothing) {
    QComboBox* combo = ComboOf(*popup);
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(window->Count("MouseDown"), 1);
    EXPECT_FALSE(ListOpen(combo));
}

TEST_F(UiControlsPopup, KeyboardOpeningAlsoRebuildsFirst) {
    int builds = 0;
    window->onMouseDown = [&] {
        popup->DeleteAllRows();
        popup->AddRow("row " + Str(int32_t(++builds)));
    };
    QComboBox* combo = ComboOf(*popup);
    const std::pair<Qt::Key, Qt::KeyboardModifiers> openers[] = {{Qt::Key_F4, Qt::NoModifier},
                                                                 {Qt::Key_Down, Qt::AltModifier},
                                                                 {Qt::Key_Space, Qt::NoModifier}};
    for (const auto& [key, modifiers] : openers) {
        QTest::keyClick(combo, key, modifiers);
        EXPECT_TRUE(ListOpen(combo)) << "key " << key;
        EXPECT_EQ(combo->itemText(0), QString::fromStdString("row " + Str(int32_t(builds))));
        EXPECT_EQ(window->calls.back().x, 0);
        EXPECT_EQ(window->calls.back().y, 0);
        combo->hidePopup();
    }
    EXPECT_EQ(builds, 3);
}

TEST_F(UiControlsPopup, ChoosingTheSameRowAgainRaisesChangeAgain) {
    popup->SetInitialValue("( )\r[ ]\r< >\r");
    popup->SetListIndex(0);
    QComboBox* combo = ComboOf(*popup);
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(5, 5));
        ASSERT_TRUE(ListOpen(combo));
        ChooseInOpenList(combo, 2);
    }
    ASSERT_EQ(window->Count("Change"), 2);
    EXPECT_EQ(window->calls.back().text, "< >");
}

TEST_F(UiControlsPopup, ArrowsChooseTheNextRowAndTheWheelDoesNothing) {
    popup->SetInitialValue("( )\r[ ]\r< >\r");
    popup->SetListIndex(0);
    QComboBox* combo = ComboOf(*popup);
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(window->Count("Change"), 1);
    EXPECT_FALSE(ListOpen(combo));

    QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(combo, &wheel);
    EXPECT_EQ(popup->ListIndex(), 1);
    EXPECT_EQ(window->Count("Change"), 1);
}

// ---- ComboBox ----

class UiControlsCombo : public ::testing::Test {
  protected:
    void SetUp() override {
        window = MakeProbeWindow();
        combo = AddProbeControl<ComboBox>(*window, "BaudCB", 103, 65, 100, 20);
        other = AddProbeControl<PushButton>(*window, "Other", 103, 120, 100, 20);
        combo->SetInitialValue("100\r126\r315\r600\r630\r1225\r2450");
        combo->SetListIndex(5);
        combo->Change.AddHandler(window, &ProbeWindow::ComboChange, "( ComboBox )");
        editor = ComboOf(*combo)->lineEdit();
    }
    void TearDown() override {
        if (combo && ComboOf(*combo)) ComboOf(*combo)->hidePopup();
    }
    // Replaces the edit text by typing.
    void Type(const QString& text) {
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
    }
    std::shared_ptr<ProbeWindow> window;
    std::shared_ptr<ComboBox> combo;
    std::shared_ptr<PushButton> other;
    QLineEdit* editor = nullptr;
};

TEST_F(UiControlsCombo, ListIndexMakesTheRowTheEditText) {
    EXPECT_EQ(combo->Text(), "1225");
    EXPECT_EQ(combo->ListIndex(), 5);
    combo->SetListIndex(2);
    EXPECT_EQ(combo->Text(), "315");
    combo->SetText("29400");
    EXPECT_EQ(combo->Text(), "29400");
    EXPECT_EQ(editor->text(), QStringLiteral("29400"));
    EXPECT_EQ(window->Count("Change"), 0);
}

TEST_F(UiControlsCombo, EnterCommitsTypedTextOnceAndAddsNoRow) {
    Type("1200");
    EXPECT_EQ(window->Count("Change"), 0);  // not per keystroke
    QTest::keyClick(editor, Qt::Key_Return);
    ASSERT_EQ(window->Count("Change"), 1);
    EXPECT_EQ(window->calls.back().text, "1200");
    EXPECT_EQ(combo->ListCount(), 7);
    EXPECT_EQ(ComboOf(*combo)->count(), 7);
    EXPECT_EQ(combo->Text(), "1200");

    // The same row typed exactly is committed once too.
    Type("126");
    QTest::keyClick(editor, Qt::Key_Enter);
    ASSERT_EQ(window->Count("Change"), 2);
    EXPECT_EQ(window->calls.back().text, "126");
    EXPECT_EQ(combo->ListCount(), 7);
}

TEST_F(UiControlsCombo, FocusLeavingCommitsOnce) {
    window->NativeWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWindow()));
    editor->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->hasFocus(); }));
    Type("12");
    other->NativeWidget()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->hasFocus(); }));
    ASSERT_EQ(window->Count("Change"), 1);
    EXPECT_EQ(window->calls.back().text, "12");

    // Enter, then leaving: still one commit of that text.
    editor->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return editor->hasFocus(); }));
    Type("630");
    QTest::keyClick(editor, Qt::Key_Return);
    other->NativeWidget()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !editor->hasFocus(); }));
    EXPECT_EQ(window->Count("Change"), 2);
}

TEST_F(UiControlsCombo, PressOnTheEditorRaisesMouseDownInTheControlsCoordinates) {
    combo->MouseDown.AddHandler(window, &ProbeWindow::Down,
                                "( ComboBox, Int32, Int32 ) as Boolean");
    const QPoint inEditor(4, 3);
    QTest::mouseClick(editor, Qt::LeftButton, {}, inEditor);
    ASSERT_EQ(window->Count("MouseDown"), 1);
    const QPoint expected = editor->mapTo(combo->NativeWidget(), inEditor);
    EXPECT_EQ(window->calls.back().x, expected.x());
    EXPECT_EQ(window->calls.back().y, expected.y());
}

TEST_F(UiControlsCombo, ChoosingARowRaisesChangeWithItsText) {
    QComboBox* qt = ComboOf(*combo);
    qt->showPopup();
    ASSERT_TRUE(ListOpen(qt));
    ChooseInOpenList(qt, 3);
    ASSERT_EQ(window->Count("Change"), 1);
    EXPECT_EQ(window->calls.back().text, "600");
    EXPECT_EQ(combo->ListIndex(), 3);
}

TEST_F(UiControlsCombo, CodeChangesToRowsKeepTheEditTextAndRaiseNothing) {
    combo->DeleteAllRows();
    EXPECT_EQ(combo->ListCount(), 0);
    EXPECT_EQ(combo->Text(), "1225");
    combo->AddRow("14700");
    combo->AddRow("29400");
    EXPECT_EQ(combo->Text(), "1225");
    combo->SetListIndex(1);
    EXPECT_EQ(combo->Text(), "29400");
    EXPECT_EQ(window->Count("Change"), 0);
}

}  // namespace
