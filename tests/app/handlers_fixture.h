#pragma once
// A real main window per test, shown offscreen inside the temporary HOME, and the Qt input that
// drives it: clicks, typing, rows chosen from open lists, the pointer entering and leaving.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/window1.h"
#include "framework/core/folder_item.h"
#include "framework/ui/runtime.h"
#include "signal/generator.h"
#include "tests/support/bytes.h"

namespace fs = std::filesystem;

namespace handlers_test {

struct Report {
    String className;
    String message;
};

inline QWidget* Native(const std::shared_ptr<RectControl>& control) {
    if (!control) throw std::runtime_error("control missing");
    QWidget* widget = control->NativeWidget();
    if (!widget) throw std::runtime_error("control has no widget");
    return widget;
}

inline QComboBox* ComboOf(const std::shared_ptr<PopupMenu>& popup) {
    return static_cast<QComboBox*>(Native(popup));
}

inline void Click(const std::shared_ptr<RectControl>& control, QPoint at = QPoint()) {
    QTest::mouseClick(Native(control), Qt::LeftButton, {}, at);
}

// Replaces a line edit's whole text the way a user does: select all, delete, type.
inline void TypeIntoEditor(QLineEdit* editor, const String& text) {
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, QString::fromUtf8(text.data(), qsizetype(text.size())));
}

inline void Type(const std::shared_ptr<TextField>& field, const String& text) {
    TypeIntoEditor(static_cast<QLineEdit*>(Native(field)), text);
}

// Types into a combo box's edit field; Return commits it.
inline void TypeInCombo(const std::shared_ptr<ComboBox>& combo, const String& text, bool commit) {
    QLineEdit* editor = ComboOf(combo)->lineEdit();
    TypeIntoEditor(editor, text);
    if (commit) QTest::keyClick(editor, Qt::Key_Return);
}

// A press on the popup's arrow (an editable combo's text area would only take the focus): it
// raises MouseDown, then opens when it has rows.
inline void PressPopup(const std::shared_ptr<PopupMenu>& popup) {
    QComboBox* combo = ComboOf(popup);
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.isValid() ? arrow.center() : QPoint(5, 5));
}

inline bool ListOpen(const std::shared_ptr<PopupMenu>& popup) {
    return ComboOf(popup)->view()->isVisible();
}

// In the open list: arrows down to `row`, then Return.
inline void ChooseInOpenList(const std::shared_ptr<PopupMenu>& popup, int row) {
    QAbstractItemView* view = ComboOf(popup)->view();
    view->setCurrentIndex(ComboOf(popup)->model()->index(0, 0));
    for (int i = 0; i < row; ++i) QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Return);
}

inline void ChooseRow(const std::shared_ptr<PopupMenu>& popup, int row) {
    PressPopup(popup);
    ASSERT_TRUE(ListOpen(popup)) << "the list did not open";
    ChooseInOpenList(popup, row);
}

inline void SendEnter(const std::shared_ptr<RectControl>& control) {
    QWidget* widget = Native(control);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(widget, &enter);
}

inline void SendLeave(const std::shared_ptr<RectControl>& control) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(Native(control), &leave);
}

inline std::vector<String> Rows(const std::shared_ptr<PopupMenu>& popup) {
    std::vector<String> rows;
    for (int32_t i = 0; i < popup->ListCount(); ++i) rows.push_back(popup->List(i));
    return rows;
}

// The image the generator builds for these values, to compare written files against.
inline String ImageFor(const String& data, const String& head, const String& foot, uint32_t baud,
                       uint32_t sampleRate, uint32_t freqHigh, uint32_t freqLow) {
    GeneraterClass generator;
    generator.Constructor(data, head, foot, baud, sampleRate, freqHigh, freqLow);
    return generator.mWavData;
}

// Every entry under `root` with its kind and size: two equal snapshots mean nothing was written.
inline std::map<String, String> Snapshot(const fs::path& root) {
    std::map<String, String> entries;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::error_code error;
        const bool isFile = entry.is_regular_file(error);
        entries[entry.path().string()] =
            isFile ? "file " + std::to_string(entry.file_size(error)) : "other";
    }
    return entries;
}

inline fs::path DocumentsPath() {
    return SpecialFolder::Documents()->Path();
}
inline fs::path OutputPath() {
    return DocumentsPath() / "Tarnwhistle";
}
inline fs::path HomePath() {
    return fs::path(qgetenv("HOME").toStdString());
}

// The initial state's file.
inline const char* const kHelloName = "Hello!br1225sr29400hi7350lo4900.wav";

class Window1Test : public ::testing::Test {
  protected:
    void SetUp() override {
        std::error_code error;
        fs::remove_all(DocumentsPath(), error);
        // As the program starts: the desktop's launcher among what that installs.
        if (!RuntimeInitialized()) RuntimeInit();
        RuntimeSetReportSink([this](const String& className, const String& message) {
            reports.push_back({className, message});
        });
        window = std::make_shared<Window1>();
        window->Constructor();
        window->NativeWindow()->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window->NativeWindow()));
    }

    void TearDown() override {
        for (const auto& popup : {std::static_pointer_cast<PopupMenu>(window->BaudCB()),
                                  std::static_pointer_cast<PopupMenu>(window->SampleRateCB()),
                                  window->TagPM(), window->wavPM()})
            if (popup && popup->NativeWidget()) ComboOf(popup)->hidePopup();
        // Later reports (a window torn down) have no test to fail.
        RuntimeSetReportSink([](const String&, const String&) {});
        window->NativeWindow()->hide();
        window->ReleaseControls();
        window.reset();
        QApplication::processEvents();
    }

    std::shared_ptr<Window1> window;
    std::vector<Report> reports;
};

}  // namespace handlers_test
