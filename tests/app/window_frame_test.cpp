// The main window itself: size, title, frame buttons and its hex-tag pair.
#include <gtest/gtest.h>
#include <QMainWindow>
#include <QMenuBar>
#include <QWidget>

#include "tests/app/window_fixture.h"

namespace {

TEST(MainWindow, HasItsListsTitleAndContentSize) {
    std::shared_ptr<Window1> window = StartedWindow();
    EXPECT_EQ(window->Title(), "Tarnwhistle for Softmodem");
    EXPECT_EQ(window->Width(), 519);
    EXPECT_EQ(window->Height(), 319);
    EXPECT_EQ(window->MinWidth(), 64);
    EXPECT_EQ(window->MaxHeight(), 32000);
    EXPECT_FALSE(window->HasBackColor());
    EXPECT_TRUE(window->MenuBarVisible());
    EXPECT_EQ(window->MacProcId(), 0);

    QWidget* native = window->NativeWindow();
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->windowTitle(), QStringLiteral("Tarnwhistle for Softmodem"));
    ASSERT_NE(window->ContentWidget(), nullptr);
    EXPECT_EQ(window->ContentWidget()->size(), QSize(519, 319));
}

TEST(MainWindow, IsVisibleWithAMinimiseButtonOnly) {
    std::shared_ptr<Window1> window = StartedWindow();
    EXPECT_TRUE(window->Visible());
    QWidget* native = window->NativeWindow();
    EXPECT_TRUE(native->isVisible());
    const Qt::WindowFlags flags = native->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(window->CloseButton());
    EXPECT_FALSE(window->MaximizeButton());
    EXPECT_TRUE(window->MinimizeButton());
}

TEST(MainWindow, CannotBeResized) {
    std::shared_ptr<Window1> window = StartedWindow();
    EXPECT_FALSE(window->Resizeable());
    QWidget* native = window->NativeWindow();
    EXPECT_EQ(native->minimumSize(), native->maximumSize());
    native->resize(800, 600);
    EXPECT_EQ(window->ContentWidget()->size(), QSize(519, 319));
}

TEST(MainWindow, ShowsTheMenuBarAboveTheContent) {
    auto* native = qobject_cast<QMainWindow*>(StartedWindow()->NativeWindow());
    ASSERT_NE(native, nullptr);
    ASSERT_NE(native->menuBar(), nullptr);
    EXPECT_TRUE(native->menuBar()->isVisible());
    EXPECT_GT(native->height(), 319);
}

TEST(MainWindow, StartsWithTheRoundBracketPair) {
    std::shared_ptr<Window1> window = StartedWindow();
    EXPECT_EQ(window->mHexTagA, "(");
    EXPECT_EQ(window->mHexTagB, ")");
}

}  // namespace
