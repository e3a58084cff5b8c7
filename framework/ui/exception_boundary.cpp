// The exception boundary and the report of unhandled exceptions with its one window.
#include "framework/ui/exception_boundary.h"

#include <QApplication>
#include <QClipboard>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

#include <cstdio>

#include "framework/core/exceptions.h"
#include "framework/ui/qt_text.h"

namespace {

constexpr QChar kBreakOpportunity(0x200B);  // zero width space
// A run longer than this with no space (a long file name) would widen the window past the screen
// and be cut at its edge: it may break between any two of its characters.
constexpr qsizetype kLongestUnbrokenRun = 30;

QString Wrappable(const QString& text) {
    QString out;
    out.reserve(text.size() * 2);
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            out += text[i++];
            continue;
        }
        qsizetype end = i;
        while (end < text.size() && !text[end].isSpace()) ++end;
        const bool breakable = end - i > kLongestUnbrokenRun;
        for (qsizetype j = i; j < end; ++j) {
            // Never inside a surrogate pair or before a combining mark.
            if (breakable && j > i && !text[j].isLowSurrogate() && !text[j].isMark())
                out += kBreakOpportunity;
            out += text[j];
        }
        i = end;
    }
    return out;
}

// One window for every report while it is open: the last report shows, with how many there were.
class ReportWindow : public QMessageBox {
  public:
    ReportWindow()
        : QMessageBox(QMessageBox::Critical, QStringLiteral("Unhandled exception"), QString(),
                      QMessageBox::Ok) {
        setAttribute(Qt::WA_DeleteOnClose);
        setModal(false);
        setWindowModality(Qt::NonModal);
    }

    void Add(const QString& report) {
        ++count_;
        setText(Wrappable(report));
        if (count_ > 1)
            setInformativeText(
                QStringLiteral("%1 unhandled exceptions; the last one is shown.").arg(count_));
    }

  protected:
    // A copied report is the message as it was, without the break opportunities.
    void keyPressEvent(QKeyEvent* event) override {
        QMessageBox::keyPressEvent(event);
        if (event->matches(QKeySequence::Copy))
            if (QClipboard* clipboard = QGuiApplication::clipboard())
                clipboard->setText(clipboard->text().remove(kBreakOpportunity));
    }

  private:
    int count_ = 0;
};

struct BoundaryState {
    ExceptionHelper helper = nullptr;
    ExceptionReportSink sink;
    QPointer<ReportWindow> window;
};

BoundaryState& State() {
    static BoundaryState state;
    return state;
}

void ShowReport(const String& className, const String& message) {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return;
    QPointer<ReportWindow>& window = State().window;
    // A window the user has just closed is on its way out: a new report opens a new one.
    if (!window || !window->isVisible()) window = new ReportWindow;
    window->Add(ToQString(className + ": " + message));
    window->show();
    window->raise();
}

void Report(const String& className, const String& message) noexcept {
    std::fprintf(stderr, "%s: %s\n", className.c_str(), message.c_str());
    std::fflush(stderr);
    try {
        if (State().sink)
            State().sink(className, message);
        else
            ShowReport(className, message);
    } catch (...) {
        // The report itself failed: standard error already has it.
    }
}

}  // namespace

void RuntimeSetExceptionHelper(ExceptionHelper helper) {
    State().helper = helper;
}

void RuntimeDispatch(const std::function<void()>& fn) noexcept {
    try {
        if (ExceptionHelper helper = State().helper) {
            auto call = [](void* argument) {
                (*static_cast<const std::function<void()>*>(argument))();
            };
            // The helper hands back the RuntimeException it caught; anything else comes through.
            if (std::exception_ptr error = helper(call, const_cast<std::function<void()>*>(&fn)))
                UnhandledException(error);
        } else {
            fn();
        }
    } catch (...) {
        UnhandledException(std::current_exception());
    }
}

void UnhandledException(std::exception_ptr error) noexcept {
    if (!error) return;
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeException& e) {
        Report(e.ClassName(), e.Message);
    } catch (const std::exception& e) {
        Report("std::exception", e.what());
    } catch (...) {
        Report("unknown exception", "");
    }
}

void RuntimeSetReportSink(ExceptionReportSink sink) {
    State().sink = std::move(sink);
}

void WaitForReportDismissed() {
    const QPointer<ReportWindow> window = State().window;
    if (!window || !window->isVisible()) return;
    QEventLoop loop;
    QObject::connect(window, &QDialog::finished, &loop, &QEventLoop::quit);
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
}
