// The runtime: the event loop and Quit, the exit code, the exception boundary and its report,
// and the class registry.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <stdexcept>

#include "framework/core/exceptions.h"
#include "framework/ui/window.h"
#include "tests/framework/ui_runtime_support.h"

namespace {

// Hands back the RuntimeException that left the function; anything else passes through.
int helperCalls = 0;
std::exception_ptr CatchRuntimeExceptions(void (*function)(void*), void* argument) {
    ++helperCalls;
    try {
        function(argument);
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

class HandlerWindow : public Window {
  public:
    int calls = 0;
    void Fail(std::shared_ptr<MenuItem>) {
        ++calls;
        throw IOException("disk full", 28);
    }
};

QAction* FindAction(QMenuBar* bar, const QString& text) {
    for (QAction* menu : bar->actions()) {
        if (menu->text() == text) return menu;
        if (menu->menu())
            for (QAction* a : menu->menu()->actions())
                if (a->text() == text) return a;
    }
    return nullptr;
}

class LoopTest : public RuntimeFixture {
  protected:
    void SetUp() override {
        RuntimeFixture::SetUp();
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [this] {
            timedOut = true;
            QCoreApplication::exit(3);
        });
    }
    void TearDown() override {
        guard.stop();
        RuntimeSetExceptionHelper(nullptr);
        RuntimeFixture::TearDown();
    }
    // Ends the loop after `ms` if the test's own Quit never came, so a fault cannot hang.
    void Guard(int ms = 5000) { guard.start(ms); }
    QTimer guard;
    bool timedOut = false;
};

TEST_F(LoopTest, QuitItemEndsTheLoopWithExitCodeZeroTimeAfterTime) {
    auto w = std::make_shared<Window>();
    w->SetMenuBar(StandardMenuBar());
    QAction* quit = FindAction(qobject_cast<QMainWindow*>(w->NativeWindow())->menuBar(),
                               QStringLiteral("終了"));
    ASSERT_TRUE(quit);
    for (bool withApp : {false, true}) {
        SCOPED_TRACE(withApp ? "through the application object" : "without one");
        if (withApp) RuntimeRegisterAppObject(std::make_shared<Application>());
        Guard();
        QTimer::singleShot(0, quit, &QAction::trigger);
        RuntimeRun();
        guard.stop();
        EXPECT_FALSE(timedOut);
        EXPECT_EQ(RuntimeShutdown(), 0);
        RuntimeInit();
    }
}

TEST_F(LoopTest, QuitBeforeTheLoopEndsItAtOnce) {
    auto app = std::make_shared<Application>();
    RuntimeRegisterAppObject(app);
    app->Quit();
    Guard(2000);
    RuntimeRun();
    EXPECT_FALSE(timedOut);
    EXPECT_EQ(RuntimeShutdown(), 0);
}

TEST_F(LoopTest, ExceptionFromAHandlerIsReportedAndTheLoopGoesOn) {
    RuntimeSetExceptionHelper(&CatchRuntimeExceptions);
    auto w = std::make_shared<HandlerWindow>();
    std::shared_ptr<MenuBar> bar = StandardMenuBar();
    auto failing = std::make_shared<MenuItem>();
    failing->SetName("Fail");
    failing->SetText("Fail");
    failing->Action.AddHandler(w, &HandlerWindow::Fail, "( MenuItem )");
    bar->Child("FileMenu")->Append(failing);
    w->SetMenuBar(bar);
    QAction* action = FindAction(qobject_cast<QMainWindow*>(w->NativeWindow())->menuBar(), "Fail");
    ASSERT_TRUE(action);

    auto app = std::make_shared<Application>();
    RuntimeRegisterAppObject(app);
    bool afterwards = false;
    Guard();
    QTimer::singleShot(0, action, &QAction::trigger);
    QTimer::singleShot(0, action, &QAction::trigger);
    QTimer::singleShot(10, [&] {
        afterwards = true;
        app->Quit();
    });
    helperCalls = 0;
    testing::internal::CaptureStderr();
    RuntimeRun();
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(timedOut);
    EXPECT_TRUE(afterwards) << "the loop went on after the exception";
    EXPECT_EQ(w->calls, 2);
    EXPECT_GE(helperCalls, 2) << "the handler ran through the installed helper";
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0], (std::pair<String, String>{"IOException", "disk full"}));
    EXPECT_NE(err.find("IOException: disk full\n"), std::string::npos) << err;
    EXPECT_EQ(RuntimeShutdown(), 0);
}

