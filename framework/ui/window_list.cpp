// The windows the framework holds, found by their class's full name.
#include <vector>

#include "framework/ui/window.h"

namespace {

std::vector<std::shared_ptr<Window>>& Windows() {
    static std::vector<std::shared_ptr<Window>> windows;
    return windows;
}

}  // namespace

void RuntimeAddWindow(const std::shared_ptr<Window>& window) {
    for (const auto& w : Windows())
        if (w == window) return;
    Windows().push_back(window);
}

std::shared_ptr<Window> GetImplicitWindow(const String& fullClassName) {
    for (const auto& w : Windows())
        if (StrEquals(w->Class().fullName, fullClassName)) return w;
    return nullptr;
}

void ReleaseWindows() {
    std::vector<std::shared_ptr<Window>> windows;
    windows.swap(Windows());
    for (const auto& w : windows) {
        // A control (the timer) may hold its window: letting go of the controls breaks the cycle.
        w->ReleaseControls();
        w->ReleaseNative();
    }
}
