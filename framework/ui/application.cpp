// The application object.
#include "framework/ui/application.h"

#include "framework/ui/event_loop.h"

namespace {

std::shared_ptr<Application>& AppObject() {
    static std::shared_ptr<Application> app;
    return app;
}

}  // namespace

const ClassInfo& Application::StaticClass() {
    static const ClassInfo info{"Application", &Object::StaticClass(), {}};
    return info;
}

void Application::SetMenuBar(std::shared_ptr<::MenuBar> menuBar) {
    menuBar_ = std::move(menuBar);
}

void Application::Quit() {
    RuntimeRequestQuit();
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
    AppObject() = std::move(app);
}

std::shared_ptr<Application> RuntimeAppObject() {
    return AppObject();
}
