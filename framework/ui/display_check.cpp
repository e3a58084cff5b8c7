// Tries each platform Qt may choose the way it would connect: the X server through libxcb (loaded
// at run time, as the xcb plugin loads it), the Wayland compositor through its socket. Any other
// platform is left to Qt.
#include "framework/ui/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QLibrary>

#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace {

String Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? String(value) : String();
}

// QT_QPA_PLATFORM holds "name[:options]" entries separated by ';', tried in order. Unset, Qt takes
// xcb, or wayland in a Wayland session.
std::vector<String> CandidatePlatforms() {
    std::vector<String> names;
    const String chosen = Env("QT_QPA_PLATFORM");
    size_t start = 0;
    while (start < chosen.size()) {
        size_t end = chosen.find(';', start);
        if (end == String::npos) end = chosen.size();
        String name = chosen.substr(start, end - start);
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

// Empty when the compositor's socket accepts a connection.
String WaylandProblem() {
    String name = Env("WAYLAND_DISPLAY");
    if (name.empty()) name = "wayland-0";
    String path = name;
    if (name.front() != '/') {
        const String runtimeDir = Env("XDG_RUNTIME_DIR");
        if (runtimeDir.empty())
            return "cannot open the Wayland display \"" + name + "\" (XDG_RUNTIME_DIR is empty)";
        path = runtimeDir + "/" + name;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    bool connected = false;
    if (path.size() < sizeof address.sun_path) {
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd >= 0) {
            connected = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
            ::close(fd);
        }
    }
    return connected ? String() : "cannot open the Wayland display \"" + name + "\"";
}

}  // namespace

// A connection to the X server named by DISPLAY, through libxcb.
struct DisplayProbe::XConnection {
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    QLibrary library{QStringLiteral("xcb"), 1};
    Disconnect disconnect = nullptr;
    void* connection = nullptr;

    ~XConnection() {
        if (connection) disconnect(connection);
    }

    // Empty when connected; nullopt when libxcb is missing.
    std::optional<String> Open() {
        const String display = Env("DISPLAY");
        if (display.empty()) return String("no display is set (DISPLAY is empty)");
        auto connect = reinterpret_cast<Connect>(library.resolve("xcb_connect"));
        auto hasError = reinterpret_cast<HasError>(library.resolve("xcb_connection_has_error"));
        disconnect = reinterpret_cast<Disconnect>(library.resolve("xcb_disconnect"));
        if (!connect || !hasError || !disconnect) return std::nullopt;
        connection = connect(display.c_str(), nullptr);
        if (connection && !hasError(connection)) return String();
        // A failed connection is still an object to free.
        if (connection) disconnect(connection);
        connection = nullptr;
        return "cannot open the display \"" + display + "\"";
    }
};

DisplayProbe::DisplayProbe() {
    String problems;
    for (const String& platform : CandidatePlatforms()) {
        std::optional<String> problem;
        if (platform == "xcb") {
            x_ = std::make_unique<XConnection>();
            problem = x_->Open();
        } else if (platform == "wayland") {
            problem = WaylandProblem();
        }
        // A platform this cannot judge, or one that opens: Qt goes ahead.
        if (!problem || problem->empty()) return;
        problems += (problems.empty() ? "" : "; ") + *problem;
    }
    problem_ = problems;
}

DisplayProbe::~DisplayProbe() = default;

String DisplayPlatforms() {
    String joined;
    for (const String& platform : CandidatePlatforms())
        joined += (joined.empty() ? "" : ";") + platform;
    return joined;
}
