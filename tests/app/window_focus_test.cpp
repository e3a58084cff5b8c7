// A click on a label or on the window's background leaves the keys with the field that had them,
// also when the menu bar held them unseen after Alt.
#include <gtest/gtest.h>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QTest>

#include <functional>

#include "tests/app/window_fixture.h"

namespace {

TEST(WindowFocus, AClickOnALabelOrTheBackgroundLeavesTheKeysWithTheField) {
    std::shared_ptr<Window1> window = StartedWindow();
    auto* native = qobject_cast<QMainWindow*>(window->NativeWindow());
    ASSERT_NE(native, nullptr);
    native->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(native));
    auto* field = qobject_cast<QLineEdit*>(window->HighEF()->NativeWidget());
    ASSERT_NE(field, nullptr);
    const QString before = field->text();

    QWidget* content = window->ContentWidget();
    const QPoint background(150, 300);
    ASSERT_EQ(content->childAt(background), nullptr) << "a control covers the background point";
    struct Target {
        const char* name;
        QWidget* widget;
        QPoint at;
    };
    const Target targets[] = {
        {"Baudrate label", window->Label1()->NativeWidget(), QPoint(20, 10)},
        {"heading", window->Label8()->NativeWidget(), QPoint(20, 10)},
        {"preview", window->DataST()->NativeWidget(), QPoint(20, 10)},
        {"background", content, background},
    };
    for (const bool afterAlt : {false, true}) {
        for (const Target& t : targets) {
            SCOPED_TRACE(std::string(t.name) + (afterAlt ? ", after Alt" : ""));
            field->setFocus();
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == field; }));
            field->setText("12");
            field->end(false);
            if (afterAlt) {
                QTest::keyClick(field, Qt::Key_Alt);
                ASSERT_EQ(QApplication::focusWidget(), native->menuBar());
            }
            QTest::mouseClick(t.widget, Qt::LeftButton, {}, t.at);
            EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == field; }));
            QTest::keyClicks(nullptr, "3");  // to wherever the keys go now
            EXPECT_EQ(field->text(), QStringLiteral("123"));
        }
    }
    field->setText(before);
}

}  // namespace
