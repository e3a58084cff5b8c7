#pragma once
// What the runtime, the windows, the menus and the controls share inside framework/ui only.
#include <QString>

#include <filesystem>
#include <memory>

#include "framework/core/text.h"

class QMainWindow;
class MenuBar;

// Ends the running event loop, or makes the next RuntimeRun return at once.
void RuntimeRequestQuit();

// Builds `bar` as the native menu bar of `window`, replacing any it had; Nil removes it.
void InstallNativeMenuBar(QMainWindow& window, const std::shared_ptr<MenuBar>& bar);
// Shows a file or folder in the desktop's file browser: the launcher behind FolderItem::Launch.
void OpenInFileBrowser(const std::filesystem::path& path);

// UTF-8 bytes to and from Qt text.
inline QString ToQString(const String& s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}
inline String FromQString(const QString& s) {
    QByteArray bytes = s.toUtf8();
    return String(bytes.constData(), size_t(bytes.size()));
}
