// The exception boundary at every place where Qt calls into the framework: what escapes there is
// reported and the event loop goes on. Each row provokes exactly one entry from inside the loop,
// with an exception helper that fails after the call, as a throwing handler would; an entry that
// does not dispatch through the runtime gives no report and fails its row.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/ui/menu.h"
#include "framework/ui/movie_player.h"
#include "framework/ui/runtime.h"
#include "tests/framework/ui_controls_probe.h"
#include "tests/framework/ui_runtime_support.h"

namespace {

// Runs the call, then fails the way an exception the helper does not catch leaves it.
std::exception_ptr Tripwire(void (*function)(void*), void* argument) {
    function(argument);
    throw std::runtime_error("tripwire");
}

class BoundaryWindow : public ProbeWindow {
  public:
    void Chosen(std::shared_ptr<MenuItem> s) { Record("MenuAction", s); }
};

// A shown window with one control of each kind, every event bound, and a menu bar with a File
// menu holding an item of its own.
struct Bench {
    std::shared_ptr<BoundaryWindow> window = std::make_shared<BoundaryWindow>();
    std::shared_ptr<TextField> field;
    std::shared_ptr<PopupMenu> popup;
    std::shared_ptr<ComboBox> combo;
    std::shared_ptr<PushButton> button;
    std::shared_ptr<Label> label;
    std::shared_ptr<MoviePlayer> player;
    std::shared_ptr<Timer> timer;

    Bench() {
        window->Constructor();
        std::shared_ptr<MenuBar> bar = StandardMenuBar();
        auto item = std::make_shared<MenuItem>();
        item->SetName("Probe");
        item->SetText("Probe");
        item->Action.AddHandler(window, &BoundaryWindow::Chosen, "( MenuItem )");
        bar->Child("FileMenu")->Append(item);
        window->SetMenuBar(bar);
        window->NativeWindow()->show();
        (void)QTest::qWaitForWindowExposed(window->NativeWindow());

        field = AddProbeControl<TextField>(*window, "F", 10, 10);
        popup = AddProbeControl<PopupMenu>(*window, "P", 10, 40);
        combo = AddProbeControl<ComboBox>(*window, "C", 10, 70);
        button = AddProbeControl<PushButton>(*window, "B", 10, 100);
        label = AddProbeControl<Label>(*window, "L", 10, 130);
        player = AddProbeControl<MoviePlayer>(*window, "M", 10, 160, 200, 20);
        for (auto* list :
             {static_cast<PopupMenu*>(popup.get()), static_cast<PopupMenu*>(combo.get())}) {
            list->AddRow("one");
            list->AddRow("two");
        }
        timer = window->New<Timer>();

        const std::shared_ptr<ProbeWindow> probe = window;

        field->TextChange.AddHandler(probe, &ProbeWindow::TextChange, "( TextField )");
        popup->Change.AddHandler(probe, &ProbeWindow::PopupChange, "( PopupMenu )");
        combo->Change.AddHandler(probe, &ProbeWindow::ComboChange, "( ComboBox )");
        button->Action.AddHandler(probe, &ProbeWindow::Action, "( PushButton )");
        timer->Action.AddHandler(probe, &ProbeWindow::Tick, "( Timer )");
        for (RectControl* c : std::vector<RectControl*>{field.get(), popup.get(), combo.get(),
                                                        button.get(), label.get(), player.get()}) {
            c->MouseEnter.AddHandler(probe, &ProbeWindow::Enter, "( RectControl )");
            c->MouseExit.AddHandler(probe, &ProbeWindow::Exit, "( RectControl )");
            c->MouseDown.AddHandler(probe, &ProbeWindow::Down,
                                    "( RectControl, Int32, Int32 ) as Boolean");
        }
    }

