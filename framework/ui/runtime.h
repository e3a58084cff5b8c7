#pragma once
// The runtime: start, class registry, start-up, event loop, exception boundary, shut-down.
#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/object.h"
#include "framework/core/text.h"
#include "framework/ui/events.h"

class MenuBar;
class Window;

// The application object: one per process, registered with RuntimeRegisterAppObject.
class Application : public Object {
    TW_CLASS_INFO
  public:
    std::shared_ptr<::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(std::shared_ptr<::MenuBar> menuBar);
    // Ends the event loop; RuntimeRun then returns.
    void Quit();

  private:
    std::shared_ptr<::MenuBar> menuBar_;
};

// Runs `function(argument)` on the framework's behalf and returns the RuntimeException that left
// it, or a null pointer when none did.
using ExceptionHelper = std::exception_ptr (*)(void (*function)(void*), void* argument);

// Creates the Qt application under the program name alone: command-line arguments change nothing.
// False when no display can be opened: standard error then has one line naming it, and
// RuntimeShutdown gives 1.
bool RuntimeInit();
bool RuntimeInitialized();
// Registers a class by its full name; registration order is kept.
void RuntimeRegisterClass(const ClassInfo& info);
const std::vector<const ClassInfo*>& RuntimeRegisteredClasses();
const ClassInfo* RuntimeFindClass(const String& fullName);

void RuntimeSetExceptionHelper(ExceptionHelper helper);
// Initialises the framework, then runs the start-up routine.
void RunFrameworkInitialization(void (*startup)());
void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
std::shared_ptr<Application> RuntimeAppObject();
// The event loop; returns when the application quits.
void RuntimeRun();
// The report of an exception nobody caught: its class and message on standard error and in a
// non-modal message window. Never throws.
void UnhandledException(std::exception_ptr error) noexcept;
// Marks the run failed: RuntimeShutdown then returns 1. For an exception that ended the start-up.
void RuntimeMarkFailed();
// The framework's own set-up of its external control classes and their entry points.
void RuntimeInitExternalClasses();
void InitPluginEntrypoints();

// Windows the framework holds; GetImplicitWindow finds one by its class's full name.
void RuntimeAddWindow(const std::shared_ptr<Window>& window);
std::shared_ptr<Window> GetImplicitWindow(const String& fullClassName);
// Releases the framework's module-level objects: its list of windows (closing them), its type
// maps and its implicit window instances.
void RuntimeReleaseModuleObjects();
// Shuts the runtime down and gives the process's exit code (0 after Quit). After a failed run the
// report windows still open stay until the user dismisses them.
int RuntimeShutdown();

// Every place where Qt calls into the framework goes through here: runs `fn`, and hands whatever
// escapes it to UnhandledException. Never throws.
void RuntimeDispatch(const std::function<void()>& fn) noexcept;
template <class R>
R RuntimeDispatchResult(const std::function<R()>& fn, R fallback) noexcept {
    R result = fallback;
    RuntimeDispatch([&] { result = fn(); });
    return result;
}

// Where the report of unhandled exceptions goes besides standard error; tests replace it.
// Default: a non-modal message window.
using ExceptionReportSink = std::function<void(const String& className, const String& message)>;
void RuntimeSetReportSink(ExceptionReportSink sink);
