// One whole run of the process in this binary's one test: start-up, the event loop, Quit from
// the File menu, then the shut-down order and the exit code.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>

#include "app/app.h"
#include "app/menu_bar.h"
#include "app/window1.h"
#include "framework/ui/runtime.h"

namespace {

QAction* QuitAction(Window& window) {
    auto* native = qobject_cast<QMainWindow*>(window.NativeWindow());
    if (!native) return nullptr;
    for (QAction* menu : native->menuBar()->actions())
        if (menu->menu())
            for (QAction* item : menu->menu()->actions())
                if (item->text() == QStringLiteral("終了")) return item;
    return nullptr;
}

TEST(Lifecycle, QuitEndsTheRunWithExitCodeZeroAndTheMenuBarGoesLast) {
    RuntimeInit();
    RegisterClasses();
    EXPECT_EQ(MenuBar1ImplicitInstance(), nullptr);  // nothing of the system exists yet

    std::weak_ptr<Window1> window;
    std::weak_ptr<MenuBar1> bar;
    bool quitTriggered = false, timedOut = false;
    // What the shared menu bar was when the window's native side went: the framework's objects
    // must go while the menu bar is still shared.
    bool nativeWindowGone = false;
    std::shared_ptr<MenuBar1> barWhenTheWindowWent;
    QTimer::singleShot(0, [&] {
        window = Window1Instance();
        bar = MenuBar1ImplicitInstance();
        QObject::connect(window.lock()->NativeWindow(), &QObject::destroyed, [&] {
            nativeWindowGone = true;
            barWhenTheWindowWent = MenuBar1ImplicitInstance();
        });
        if (QAction* quit = QuitAction(*window.lock())) {
            quitTriggered = true;
            quit->trigger();
        }
    });
    // A Quit that does nothing must fail the test, not hang it.
    QTimer::singleShot(10000, [&] {
        timedOut = true;
        QApplication::exit(3);
    });
    Main();
    EXPECT_TRUE(quitTriggered);
    EXPECT_FALSE(timedOut);
    ASSERT_FALSE(bar.expired());
    EXPECT_FALSE(window.expired());  // the framework still holds its window
    EXPECT_FALSE(nativeWindowGone);

    ReleaseModuleObjects();
    EXPECT_TRUE(window.expired());
    ASSERT_TRUE(nativeWindowGone);
    EXPECT_NE(barWhenTheWindowWent, nullptr);
    EXPECT_EQ(barWhenTheWindowWent, bar.lock());
    barWhenTheWindowWent.reset();
    EXPECT_EQ(MenuBar1ImplicitInstance(), nullptr);

    EXPECT_EQ(RuntimeShutdown(), 0);
    EXPECT_TRUE(bar.expired());
}

}  // namespace
