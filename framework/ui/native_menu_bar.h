#pragma once
// A window's menu bar on screen, inside framework/ui only.
#include <memory>

class QMainWindow;
class MenuBar;

// Builds `bar` as the native menu bar of `window`, replacing any it had; Nil removes it.
void InstallNativeMenuBar(QMainWindow& window, const std::shared_ptr<MenuBar>& bar);
