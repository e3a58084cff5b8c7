// The report window of unhandled exceptions: one at a time, counting the reports that join it,
// wrapping a long message within the screen, and never holding up the event loop.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <string>
#include <vector>

#include "framework/core/exceptions.h"
#include "framework/ui/exception_boundary.h"

namespace {

std::vector<QMessageBox*> OpenReports() {
    std::vector<QMessageBox*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) open.push_back(box);
    return open;
}

void Report(const String& message) {
    testing::internal::CaptureStderr();
    UnhandledException(std::make_exception_ptr(IOException(message)));
    testing::internal::GetCapturedStderr();
}

class ReportWindow : public ::testing::Test {
  protected:
    void TearDown() override {
        for (QMessageBox* box : OpenReports()) box->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(ReportWindow, LaterReportsJoinTheOpenWindowAndCountThemselves) {
    Report("first");
    Report("second");
    Report("third");
    std::vector<QMessageBox*> open = OpenReports();
    ASSERT_EQ(open.size(), 1u) << "reports stacked up";
    EXPECT_EQ(open[0]->text(), QStringLiteral("IOException: third"));
    EXPECT_TRUE(open[0]->informativeText().contains(QStringLiteral("3 unhandled exceptions")))
        << open[0]->informativeText().toStdString();

    // Once dismissed, the next report opens a window of its own, counting from one again.
    QPointer<QMessageBox> dismissed = open[0];
    dismissed->button(QMessageBox::Ok)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(dismissed.isNull());
    Report("fourth");
    open = OpenReports();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0]->text(), QStringLiteral("IOException: fourth"));
    EXPECT_TRUE(open[0]->informativeText().isEmpty());
}

TEST_F(ReportWindow, ALongFileNameWrapsWithinTheScreenAndShowsWhole) {
    const String name =
        "/home/user/Documents/Tarnwhistle/" + String(260, 'a') + "br300sr8000hi1650lo1850.wav";
    const String message = "cannot write " + name;
    Report(message);
    std::vector<QMessageBox*> open = OpenReports();
    ASSERT_EQ(open.size(), 1u);
    QMessageBox& box = *open[0];
    const QRect screen = box.screen()->availableGeometry();
    EXPECT_LE(box.frameGeometry().width(), screen.width());

    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_TRUE(label);
    QString shown = label->text();
    shown.remove(QChar(0x200B));  // the break opportunities a long run is given
    EXPECT_EQ(shown.toStdString(), "IOException: " + message);
    // Every line the text needs at the label's width fits in its height: nothing is cut off.
    box.layout()->activate();
    const QFontMetrics metrics(label->font());
    const int needed = int(
        std::ceil(double(metrics.horizontalAdvance(label->text())) / std::max(1, label->width())));
    EXPECT_GT(needed, 1);
    EXPECT_GE(label->height(), needed * metrics.height()) << label->width() << " wide";
    EXPECT_LE(label->geometry().right(), box.width());
}

TEST_F(ReportWindow, TheLoopGoesOnWhileReportsAreOpen) {
    int fired = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++fired;
        Report("from a timer " + std::to_string(fired));
    });
    timer.start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fired >= 5; }, 10000));
    timer.stop();
    EXPECT_EQ(OpenReports().size(), 1u);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
