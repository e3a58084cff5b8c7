// Menus: shortcut texts, finding items, and the standard edit items on a focused text field.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <functional>

#include "framework/ui/window.h"
#include "tests/framework/ui_runtime_support.h"

namespace {

TEST(NativeShortcutTextTest, CmdBecomesCtrlAndEveryOtherPartPassesAsItIs) {
    const std::pair<const char*, const char*> cases[] = {
        {"Cmd+Q", "Ctrl+Q"},
        {"Cmd+Z", "Ctrl+Z"},
        {"cmd+a", "Ctrl+a"},
        {"Cmd+Shift+Z", "Ctrl+Shift+Z"},
        {"Alt+Cmd+X", "Alt+Ctrl+X"},
        {"Option+Cmd+X", "Option+Ctrl+X"},
        {"Cmd++", "Ctrl++"},
        {"Cmdx+Q", "Cmdx+Q"},
        {"F5", "F5"},
        {"", ""},
    };
    for (const auto& [mac, qt] : cases) EXPECT_EQ(NativeShortcutText(mac), qt) << mac;
    EXPECT_EQ(QKeySequence(QString::fromUtf8(NativeShortcutText("Cmd+Q").c_str())),
              QKeySequence(Qt::CTRL | Qt::Key_Q));
}

TEST(MenuItemTest, UnsetShortcutDiffersFromEmpty) {
    MenuItem item;
    EXPECT_FALSE(item.HasKeyboardShortcut());
    item.SetKeyboardShortcut("");
    EXPECT_TRUE(item.HasKeyboardShortcut());
    EXPECT_EQ(item.KeyboardShortcut(), "");
}

TEST(MenuItemTest, ChildIsDirectOnlyAndLookupSearchesTheWholeTree) {
    std::shared_ptr<MenuBar> bar = StandardMenuBar();
    EXPECT_EQ(bar->Count(), 2);
    ASSERT_TRUE(bar->Child("EditMenu"));
    EXPECT_EQ(bar->Child("EditCopy"), nullptr) << "not a direct child of the bar";
    std::shared_ptr<MenuItem> copy = bar->Lookup("EditCopy");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy, bar->Child("EditMenu")->Child("EditCopy"));
    EXPECT_EQ(copy->Text(), "コピー");
    EXPECT_TRUE(std::dynamic_pointer_cast<QuitMenuItem>(bar->Lookup("FileQuit")));
    EXPECT_EQ(bar->Lookup("Nothing"), nullptr);
    EXPECT_EQ(bar->Item(0)->Name(), "FileMenu");
    EXPECT_EQ(bar->Item(2), nullptr);
    EXPECT_EQ(bar->Item(-1), nullptr);
    EXPECT_EQ(bar->Child("EditMenu")->Item(1)->Text(), "-");
}

// A shown window with the standard menu bar and one line edit with the focus.
class EditItemsTest : public RuntimeFixture {
  protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        window = std::make_shared<Window>();
        window->SetMenuBar(StandardMenuBar());
        edit = new QLineEdit(window->ContentWidget());
        edit->setGeometry(10, 10, 200, 22);
        combo = new QComboBox(window->ContentWidget());
        combo->setEditable(true);
        combo->setGeometry(10, 40, 200, 22);
        SetProperties(*window, prop::BooleanEntry("Visible", true));
        QWidget* native = window->NativeWindow();
        native->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(native));
        Focus(edit);
        QGuiApplication::clipboard()->clear();
    }
    void Focus(QWidget* w) {
        w->setFocus();
        QCoreApplication::processEvents();
        ASSERT_EQ(QApplication::focusWidget(), w);
    }
    QMenuBar* Bar() { return qobject_cast<QMainWindow*>(window->NativeWindow())->menuBar(); }
    QMenu* EditMenu() {
        return qobject_cast<QMainWindow*>(window->NativeWindow())->menuBar()->actions()[1]->menu();
    }
    QAction* Action(const char* text) {
        for (QAction* a : EditMenu()->actions())
            if (a->text() == QString::fromUtf8(text)) return a;
        ADD_FAILURE() << "no action " << text;
        return nullptr;
    }
    // The menu that opened; waits for it to be on screen, where the platform has settled its
    // activation (one settled later would take the focus from the window).
    QWidget* ShownMenu() {
        QWidget* menu = nullptr;
        const bool shown =
            QTest::qWaitFor([&] { return (menu = QApplication::activePopupWidget()) != nullptr; });
        return shown && QTest::qWaitForWindowExposed(menu) ? menu : nullptr;
    }
    bool EnabledWhenShown(const char* text) {
        emit EditMenu()->aboutToShow();
        bool enabled = Action(text)->isEnabled();
        emit EditMenu()->aboutToHide();
        return enabled;
    }

    std::shared_ptr<Window> window;
    QLineEdit* edit = nullptr;
    QComboBox* combo = nullptr;
};

TEST_F(EditItemsTest, SelectAllCopyPasteCutAndClearWorkOnTheFocusedField) {
    edit->setText("Hello");
    Action("すべてを選択")->trigger();
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Hello"));
    Action("コピー")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Hello"));
    edit->setText("ab");
    edit->setCursorPosition(1);
    Action("貼り付け")->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("aHellob"));
    Action("元に戻す")->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("ab"));
    edit->setSelection(0, 1);
    Action("カット")->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("b"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("a"));
    edit->setText("xyz");
    edit->setSelection(1, 1);
    Action("削除")->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("xz"));
}

