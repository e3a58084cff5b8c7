// The runtime: the Qt application, the class registry, the event loop, the exception boundary
// and the report of exceptions nobody caught.
#include "framework/ui/runtime.h"

#include <QApplication>
#include <QEventLoop>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/core/exceptions.h"
#include "framework/core/folder_item.h"
#include "framework/core/process_signals.h"
#include "framework/ui/display_check.h"
#include "framework/ui/menu.h"
#include "framework/ui/runtime_internal.h"
#include "framework/ui/window.h"

namespace {

struct RuntimeState {
    QApplication* ownedApp = nullptr;  // created by RuntimeInit; a test's own is not ours
    bool initialized = false;
    std::vector<const ClassInfo*> classes;
    ExceptionHelper helper = nullptr;
    std::shared_ptr<Application> app;
    std::vector<std::shared_ptr<Window>> windows;
    ExceptionReportSink sink;
    QList<QPointer<QMessageBox>> reportWindows;
    bool quitRequested = false;
    bool inLoop = false;
    bool failed = false;
    int exitCode = 0;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

// QApplication keeps argc and argv for its whole life.
int qtArgc = 1;
char programName[256] = "tarnwhistle";
char* qtArgv[] = {programName, nullptr};

void SetProgramName() {
#ifdef __GLIBC__
    if (program_invocation_short_name && *program_invocation_short_name)
        std::snprintf(programName, sizeof programName, "%s", program_invocation_short_name);
#endif
}

void ShowReportWindow(const String& className, const String& message) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    auto* box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Unhandled exception"),
                                ToQString(className + ": " + message), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->setWindowModality(Qt::NonModal);
    box->show();
    State().reportWindows.append(box);
}

bool AnyReportOpen() {
    for (const QPointer<QMessageBox>& box : State().reportWindows)
        if (box && box->isVisible()) return true;
    return false;
}

// A run that failed ends with its report: a user who started the program from a desktop menu has
// no other sign of the failure, so the report stays until they dismiss it.
void WaitForReportsDismissed() {
    if (!AnyReportOpen()) return;
    QEventLoop loop;
    auto quitWhenAllDismissed = [&loop] {
        if (!AnyReportOpen()) loop.quit();
    };
    for (const QPointer<QMessageBox>& box : State().reportWindows) {
        if (!box) continue;
        QObject::connect(box, &QDialog::finished, &loop, quitWhenAllDismissed);
        QObject::connect(box, &QObject::destroyed, &loop, quitWhenAllDismissed);
    }
    loop.exec();
}

// Qt ends the process with abort() when no platform starts after all (a failure the probe could
// not foresee): this turns that into one line and exit status 1. Qt's other messages of the start
// wait until it has succeeded, so that a failure prints the one line alone.
struct PendingMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<PendingMessage>* pendingMessages = nullptr;

void StartGuard(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: cannot open a display: no platform of \"%s\" could start\n",
                     programName, DisplayPlatforms().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (pendingMessages) pendingMessages->append({type, QByteArray(context.category), text});
}

QApplication* CreateApplication() {
    QList<PendingMessage> messages;
    pendingMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(&StartGuard);
    auto* app = new QApplication(qtArgc, qtArgv);
    qInstallMessageHandler(previous);
    pendingMessages = nullptr;
    for (const PendingMessage& m : messages)
        qt_message_output(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.constData()),
                          m.text);
    return app;
}

void Report(const String& className, const String& message) noexcept {
    std::fprintf(stderr, "%s: %s\n", className.c_str(), message.c_str());
    std::fflush(stderr);
    try {
        if (State().sink)
            State().sink(className, message);
        else
            ShowReportWindow(className, message);
    } catch (...) {
        // The report itself failed: standard error already has it.
    }
}

}  // namespace

const ClassInfo& Application::StaticClass() {
    static const ClassInfo info{"Application", &Object::StaticClass(), {}};
    return info;
}

void Application::SetMenuBar(std::shared_ptr<::MenuBar> menuBar) {
    menuBar_ = std::move(menuBar);
}

void Application::Quit() {
    RuntimeRequestQuit();
}

void RuntimeRequestQuit() {
    RuntimeState& s = State();
    s.quitRequested = true;
    s.exitCode = 0;
    if (s.inLoop) QCoreApplication::exit(0);
}

