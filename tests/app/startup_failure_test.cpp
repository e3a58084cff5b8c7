// A start-up that fails, run through the process's own main routine in this binary's one test:
// the report of the exception stays on screen until the user dismisses it, then the exit code is 1.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <string>

#include "app/app.h"
#include "app/menu_bar.h"
#include "framework/ui/runtime.h"
#include "framework/ui/window.h"

namespace {

// Registered under the main window's class name without being one: Window1() cannot cast it, so
// the start-up routine fails in its last step.
class Impostor : public Window {
    TW_CLASS_INFO
};
const ClassInfo& Impostor::StaticClass() {
    static const ClassInfo info{"Window1.Window1", &Window::StaticClass(), {}};
    return info;
}

QMessageBox* ShownReport() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) return box;
    return nullptr;
}

TEST(FailedStartUp, TheReportStaysUntilDismissedThenTheExitCodeIsOne) {
    RuntimeInit();  // MainRoutine's own call then finds the runtime started
    RuntimeAddWindow(std::make_shared<Impostor>());

    // The event loop of the run never starts: whatever turns it does is the shut-down waiting.
    int turnsShown = 0;
    bool releasedMeanwhile = true;
    std::string shownText;
    QPointer<QMessageBox> report;
    std::function<void()> look = [&] {
        report = ShownReport();
        if (!report) return;
        ++turnsShown;
        shownText = report->text().toStdString();
        releasedMeanwhile = releasedMeanwhile && MenuBar1ImplicitInstance() == nullptr;
        if (turnsShown < 3)
            QTimer::singleShot(0, look);
        else
            report->button(QMessageBox::Ok)->click();  // the user dismisses it
    };
    QTimer::singleShot(0, look);

    testing::internal::CaptureStderr();
    const int code = MainRoutine();
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(code, 1);
    EXPECT_EQ(turnsShown, 3) << "the report was gone before the user dismissed it";
    EXPECT_EQ(shownText, "TypeMismatchException: the window \"Window1.Window1\" is not a Window1");
    EXPECT_TRUE(releasedMeanwhile) << "the report waits after the module objects went";
    EXPECT_TRUE(report.isNull());
    EXPECT_NE(err.find("TypeMismatchException: the window \"Window1.Window1\" is not a Window1\n"),
              std::string::npos)
        << err;
}

}  // namespace
