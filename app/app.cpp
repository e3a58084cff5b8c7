// The application object and the process's start-up and shut-down.
#include "app/app.h"

#include "app/menu_bar.h"
#include "app/window1.h"
#include "framework/core/exceptions.h"

const ClassInfo& App::StaticClass() {
    static const ClassInfo info{"App", &Application::StaticClass(), {}};
    return info;
}

void Main() {
    try {
        RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
        RunFrameworkInitialization(&Startup);
        RuntimeRun();
    } catch (...) {
        UnhandledException(std::current_exception());
        // A run that ended this way did not succeed: the exit code must say so.
        RuntimeMarkFailed();
    }
}

std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument) {
    try {
        Deref(function, "the function to call")(argument);
    } catch (const RuntimeException&) {
        return std::current_exception();
    }
    return nullptr;
}

void Startup() {
    RuntimeInitExternalClasses();
    InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

// No document or file types are declared.
void InitFileTypes() {}

void NewAppInstance() {
    std::shared_ptr<App> app = std::make_shared<App>();
    app->Constructor();
    // The first use of the shared menu bar: it is built here, before any window exists.
    app->SetMenuBar(MenuBar1Instance());
    RuntimeRegisterAppObject(app);
}

// No menu handler is installed anywhere.
void ApplicationAddMenuHandlers() {}

void MakeDefaultView() {
    Window1Instance();
}

void ReleaseModuleObjects() {
    RuntimeReleaseModuleObjects();
    ReleaseMenuBar1();
}

int MainRoutine() {
    // Without a display the process ends here: one line naming it, exit status 1.
    RuntimeInit();
    RegisterClasses();
    Main();
    ReleaseModuleObjects();
    return RuntimeShutdown();
}
