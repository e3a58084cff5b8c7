#pragma once
// The one menu bar, shared by the application and the main window: File (Quit) and Edit.
#include <memory>

#include "framework/ui/menu.h"

class MenuBar1 : public MenuBar {
    TW_CLASS_INFO
  public:
    // Untitled0, then Untitled1; the parameterless MenuItem construction is not run.
    void Constructor() override;
    // The File menu and its Quit item.
    void Untitled0();
    // The Edit menu and its items.
    void Untitled1();
};

// The shared menu bar, built on the first call.
std::shared_ptr<MenuBar1> MenuBar1Instance();
// The stored instance without building one: Nil before the first MenuBar1Instance and after
// ReleaseMenuBar1.
std::shared_ptr<MenuBar1> MenuBar1ImplicitInstance();
// Lets go of the shared menu bar (at shut-down, last of the module-level objects).
void ReleaseMenuBar1();
