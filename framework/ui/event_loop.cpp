// The event loop and the quit request.
#include "framework/ui/event_loop.h"

#include <QApplication>

namespace {

struct LoopState {
    bool quitRequested = false;
    bool inLoop = false;
    int exitCode = 0;
};

LoopState& State() {
    static LoopState state;
    return state;
}

}  // namespace

void RunEventLoop() {
    LoopState& s = State();
    if (!s.quitRequested) {
        s.inLoop = true;
        s.exitCode = QApplication::exec();
        s.inLoop = false;
    }
    s.quitRequested = false;
}

void RuntimeRequestQuit() {
    LoopState& s = State();
    s.quitRequested = true;
    s.exitCode = 0;
    if (s.inLoop) QCoreApplication::exit(0);
}

int EventLoopExitCode() {
    return State().exitCode;
}

void ResetEventLoop() {
    State() = LoopState{};
}
