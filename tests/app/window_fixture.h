#pragma once
// The application started once per test binary the way the process starts it (runtime, classes,
// exception helper, framework initialisation with the start-up routine), without the event loop.
#include <memory>

#include "app/window1.h"

// The one main window, started on the first call.
std::shared_ptr<Window1> StartedWindow();
