#pragma once
// Whether the display the Qt application is about to use can be opened, asked before it is
// created: Qt aborts the process when its platform cannot start.
#include <memory>

#include "framework/core/text.h"

class DisplayProbe {
  public:
    // Tries each platform Qt may choose. A connection that succeeded is held until the probe goes:
    // an X server whose last client leaves resets, and would refuse Qt's connection meanwhile.
    DisplayProbe();
    ~DisplayProbe();
    DisplayProbe(const DisplayProbe&) = delete;
    DisplayProbe& operator=(const DisplayProbe&) = delete;

    // Empty when a display can be opened, or when this cannot be told without starting Qt;
    // otherwise one line naming the problem and the display.
    const String& Problem() const { return problem_; }

  private:
    struct XConnection;
    std::unique_ptr<XConnection> x_;
    String problem_;
};

// The platforms Qt is about to try, in order, joined by ';'.
String DisplayPlatforms();
