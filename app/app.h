#pragma once
// The application object and the life of the process: start-up, the event loop, shut-down.
#include <exception>

#include "framework/ui/runtime.h"

// The application class: Application's behaviour throughout, no field or handler of its own.
class App : public Application {
    TW_CLASS_INFO
  public:
    virtual void Constructor() {}
};

// Registers the framework's classes, then App, Window1, Window1.NumGene, Window1.Timer1,
// MenuBar1 and GeneraterClass. Once per run, after RuntimeInit.
void RegisterClasses();

// Installs the exception helper, initialises the framework with Startup and runs the event
// loop; whatever escapes goes to the report of unhandled exceptions.
void Main();
// Runs function(argument); gives back the RuntimeException that left it, or null. Any other
// exception passes through.
std::exception_ptr CallFunctionWithExceptionHandling(void (*function)(void*), void* argument);

// The start-up routine the framework runs: its set-up, then the application object and the
// main window.
void Startup();
void InitFileTypes();
void NewAppInstance();
void ApplicationAddMenuHandlers();
void MakeDefaultView();

// After the loop: the framework's module-level objects, then the shared menu bar.
void ReleaseModuleObjects();

// The whole process: runtime start, registration, Main, release, shut-down; the exit code.
int MainRoutine();
