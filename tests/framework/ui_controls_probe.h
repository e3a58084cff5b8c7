#pragma once
// A bare window whose methods record the events bound to them, for the control tests.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/controls.h"
#include "framework/ui/timer.h"
#include "framework/ui/window.h"

class ProbeWindow : public Window {
  public:
    struct Call {
        std::string event;
        std::shared_ptr<Object> sender;
        int32_t x = 0, y = 0;
        std::string text;  // the sender's text when the event arrived, where it has one
    };
    std::vector<Call> calls;
    bool mouseDownResult = false;
    // Runs inside MouseDown before it returns (a popup rebuilds its rows here).
    std::function<void()> onMouseDown;

    void Action(std::shared_ptr<PushButton> s) { Record("Action", s); }
    void TextChange(std::shared_ptr<TextField> s) { Record("TextChange", s, 0, 0, s->Text()); }
    void PopupChange(std::shared_ptr<PopupMenu> s) { Record("Change", s, 0, 0, s->Text()); }
    void ComboChange(std::shared_ptr<ComboBox> s) { Record("Change", s, 0, 0, s->Text()); }
    void Enter(std::shared_ptr<RectControl> s) { Record("MouseEnter", s); }
    void Exit(std::shared_ptr<RectControl> s) { Record("MouseExit", s); }
    bool Down(std::shared_ptr<RectControl> s, int32_t x, int32_t y) {
        Record("MouseDown", s, x, y);
        if (onMouseDown) onMouseDown();
        return mouseDownResult;
    }
    void Tick(std::shared_ptr<Timer> s) { Record("Action", s); }

    void Record(std::string event, std::shared_ptr<Object> sender, int32_t x = 0, int32_t y = 0,
                std::string text = {}) {
        calls.push_back({std::move(event), std::move(sender), x, y, std::move(text)});
    }

    int Count(const std::string& event) const {
        int n = 0;
        for (const Call& c : calls) n += c.event == event;
        return n;
    }
};

// A constructed, shown window.
inline std::shared_ptr<ProbeWindow> MakeProbeWindow() {
    auto window = std::make_shared<ProbeWindow>();
    window->Constructor();
    window->NativeWindow()->show();
    (void)QTest::qWaitForWindowExposed(window->NativeWindow());
    return window;
}

// A control of class T, constructed and registered under `name`, at the given rectangle.
template <class T>
std::shared_ptr<T> AddProbeControl(ProbeWindow& window, const String& name, int32_t left = 10,
                                   int32_t top = 10, int32_t width = 120, int32_t height = 22) {
    auto control = window.New<T>();
    control->Constructor();
    window.AddControl(name, control);
    control->SetLeft(left);
    control->SetTop(top);
    control->SetWidth(width);
    control->SetHeight(height);
    return control;
}
