#pragma once
// The runtime's life as the program's main routine sees it: start, framework initialisation,
// event loop, shut-down. Its parts come with it: the application object, the class registry and
// the exception boundary.
#include "framework/ui/application.h"
#include "framework/ui/class_registry.h"
#include "framework/ui/exception_boundary.h"

// Creates the Qt application under the program name alone: command-line arguments change nothing.
// When no display can be opened the process ends here, with one line naming it on standard error
// and exit status 1.
void RuntimeInit();
bool RuntimeInitialized();
// Initialises the framework, then runs the start-up routine.
void RunFrameworkInitialization(void (*startup)());
// The event loop; returns when the application quits.
void RuntimeRun();
// Marks the run failed: RuntimeShutdown then returns 1. For an exception that ended the start-up.
void RuntimeMarkFailed();
// The framework's own set-up of its external control classes and their entry points.
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();

// Releases the framework's module-level objects: its list of windows (closing them), its type
// maps and its implicit window instances.
void RuntimeReleaseModuleObjects();
// Shuts the runtime down and gives the process's exit code (0 after Quit). After a failed run the
// report window, if open, stays until the user dismisses it.
int RuntimeShutdown();
