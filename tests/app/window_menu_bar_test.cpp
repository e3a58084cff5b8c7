// The shared menu bar: its tree, texts, shortcuts and AutoEnable, the window's menu-item
// accessors, and what the window shows of it.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTextLayout>

#include <functional>
#include <string>
#include <vector>

#include "app/menu_bar.h"
#include "framework/core/exceptions.h"
#include "tests/app/window_fixture.h"

namespace {

// The characters of `text` that `font`, with the fonts it falls back on, lacks, in UTF-8; each
// "[box]" is a glyph drawn as the missing-glyph box (index 0) when laid out as the menus are.
std::string MissingGlyphs(const QString& text, const QFont& font) {
    QString missing;
    const QFontMetrics metrics(font);
    for (char32_t c : text.toUcs4())
        if (!metrics.inFontUcs4(c)) missing += QString::fromUcs4(&c, 1);
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun& run : layout.glyphRuns())
        for (quint32 glyph : run.glyphIndexes())
            if (glyph == 0) missing += QStringLiteral("[box]");
    return missing.toStdString();
}

struct ExpectedItem {
    const char* name;
    const char* text;
    const char* shortcut;  // nullptr: never set
    std::function<std::shared_ptr<MenuItem>(Window1&)> accessor;
};

const ExpectedItem kFile[] = {
    {"FileQuit", "終了", "Cmd+Q", [](Window1& w) { return w.FileQuit(); }},
};
const ExpectedItem kEdit[] = {
    {"EditUndo", "元に戻す", "Cmd+Z", [](Window1& w) { return w.EditUndo(); }},
    {"UntitledMenu1", "-", nullptr, [](Window1& w) { return w.UntitledMenu1(); }},
    {"EditCut", "カット", "Cmd+X", [](Window1& w) { return w.EditCut(); }},
    {"EditCopy", "コピー", "Cmd+C", [](Window1& w) { return w.EditCopy(); }},
    {"EditPaste", "貼り付け", "Cmd+V", [](Window1& w) { return w.EditPaste(); }},
    {"EditClear", "削除", "", [](Window1& w) { return w.EditClear(); }},
    {"UntitledMenu0", "-", nullptr, [](Window1& w) { return w.UntitledMenu0(); }},
    {"EditSelectAll", "すべてを選択", "Cmd+A", [](Window1& w) { return w.EditSelectAll(); }},
};

void ExpectItem(Window1& window, const MenuItem& item, const ExpectedItem& e) {
    SCOPED_TRACE(e.name);
    EXPECT_EQ(item.Name(), e.name);
    EXPECT_EQ(item.Text(), e.text);
    EXPECT_TRUE(item.AutoEnable());
    EXPECT_EQ(item.HasKeyboardShortcut(), e.shortcut != nullptr);
    if (e.shortcut) {
        EXPECT_EQ(item.KeyboardShortcut(), e.shortcut);
    }
    EXPECT_EQ(item.Count(), 0);
    std::shared_ptr<MenuItem> viaAccessor = e.accessor(window);
    EXPECT_EQ(viaAccessor.get(), &item);
    const bool quit = std::string(e.name) == "FileQuit";
    EXPECT_EQ(dynamic_cast<const QuitMenuItem*>(&item) != nullptr, quit);
}

TEST(MenuBar, HoldsFileAndEditWithTheirItemsInOrder) {
    std::shared_ptr<Window1> window = StartedWindow();
    std::shared_ptr<MenuBar1> bar = MenuBar1Instance();
    ASSERT_EQ(bar->Count(), 2);
    EXPECT_EQ(bar->Class().fullName, "MenuBar1.MenuBar1");

    const std::pair<std::shared_ptr<MenuItem>, ExpectedItem> menus[] = {
        {bar->Item(0), {"FileMenu", "ファイル", "", [](Window1& w) { return w.FileMenu(); }}},
        {bar->Item(1), {"EditMenu", "編集", "", [](Window1& w) { return w.EditMenu(); }}},
    };
    for (const auto& [menu, e] : menus) {
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->Name(), e.name);
        EXPECT_EQ(menu->Text(), e.text);
        EXPECT_TRUE(menu->AutoEnable());
        EXPECT_TRUE(menu->HasKeyboardShortcut());
        EXPECT_EQ(menu->KeyboardShortcut(), "");
        EXPECT_EQ(e.accessor(*window), menu);
    }
    std::shared_ptr<MenuItem> file = bar->Item(0), edit = bar->Item(1);
    ASSERT_EQ(file->Count(), int32_t(std::size(kFile)));
    for (int32_t i = 0; i < file->Count(); ++i) ExpectItem(*window, *file->Item(i), kFile[i]);
    ASSERT_EQ(edit->Count(), int32_t(std::size(kEdit)));
    for (int32_t i = 0; i < edit->Count(); ++i) ExpectItem(*window, *edit->Item(i), kEdit[i]);
}

TEST(MenuBar, AccessorsNeedAMenuBar) {
    StartedWindow();
    auto bare = std::make_shared<Window1>();  // never constructed: no menu bar
    EXPECT_THROW(bare->FileQuit(), NilObjectException);
    EXPECT_THROW(bare->EditMenu(), NilObjectException);
}

TEST(MenuBar, TheWindowShowsTheJapaneseMenusWithTheirKeys) {
    auto* native = qobject_cast<QMainWindow*>(StartedWindow()->NativeWindow());
    ASSERT_NE(native, nullptr);
    QList<QAction*> menus = native->menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("ファイル"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("編集"));
    ASSERT_NE(menus[0]->menu(), nullptr);
    QList<QAction*> fileItems = menus[0]->menu()->actions();
    ASSERT_EQ(fileItems.size(), 1);
    EXPECT_EQ(fileItems[0]->text(), QStringLiteral("終了"));
    EXPECT_EQ(fileItems[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    ASSERT_NE(menus[1]->menu(), nullptr);
    QList<QAction*> editItems = menus[1]->menu()->actions();
    ASSERT_EQ(editItems.size(), 8);
    EXPECT_TRUE(editItems[1]->isSeparator());
    EXPECT_TRUE(editItems[6]->isSeparator());
    EXPECT_EQ(editItems[5]->text(), QStringLiteral("削除"));
    EXPECT_TRUE(editItems[5]->shortcut().isEmpty());
    EXPECT_EQ(editItems[7]->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
}

// The Japanese texts are drawn with real glyphs, not boxes, in the fonts the menus use.
TEST(MenuBar, EveryCharacterOfTheMenusHasAGlyph) {
    // The probe itself sees a character that no font has.
    ASSERT_FALSE(MissingGlyphs(QString::fromUcs4(U"\U0010FFFD", 1), QApplication::font()).empty());

    auto* native = qobject_cast<QMainWindow*>(StartedWindow()->NativeWindow());
    ASSERT_NE(native, nullptr);
    QMenuBar* bar = native->menuBar();
    int texts = 0;
    for (QAction* title : bar->actions()) {
        SCOPED_TRACE(title->text().toStdString());
        EXPECT_EQ(MissingGlyphs(title->text(), bar->font()), "");
        ++texts;
        ASSERT_NE(title->menu(), nullptr);
        for (QAction* item : title->menu()->actions()) {
            if (item->isSeparator()) continue;
            SCOPED_TRACE(item->text().toStdString());
            EXPECT_EQ(MissingGlyphs(item->text(), title->menu()->font()), "");
            ++texts;
        }
    }
    EXPECT_EQ(texts, 2 + 1 + 6);
}

}  // namespace
