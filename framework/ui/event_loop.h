#pragma once
// The event loop and the request that ends it.

// Runs the Qt event loop until a quit request; a request that came before (during start-up) ends
// it before it begins. The request is used up either way.
void RunEventLoop();
// Ends the running event loop, or makes the next RunEventLoop return at once.
void RuntimeRequestQuit();
// The loop's exit code: 0 after a quit request.
int EventLoopExitCode();
// Forgets the request and the exit code, for the next run.
void ResetEventLoop();
