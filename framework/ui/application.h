#pragma once
// The application object: one per process, registered with RuntimeRegisterAppObject.
#include <memory>

#include "framework/core/object.h"

class MenuBar;

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

void RuntimeRegisterAppObject(std::shared_ptr<Application> app);
// Nil before registration and after the runtime has shut down.
std::shared_ptr<Application> RuntimeAppObject();