bool RuntimeInit() {
    IgnoreFileSizeSignal();
    // FolderItem::Launch opens the folder through the desktop from here on.
    FolderItem::SetLauncher(&OpenInFileBrowser);
    RuntimeState& s = State();
    if (s.initialized) return true;
    if (!QCoreApplication::instance()) {
        SetProgramName();
        const DisplayProbe probe;
        if (!probe.Problem().empty()) {
            std::fprintf(stderr, "%s: %s\n", programName, probe.Problem().c_str());
            std::fflush(stderr);
            s.failed = true;
            return false;
        }
        // The program name alone: whatever the command line held changes nothing.
        qtArgc = 1;
        s.ownedApp = CreateApplication();
    }
    // The application ends by Quit, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    s.initialized = true;
    return true;
}

namespace {
void RequireRuntime() {
    if (!RuntimeInit()) throw RuntimeException("the runtime cannot start: no display");
}
}  // namespace

bool RuntimeInitialized() {
    return State().initialized;
}

void RuntimeRegisterClass(const ClassInfo& info) {
    auto& classes = State().classes;
    for (const ClassInfo* c : classes)
        if (c == &info) return;
    classes.push_back(&info);
}

const std::vector<const ClassInfo*>& RuntimeRegisteredClasses() {
    return State().classes;
}

const ClassInfo* RuntimeFindClass(const String& fullName) {
    for (const ClassInfo* c : State().classes)
        if (StrEquals(c->fullName, fullName)) return c;
    return nullptr;
}

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
    State().helper = helper;
}

void RunFrameworkInitialization(void (*startup)()) {
    RequireRuntime();
    if (startup) startup();
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
    State().app = std::move(app);
}

std::shared_ptr<Application> RuntimeAppObject() {
    return State().app;
}

void RuntimeRun() {
    RuntimeState& s = State();
    RequireRuntime();
    // A Quit that came before the loop (during start-up) ends it before it begins.
    if (!s.quitRequested) {
        s.inLoop = true;
        s.exitCode = QApplication::exec();
        s.inLoop = false;
    }
    s.quitRequested = false;
}

void UnhandledException(std::exception_ptr error) noexcept {
    if (!error) return;
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeException& e) {
        Report(e.ClassName(), e.Message);
    } catch (const std::exception& e) {
        Report("std::exception", e.what());
    } catch (...) {
        Report("unknown exception", "");
    }
}

void RuntimeMarkFailed() {
    State().failed = true;
}

// No external (plug-in) control classes exist: every control is built in.
void RuntimeInitExternalClasses() {}
void InitPluginEntrypoints() {}

void RuntimeAddWindow(const std::shared_ptr<Window>& window) {
    auto& windows = State().windows;
    for (const auto& w : windows)
        if (w == window) return;
    windows.push_back(window);
}

std::shared_ptr<Window> GetImplicitWindow(const String& fullClassName) {
    for (const auto& w : State().windows)
        if (StrEquals(w->Class().fullName, fullClassName)) return w;
    return nullptr;
}

void RuntimeReleaseModuleObjects() {
    std::vector<std::shared_ptr<Window>> windows;
    windows.swap(State().windows);
    for (const auto& w : windows) {
        // A control (the timer) may hold its window: letting go of the controls breaks the cycle.
        w->ReleaseControls();
        w->ReleaseNative();
    }
    windows.clear();
    State().classes.clear();
}

int RuntimeShutdown() {
    RuntimeState& s = State();
    const bool failed = s.failed;
    const int code = failed ? 1 : s.exitCode;
    s.app.reset();
    s.helper = nullptr;
    s.failed = false;
    s.exitCode = 0;
    s.quitRequested = false;
    if (s.ownedApp) {
        if (failed) WaitForReportsDismissed();
        // Report windows still open would outlive the application otherwise.
        QList<QPointer<QWidget>> open;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget()) open.append(w);
        for (const QPointer<QWidget>& w : open) delete w.data();
        delete s.ownedApp;
        s.ownedApp = nullptr;
    }
    s.reportWindows.clear();
    s.initialized = false;
    return code;
}

void RuntimeDispatch(const std::function<void()>& fn) noexcept {
    try {
        if (ExceptionHelper helper = State().helper) {
            auto call = [](void* argument) {
                (*static_cast<const std::function<void()>*>(argument))();
            };
            // The helper hands back the RuntimeException it caught; anything else comes through.
            if (std::exception_ptr error = helper(call, const_cast<std::function<void()>*>(&fn)))
                UnhandledException(error);
        } else {
            fn();
        }
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

void RuntimeSetReportSink(ExceptionReportSink sink) {
    State().sink = std::move(sink);
}
