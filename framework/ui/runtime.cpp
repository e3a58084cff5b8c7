// The runtime's life: start, event loop and shut-down, each part in its own file.
#include "framework/ui/runtime.h"

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QWidget>

#include "framework/core/folder_item.h"
#include "framework/core/process_signals.h"
#include "framework/ui/event_loop.h"
#include "framework/ui/qt_application.h"
#include "framework/ui/system.h"
#include "framework/ui/window.h"

namespace {

struct RuntimeState {
    QApplication* ownedApp = nullptr;  // created by RuntimeInit; a test's own is not ours
    bool initialized = false;
    bool failed = false;
};

RuntimeState& State() {
    static RuntimeState state;
    return state;
}

}  // namespace

void RuntimeInit() {
    IgnoreFileSizeSignal();
    // FolderItem::Launch opens the folder through the desktop from here on.
    FolderItem::SetLauncher(&OpenInFileBrowser);
    RuntimeState& s = State();
    if (s.initialized) return;
    if (!QCoreApplication::instance()) s.ownedApp = CreateQtApplication();
    // The application ends by Quit, not when its last window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    s.initialized = true;
}

bool RuntimeInitialized() {
    return State().initialized;
}

void RunFrameworkInitialization(void (*startup)()) {
    RuntimeInit();
    if (startup) startup();
}

void RuntimeRun() {
    RuntimeInit();
    RunEventLoop();
}

void RuntimeMarkFailed() {
    State().failed = true;
}

// No external (plug-in) control classes exist: every control is built in.
void RuntimeInitExternalClasses() {}
void InitPluginEntrypoints() {}

void RuntimeReleaseModuleObjects() {
    ReleaseWindows();
    RuntimeForgetClasses();
}

int RuntimeShutdown() {
    RuntimeState& s = State();
    const bool failed = s.failed;
    const int code = failed ? 1 : EventLoopExitCode();
    RuntimeRegisterAppObject(nullptr);
    RuntimeSetExceptionHelper(nullptr);
    s.failed = false;
    ResetEventLoop();
    if (s.ownedApp) {
        // A run that failed ends with its report: a user who started the program from a desktop
        // menu has no other sign of the failure, so the report stays until they dismiss it.
        if (failed) WaitForReportDismissed();
        // Report windows still open would outlive the application otherwise.
        QList<QPointer<QWidget>> open;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget()) open.append(w);
        for (const QPointer<QWidget>& w : open) delete w.data();
        delete s.ownedApp;
        s.ownedApp = nullptr;
    }
    s.initialized = false;
    return code;
}