TEST_F(LoopTest, DispatchCatchesEverythingWithOrWithoutTheHelper) {
    struct Case {
        const char* what;
        std::function<void()> fn;
        std::pair<String, String> report;
    };
    const Case cases[] = {
        {"RuntimeException",
         [] { throw NilObjectException("x is Nil"); },
         {"NilObjectException", "x is Nil"}},
        {"std::exception", [] { throw std::runtime_error("boom"); }, {"std::exception", "boom"}},
        {"anything else", [] { throw 42; }, {"unknown exception", ""}},
    };
    for (ExceptionHelper helper : {ExceptionHelper(nullptr), &CatchRuntimeExceptions}) {
        RuntimeSetExceptionHelper(helper);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.what);
            reports.clear();
            testing::internal::CaptureStderr();
            RuntimeDispatch(c.fn);
            const std::string err = testing::internal::GetCapturedStderr();
            ASSERT_EQ(reports.size(), 1u);
            EXPECT_EQ(reports[0], c.report);
            EXPECT_EQ(err, c.report.first + ": " + c.report.second + "\n");
        }
    }
    reports.clear();
    EXPECT_EQ(RuntimeDispatchResult<int>([] { return 5; }, -1), 5);
    EXPECT_EQ(RuntimeDispatchResult<int>([]() -> int { throw IOException("no"); }, -1), -1);
    EXPECT_EQ(reports.size(), 1u);
}

TEST_F(LoopTest, FailedStartupMakesTheExitCodeOne) {
    RuntimeMarkFailed();
    EXPECT_EQ(RuntimeShutdown(), 1);
    RuntimeInit();
    EXPECT_EQ(RuntimeShutdown(), 0) << "the mark lasts one run";
}

TEST_F(LoopTest, StartupRoutineRunsInsideInitialization) {
    static bool ran;
    ran = false;
    RunFrameworkInitialization([] { ran = RuntimeInitialized(); });
    EXPECT_TRUE(ran);
    EXPECT_THROW(RunFrameworkInitialization([] { throw IOException("start"); }), IOException);
}

TEST_F(LoopTest, DefaultReportIsANonModalMessageWindow) {
    RuntimeSetReportSink({});
    testing::internal::CaptureStderr();
    UnhandledException(std::make_exception_ptr(IOException("cannot write")));
    testing::internal::GetCapturedStderr();
    QMessageBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<QMessageBox*>(w); b && b->isVisible()) box = b;
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text(), QStringLiteral("IOException: cannot write"));
    EXPECT_FALSE(box->isModal());
    EXPECT_TRUE(box->testAttribute(Qt::WA_DeleteOnClose));
    QPointer<QMessageBox> gone = box;
    box->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(gone.isNull());
    UnhandledException(nullptr);  // nothing to report
}

TEST_F(LoopTest, ClassesAreKeptInRegistrationOrderAndFoundByFullName) {
    static const ClassInfo first{"First.First", &Object::StaticClass(), {}};
    static const ClassInfo second{"Second", &first, {}};
    RuntimeRegisterClass(Object::StaticClass());
    RuntimeRegisterClass(first);
    RuntimeRegisterClass(second);
    RuntimeRegisterClass(first);  // again: no second entry
    EXPECT_EQ(RuntimeRegisteredClasses(),
              (std::vector<const ClassInfo*>{&Object::StaticClass(), &first, &second}));
    EXPECT_EQ(RuntimeFindClass("First.First"), &first);
    EXPECT_EQ(RuntimeFindClass("First"), nullptr);
    EXPECT_TRUE(RuntimeFindClass("Second")->IsA(first));
    RuntimeReleaseModuleObjects();
    EXPECT_TRUE(RuntimeRegisteredClasses().empty()) << "the type maps are module objects";
}

}  // namespace
