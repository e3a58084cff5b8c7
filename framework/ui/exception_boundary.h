#pragma once
// The exception boundary: how an exception that escapes a handler reaches the user. Qt is not
// exception-safe, so every place where Qt calls into the framework runs through RuntimeDispatch;
// what escapes goes to the report of unhandled exceptions: standard error, and one report window.
#include <exception>
#include <functional>

#include "framework/core/text.h"

// Runs `function(argument)` on the framework's behalf and returns the RuntimeException that left
// it, or a null pointer when none did.
using ExceptionHelper = std::exception_ptr (*)(void (*function)(void*), void* argument);
// Nil: handlers run without a helper.
void RuntimeSetExceptionHelper(ExceptionHelper helper);

// Runs `fn` through the helper, and hands whatever escapes it to UnhandledException. Never throws.
void RuntimeDispatch(const std::function<void()>& fn) noexcept;
template <class R>
R RuntimeDispatchResult(const std::function<R()>& fn, R fallback) noexcept {
    R result = fallback;
    RuntimeDispatch([&] { result = fn(); });
    return result;
}

// The report of an exception nobody caught: its class and message on standard error and in the
// report window, a non-modal message window. While that window is open a later report takes its
// place there and the window counts them; it never stacks a second one. Never throws.
void UnhandledException(std::exception_ptr error) noexcept;

// Where the report goes besides standard error; tests replace it. Nil: the report window.
using ExceptionReportSink = std::function<void(const String& className, const String& message)>;
void RuntimeSetReportSink(ExceptionReportSink sink);

// Returns once the report window, if one is open, has been dismissed: the runtime's shut-down
// after a failed run waits here.
void WaitForReportDismissed();