    QComboBox* Combo(PopupMenu& list) const { return static_cast<QComboBox*>(list.NativeWidget()); }
    QMenu* FileMenu() const {
        auto* native = qobject_cast<QMainWindow*>(window->NativeWindow());
        return native->menuBar()->actions().front()->menu();
    }
    QAction* ProbeAction() const { return FileMenu()->actions().back(); }
    // The player's parts are reached through Qt's object tree, as Qt would reach them.
    template <class T>
    T* PlayerPart(const char* what) const {
        T* part = player->NativeWidget()->findChild<T*>();
        if (!part) ADD_FAILURE() << "the player's widget holds no " << what;
        return part;
    }
};

struct Entry {
    const char* name;
    // The probe event the entry raises, or null for an entry of the framework's own.
    const char* event;
    // Brings about the state the entry needs, before the tripwire is set.
    std::function<void(Bench&)> prepare;
    // Makes Qt call the one entry.
    std::function<void(Bench&)> provoke;
};

void Nothing(Bench&) {}

void PrintTo(const Entry& entry, std::ostream* os) {
    *os << entry.name;
}

const Entry kEntries[] = {
    {"text field: text change", "TextChange", Nothing,
     [](Bench& b) { QTest::keyClick(b.field->NativeWidget(), Qt::Key_A); }},
    {"popup menu: row chosen", "Change", Nothing,
     [](Bench& b) { emit b.Combo(*b.popup)->activated(1); }},
    {"combo box: typed text committed", "Change",
     [](Bench& b) { b.Combo(*b.combo)->lineEdit()->setText("typed"); },
     [](Bench& b) { emit b.Combo(*b.combo)->lineEdit()->editingFinished(); }},
    {"label: mouse enter", "MouseEnter", Nothing,
     [](Bench& b) {
         QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
         QCoreApplication::sendEvent(b.label->NativeWidget(), &enter);
     }},
    {"push button: mouse exit", "MouseExit", Nothing,
     [](Bench& b) {
         QEvent leave(QEvent::Leave);
         QCoreApplication::sendEvent(b.button->NativeWidget(), &leave);
     }},
    {"label: mouse down", "MouseDown", Nothing,
     [](Bench& b) {
         QTest::mousePress(b.label->NativeWidget(), Qt::LeftButton, {}, QPoint(3, 3));
     }},
    {"combo box editor: mouse down", "MouseDown", Nothing,
     [](Bench& b) {
         QTest::mousePress(b.Combo(*b.combo)->lineEdit(), Qt::LeftButton, {}, QPoint(3, 3));
     }},
    {"movie player: mouse down", "MouseDown", Nothing,
     [](Bench& b) {
         QTest::mousePress(b.player->NativeWidget(), Qt::LeftButton, {}, QPoint(1, 1));
     }},
    {"popup menu: opening", "MouseDown", Nothing,
     [](Bench& b) { QTest::mousePress(b.Combo(*b.popup), Qt::LeftButton, {}, QPoint(5, 5)); }},
    {"push button: click", "Action", Nothing,
     [](Bench& b) { static_cast<QAbstractButton*>(b.button->NativeWidget())->click(); }},
    {"timer: action", "Action", Nothing,
     [](Bench& b) {
         b.timer->SetPeriod(0);
         b.timer->SetMode(Timer::ModeSingle);
     }},
    {"menu item: chosen", "MenuAction", Nothing, [](Bench& b) { b.ProbeAction()->trigger(); }},
    {"menu: opening", nullptr, Nothing, [](Bench& b) { b.FileMenu()->popup(QPoint(0, 0)); }},
    {"menu: closing", nullptr, [](Bench& b) { b.FileMenu()->popup(QPoint(0, 0)); },
     [](Bench& b) { b.FileMenu()->hide(); }},
    {"movie player: play button", nullptr, Nothing,
     [](Bench& b) {
         if (auto* button = b.PlayerPart<QToolButton>("play button")) button->click();
     }},
    {"movie player: progress poll", nullptr, Nothing,
     [](Bench& b) {
         if (auto* poll = b.PlayerPart<QTimer>("progress timer")) {
             poll->setSingleShot(true);
             poll->start(0);
         }
     }},
    {"menu bar: keys given back on a click", nullptr,
     [](Bench& b) {
         QWidget* native = b.window->NativeWindow();
         native->activateWindow();
         (void)QTest::qWaitForWindowActive(native);
         b.field->NativeWidget()->setFocus();
         QTest::keyClick(b.field->NativeWidget(), Qt::Key_Alt);  // the bar takes the keys
     },
     [](Bench& b) {
         QTest::mousePress(b.window->ContentWidget(), Qt::LeftButton, {}, QPoint(250, 250));
     }},
    {"window: close request", nullptr, Nothing,
     [](Bench& b) {
         QCloseEvent close;
         QCoreApplication::sendEvent(b.window->NativeWindow(), &close);
     }},
};

class Boundary : public ::testing::TestWithParam<Entry> {
  protected:
    void SetUp() override {
        RuntimeInit();
        RuntimeSetReportSink([this](const String& className, const String& message) {
            reports.push_back(className + ": " + message);
        });
    }
    void TearDown() override {
        RuntimeSetExceptionHelper(nullptr);
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        if (bench) {
            bench->Combo(*bench->popup)->hidePopup();
            bench->window->ReleaseControls();
        }
        bench.reset();
        RuntimeReleaseModuleObjects();
        RuntimeSetReportSink({});
        RuntimeShutdown();  // the test's QApplication stays: the runtime did not create it
    }

    std::unique_ptr<Bench> bench;
    std::vector<std::string> reports;
};

TEST_P(Boundary, WhatEscapesIsReportedOnceAndTheLoopGoesOn) {
    const Entry& entry = GetParam();
    bench = std::make_unique<Bench>();
    entry.prepare(*bench);
    QCoreApplication::processEvents();
    bench->window->calls.clear();
    reports.clear();

    RuntimeSetExceptionHelper(&Tripwire);
    bool provoked = false;
    QTimer::singleShot(0, [&] {
        entry.provoke(*bench);
        provoked = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return provoked && !reports.empty(); }, 5000))
        << "nothing was reported: the entry does not dispatch through the runtime";
    bool wentOn = false;
    QTimer::singleShot(0, [&] { wentOn = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return wentOn; }, 5000)) << "the loop stopped";
    RuntimeSetExceptionHelper(nullptr);

    EXPECT_EQ(reports, std::vector<std::string>{"std::exception: tripwire"});
    if (entry.event) {
        EXPECT_EQ(bench->window->calls.size(), 1u);
        EXPECT_EQ(bench->window->Count(entry.event), 1) << "the row reached another entry";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryQtEntry, Boundary, ::testing::ValuesIn(kEntries),
                         [](const ::testing::TestParamInfo<Entry>& info) {
                             std::string name;
                             for (const char* c = info.param.name; *c; ++c)
                                 if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                             return name;
                         });

}  // namespace
