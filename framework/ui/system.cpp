// The system object with its stock cursors; ShowURL, and the launcher behind FolderItem::Launch.
#include "framework/ui/system.h"

#include <QDesktopServices>
#include <QFile>
#include <QUrl>

#include "framework/core/folder_item.h"
#include "framework/ui/qt_text.h"

void OpenInFileBrowser(const std::filesystem::path& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(path.c_str())));
}

const ClassInfo& MouseCursor::StaticClass() {
    static const ClassInfo info{"MouseCursor", &Object::StaticClass()};
    return info;
}

const ClassInfo& Cursors::StaticClass() {
    static const ClassInfo info{"Cursors", &Object::StaticClass()};
    return info;
}

const ClassInfo& SystemClass::StaticClass() {
    static const ClassInfo info{"SystemClass", &Object::StaticClass()};
    return info;
}

std::shared_ptr<MouseCursor> Cursors::FingerPointer() const {
    static const auto cursor = std::make_shared<MouseCursor>(MouseCursor::Shape::FingerPointer);
    return cursor;
}

std::shared_ptr<MouseCursor> Cursors::StandardPointer() const {
    static const auto cursor = std::make_shared<MouseCursor>(MouseCursor::Shape::Standard);
    return cursor;
}

std::shared_ptr<::Cursors> SystemClass::Cursors() const {
    static const auto cursors = std::make_shared<::Cursors>();
    return cursors;
}

std::shared_ptr<SystemClass> System() {
    static const auto system = std::make_shared<SystemClass>();
    return system;
}

void ShowURL(const String& address) {
    QDesktopServices::openUrl(QUrl(ToQString(address)));
}
