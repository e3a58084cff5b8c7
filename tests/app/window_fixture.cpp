#include "tests/app/window_fixture.h"

#include <gtest/gtest.h>

#include "app/app.h"
#include "app/menu_bar.h"
#include "framework/ui/runtime.h"

namespace {

// Lets go of the window while the Qt application still exists.
class ReleaseAtEnd : public ::testing::Environment {
  public:
    void TearDown() override { ReleaseModuleObjects(); }
};

void Start() {
    if (!RuntimeInitialized()) RuntimeInit();
    RegisterClasses();
    RuntimeSetExceptionHelper(&CallFunctionWithExceptionHandling);
    RunFrameworkInitialization(&Startup);
}

[[maybe_unused]] ::testing::Environment* const releaseAtEnd =
    ::testing::AddGlobalTestEnvironment(new ReleaseAtEnd);

}  // namespace

std::shared_ptr<Window1> StartedWindow() {
    static const bool started = (Start(), true);
    (void)started;
    return Window1Instance();
}