TEST_F(EditItemsTest, EditItemsWorkOnAComboBoxsField) {
    Focus(combo);
    combo->setEditText("1225");
    Action("すべてを選択")->trigger();
    Action("コピー")->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1225"));
}

TEST_F(EditItemsTest, AutoEnableShowsOnlyWhatApplies) {
    edit->setText("Hello");
    edit->deselect();
    EXPECT_FALSE(EnabledWhenShown("コピー"));
    EXPECT_FALSE(EnabledWhenShown("カット"));
    EXPECT_FALSE(EnabledWhenShown("貼り付け")) << "empty clipboard";
    EXPECT_TRUE(EnabledWhenShown("すべてを選択"));
    edit->selectAll();
    EXPECT_TRUE(EnabledWhenShown("コピー"));
    EXPECT_TRUE(EnabledWhenShown("カット"));
    edit->setReadOnly(true);
    EXPECT_FALSE(EnabledWhenShown("カット"));
    EXPECT_TRUE(EnabledWhenShown("コピー"));
    edit->setEchoMode(QLineEdit::Password);
    EXPECT_FALSE(EnabledWhenShown("コピー")) << "a password is not copied out";
    // Quit is not an edit item: always enabled.
    QMenu* file =
        qobject_cast<QMainWindow*>(window->NativeWindow())->menuBar()->actions()[0]->menu();
    emit file->aboutToShow();
    EXPECT_TRUE(file->actions()[0]->isEnabled());
}

TEST_F(EditItemsTest, HiddenMenuLeavesTheEditShortcutsLive) {
    edit->setText("Hello");
    edit->deselect();
    emit EditMenu()->aboutToShow();
    ASSERT_FALSE(Action("コピー")->isEnabled());
    emit EditMenu()->aboutToHide();
    EXPECT_TRUE(Action("コピー")->isEnabled());
    // The key itself copies once there is a selection.
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Hello"));
}

// Worked from the keyboard, the bar takes the focus; the Edit items still see the field.
TEST_F(EditItemsTest, KeyboardOpenedEditMenuActsOnTheFieldThatHadTheFocus) {
    edit->setText("Hello");
    edit->deselect();
    QTest::keyClick(edit, Qt::Key_Alt);
    ASSERT_EQ(QApplication::focusWidget(), Bar()) << "Alt did not hand the keys to the menu bar";
    QTest::keyClick(Bar(), Qt::Key_Right);
    QTest::keyClick(Bar(), Qt::Key_Down);
    ASSERT_EQ(ShownMenu(), EditMenu());
    EXPECT_TRUE(Action("すべてを選択")->isEnabled());
    EXPECT_FALSE(Action("コピー")->isEnabled()) << "nothing selected";
    EXPECT_FALSE(Action("貼り付け")->isEnabled()) << "empty clipboard";

    EditMenu()->setActiveAction(Action("すべてを選択"));
    QTest::keyClick(EditMenu(), Qt::Key_Return);
    EXPECT_EQ(edit->selectedText(), QStringLiteral("Hello"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == edit; }));
}

// Escape from a menu leaves the bar holding the keys, drawn as nothing; they go back to the
// field, whether the menu was opened with the mouse or the keyboard.
TEST_F(EditItemsTest, EscapeFromAMenuGivesTheKeysBackToTheField) {
    Focus(combo);
    combo->setEditText("12");
    const std::function<void()> openFile[] = {
        [&] {
            QMenuBar* bar = Bar();
            QTest::mouseClick(bar, Qt::LeftButton, {},
                              bar->actionGeometry(bar->actions()[0]).center());
        },
        [&] {
            QTest::keyClick(combo, Qt::Key_Alt);
            QTest::keyClick(Bar(), Qt::Key_Down);
        },
    };
    QString typed = "12";
    for (const auto& open : openFile) {
        open();
        QWidget* menu = ShownMenu();
        ASSERT_NE(menu, nullptr);
        QTest::keyClick(menu, Qt::Key_Escape);
        ASSERT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == combo; }));
        QTest::keyClicks(nullptr, "3");  // to wherever the keys go now
        typed += "3";
        EXPECT_EQ(combo->currentText(), typed);
    }

    // The Edit menu opened next, with the mouse, works on the field.
    QTest::mouseClick(Bar(), Qt::LeftButton, {},
                      Bar()->actionGeometry(Bar()->actions()[1]).center());
    ASSERT_EQ(ShownMenu(), EditMenu());
    EXPECT_TRUE(Action("すべてを選択")->isEnabled());
    QTest::keyClick(EditMenu(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == combo; }));
}

TEST_F(EditItemsTest, EditItemWithoutAFocusedFieldDoesNothing) {
    edit->setText("Hello");
    window->ContentWidget()->setFocus();
    QCoreApplication::processEvents();
    Action("すべてを選択")->trigger();
    Action("コピー")->trigger();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().isEmpty());
    EXPECT_TRUE(reports.empty());
}

}  // namespace
