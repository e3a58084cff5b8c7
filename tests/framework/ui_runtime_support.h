#pragma once
// Shared by the runtime tests: a fixture with the runtime started on the test's QApplication and
// the report of unhandled exceptions recorded instead of shown.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/core/property_list.h"
#include "framework/ui/runtime.h"

class RuntimeFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        RuntimeInit();
        RuntimeSetReportSink([this](const String& className, const String& message) {
            reports.emplace_back(className, message);
        });
    }
    void TearDown() override {
        RuntimeReleaseModuleObjects();
        RuntimeSetReportSink({});
        RuntimeShutdown();  // the test's QApplication stays: the runtime did not create it
    }

    std::vector<std::pair<String, String>> reports;
};

// The main window's list: 519 by 319, titled, visible, minimise button only, fixed size.
inline PropertyBlob MainWindowList(int32_t macProcId = 0) {
    using namespace prop;
    return Blob({
        Int32Entry("Placement", 0),
        Int32Entry("Width", 519),
        Int32Entry("Height", 319),
        Int32Entry("MinWidth", 64),
        Int32Entry("MinHeight", 64),
        Int32Entry("MaxWidth", 32000),
        Int32Entry("MaxHeight", 32000),
        Int32Entry("Frame", 0),
        BooleanEntry("Composite", false),
        BooleanEntry("HasBackColor", false),
        ColorEntry("BackColor", Color::FromRGB(0xFFFFFF)),
        StringEntry("Title", "Tarnwhistle for Softmodem"),
        BooleanEntry("Visible", true),
        BooleanEntry("FullScreen", false),
        BooleanEntry("MenuBarVisible", true),
        BooleanEntry("CloseButton", false),
        BooleanEntry("Resizeable", false),
        BooleanEntry("LiveResize", false),
        BooleanEntry("MaximizeButton", false),
        BooleanEntry("MinimizeButton", true),
        Int32Entry("MacProcID", macProcId),
    });
}

#include "framework/ui/menu.h"

// A menu bar like the application's: File (Quit) and Edit, Japanese texts, every item AutoEnable.
inline std::shared_ptr<MenuBar> StandardMenuBar() {
    auto bar = std::make_shared<MenuBar>();
    auto add = [](MenuItem& parent, std::shared_ptr<MenuItem> item, const char* name,
                  const char* text, const char* shortcut) {
        item->SetName(name);
        item->SetAutoEnable(true);
        item->SetText(text);
        if (shortcut) item->SetKeyboardShortcut(shortcut);
        parent.Append(item);
        return item;
    };
    auto file = add(*bar, std::make_shared<MenuItem>(), "FileMenu", "ファイル", "");
    add(*file, std::make_shared<QuitMenuItem>(), "FileQuit", "終了", "Cmd+Q");
    auto edit = add(*bar, std::make_shared<MenuItem>(), "EditMenu", "編集", "");
    add(*edit, std::make_shared<MenuItem>(), "EditUndo", "元に戻す", "Cmd+Z");
    add(*edit, std::make_shared<MenuItem>(), "UntitledMenu1", "-", nullptr);
    add(*edit, std::make_shared<MenuItem>(), "EditCut", "カット", "Cmd+X");
    add(*edit, std::make_shared<MenuItem>(), "EditCopy", "コピー", "Cmd+C");
    add(*edit, std::make_shared<MenuItem>(), "EditPaste", "貼り付け", "Cmd+V");
    add(*edit, std::make_shared<MenuItem>(), "EditClear", "削除", "");
    add(*edit, std::make_shared<MenuItem>(), "UntitledMenu0", "-", nullptr);
    add(*edit, std::make_shared<MenuItem>(), "EditSelectAll", "すべてを選択", "Cmd+A");
    return bar;
}
