// The Qt application and the start guard that turns a display Qt cannot open into one line.
#include "framework/ui/qt_application.h"

#include <QApplication>
#include <QList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// QApplication keeps argc and argv for its whole life.
int qtArgc = 1;
char programName[256] = "tarnwhistle";
char* qtArgv[] = {programName, nullptr};

void SetProgramName() {
#ifdef __GLIBC__
    if (program_invocation_short_name && *program_invocation_short_name)
        std::snprintf(programName, sizeof programName, "%s", program_invocation_short_name);
#endif
}

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// QT_QPA_PLATFORM holds "name[:options]" entries separated by ';', tried in order. Unset, Qt takes
// xcb, or wayland in a Wayland session.
std::vector<std::string> CandidatePlatforms() {
    std::vector<std::string> names;
    const std::string chosen = Env("QT_QPA_PLATFORM");
    size_t start = 0;
    while (start < chosen.size()) {
        size_t end = chosen.find(';', start);
        if (end == std::string::npos) end = chosen.size();
        std::string name = chosen.substr(start, end - start);
        name = name.substr(0, name.find(':'));
        if (!name.empty()) names.push_back(name);
        start = end + 1;
    }
    if (!names.empty()) return names;
    if (Env("XDG_SESSION_TYPE") == "wayland" || !Env("WAYLAND_DISPLAY").empty())
        names.push_back("wayland");
    names.push_back("xcb");
    return names;
}

// What could not start, each platform Qt tried named with its display.
std::string StartFailure() {
    std::string line;
    for (const std::string& platform : CandidatePlatforms()) {
        std::string problem;
        if (platform == "xcb") {
            const std::string display = Env("DISPLAY");
            problem = display.empty() ? "no display is set (DISPLAY is empty)"
                                      : "cannot open the display \"" + display + "\"";
        } else if (platform == "wayland") {
            std::string display = Env("WAYLAND_DISPLAY");
            if (display.empty()) display = "wayland-0";
            problem = "cannot open the Wayland display \"" + display + "\"";
        } else {
            problem = "cannot open a display: the platform \"" + platform + "\" could not start";
        }
        line += (line.empty() ? "" : "; ") + problem;
    }
    return line;
}

struct PendingMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<PendingMessage>* pendingMessages = nullptr;

void StartGuard(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "%s: %s\n", programName, StartFailure().c_str());
        std::fflush(stderr);
        std::_Exit(1);
    }
    if (pendingMessages) pendingMessages->append({type, QByteArray(context.category), text});
}

}  // namespace

QApplication* CreateQtApplication() {
    SetProgramName();
    // The program name alone: whatever the command line held changes nothing.
    qtArgc = 1;
    QList<PendingMessage> messages;
    pendingMessages = &messages;
    const QtMessageHandler previous = qInstallMessageHandler(&StartGuard);
    auto* app = new QApplication(qtArgc, qtArgv);
    qInstallMessageHandler(previous);
    pendingMessages = nullptr;
    for (const PendingMessage& m : messages)
        qt_message_output(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.constData()),
                          m.text);
    return app;
}
