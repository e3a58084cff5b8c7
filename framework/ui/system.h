#pragma once
// The system object: stock mouse cursors; and opening an address or a folder through the desktop.
#include <filesystem>
#include <memory>

#include "framework/core/object.h"
#include "framework/core/text.h"

class MouseCursor : public Object {
    TW_CLASS_INFO
  public:
    enum class Shape { Standard, FingerPointer };
    explicit MouseCursor(Shape shape) : shape_(shape) {}
    Shape CursorShape() const { return shape_; }

  private:
    Shape shape_;
};

class Cursors : public Object {
    TW_CLASS_INFO
  public:
    std::shared_ptr<MouseCursor> FingerPointer() const;
    std::shared_ptr<MouseCursor> StandardPointer() const;
};

class SystemClass : public Object {
    TW_CLASS_INFO
  public:
    std::shared_ptr<::Cursors> Cursors() const;
};

std::shared_ptr<SystemClass> System();

// Opens the address in the default browser, through the desktop (QDesktopServices).
void ShowURL(const String& address);
// Shows a file or folder in the desktop's file browser: the launcher behind FolderItem::Launch.
void OpenInFileBrowser(const std::filesystem::path& path);
