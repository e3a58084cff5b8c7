// Buttons, text fields and labels: real Qt input reaches the bound window methods.
#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>

#include "framework/core/exceptions.h"
#include "framework/ui/runtime.h"
#include "framework/ui/system.h"
#include "tests/framework/ui_controls_probe.h"

namespace {

// Lets go of the windows the runtime keeps while the Qt application is still there.
class ReleaseWindowsAtEnd : public ::testing::Environment {
  public:
    void TearDown() override { RuntimeReleaseModuleObjects(); }
};
[[maybe_unused]] ::testing::Environment* const kReleaseWindows =
    ::testing::AddGlobalTestEnvironment(new ReleaseWindowsAtEnd);

void SendEnter(QWidget* widget) {
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(widget, &enter);
}

void SendLeave(QWidget* widget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget, &leave);
}

TEST(UiControlsEvents, ConstructorWithoutWindowRaisesNilObject) {
    PushButton orphan;
    EXPECT_THROW(orphan.Constructor(), NilObjectException);
    EXPECT_EQ(orphan.NativeWidget(), nullptr);
}

TEST(UiControlsEvents, ControlWidgetSitsInTheContentAreaAtItsRectangle) {
    auto window = MakeProbeWindow();
    auto button = AddProbeControl<PushButton>(*window, "B", 235, 68, 80, 20);
    QWidget* widget = button->NativeWidget();
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), window->ContentWidget());
    EXPECT_EQ(widget->geometry(), QRect(235, 68, 80, 20));
    EXPECT_TRUE(widget->isVisible());
    button->SetVisible(false);
    EXPECT_FALSE(widget->isVisible());
    button->SetEnabled(false);
    EXPECT_FALSE(widget->isEnabled());
}

TEST(UiControlsEvents, ClickRaisesActionWithTheButton) {
    auto window = MakeProbeWindow();
    auto button = AddProbeControl<PushButton>(*window, "B");
    button->Action.AddHandler(window, &ProbeWindow::Action, "( PushButton )");
    button->SetCaption("Generate");
    auto* qt = static_cast<QPushButton*>(button->NativeWidget());
    EXPECT_EQ(qt->text(), QStringLiteral("Generate"));

    QTest::mouseClick(qt, Qt::LeftButton);
    QTest::mouseClick(qt, Qt::LeftButton);
    ASSERT_EQ(window->Count("Action"), 2);
    EXPECT_EQ(window->calls[0].sender, button);
}

TEST(UiControlsEvents, CaptionShowsAmpersandLiterally) {
    auto window = MakeProbeWindow();
    auto button = AddProbeControl<PushButton>(*window, "B");
    button->SetCaption("Salt & Pepper");
    EXPECT_EQ(button->Caption(), "Salt & Pepper");
    EXPECT_EQ(static_cast<QPushButton*>(button->NativeWidget())->text(),
              QStringLiteral("Salt && Pepper"));
}

TEST(UiControlsEvents, TextChangeOnTypedAndCodedText) {
    auto window = MakeProbeWindow();
    auto field = AddProbeControl<TextField>(*window, "F");
    field->TextChange.AddHandler(window, &ProbeWindow::TextChange, "( TextField )");
    auto* edit = static_cast<QLineEdit*>(field->NativeWidget());

    QTest::keyClicks(edit, "ab");
    ASSERT_EQ(window->Count("TextChange"), 2);
    EXPECT_EQ(window->calls[0].text, "a");
    EXPECT_EQ(window->calls[1].text, "ab");
    EXPECT_EQ(field->Text(), "ab");

    field->SetText("Hello!");
    ASSERT_EQ(window->Count("TextChange"), 3);
    EXPECT_EQ(window->calls[2].text, "Hello!");
    EXPECT_EQ(edit->text(), QStringLiteral("Hello!"));

    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(window->Count("TextChange"), 4);
    EXPECT_EQ(field->Text(), "Hello");
}

TEST(UiControlsEvents, TextSetByCodeKeepsBytesThatAreNotUtf8) {
    auto window = MakeProbeWindow();
    auto field = AddProbeControl<TextField>(*window, "F");
    const String bytes =
        "a\xff"
        "b";
    field->SetText(bytes);
    EXPECT_EQ(field->Text(), bytes);
    QTest::keyClicks(static_cast<QLineEdit*>(field->NativeWidget()), "c");
    EXPECT_EQ(field->Text().back(), 'c');
}

TEST(UiControlsEvents, LabelPressRaisesMouseDownWithThePosition) {
    auto window = MakeProbeWindow();
    auto label = AddProbeControl<Label>(*window, "L", 372, 299, 136, 20);
    label->MouseDown.AddHandler(window, &ProbeWindow::Down, "( Label, Int32, Int32 ) as Boolean");
    label->SetText("made by someone");
    EXPECT_EQ(static_cast<QLabel*>(label->NativeWidget())->text(),
              QStringLiteral("made by someone"));

    QTest::mouseClick(label->NativeWidget(), Qt::LeftButton, {}, QPoint(17, 5));
    QTest::mouseClick(label->NativeWidget(), Qt::LeftButton, {}, QPoint(3, 9));
    ASSERT_EQ(window->Count("MouseDown"), 2);
    EXPECT_EQ(window->calls[0].sender, label);
    EXPECT_EQ(window->calls[0].x, 17);
    EXPECT_EQ(window->calls[0].y, 5);
    EXPECT_EQ(window->calls[1].x, 3);
    EXPECT_EQ(window->calls[1].y, 9);
}

TEST(UiControlsEvents, MouseDownTrueStopsTheButtonsOwnHandling) {
    auto window = MakeProbeWindow();
    auto button = AddProbeControl<PushButton>(*window, "B");
    button->MouseDown.AddHandler(window, &ProbeWindow::Down,
                                 "( PushButton, Int32, Int32 ) as Boolean");
    button->Action.AddHandler(window, &ProbeWindow::Action, "( PushButton )");
    window->mouseDownResult = true;
    QTest::mouseClick(button->NativeWidget(), Qt::LeftButton);
    EXPECT_EQ(window->Count("MouseDown"), 1);
    EXPECT_EQ(window->Count("Action"), 0);
    window->mouseDownResult = false;
    QTest::mouseClick(button->NativeWidget(), Qt::LeftButton);
    EXPECT_EQ(window->Count("Action"), 1);
}

TEST(UiControlsEvents, HoverRaisesEnterAndExitAndCursorFollows) {
    auto window = MakeProbeWindow();
    auto label = AddProbeControl<Label>(*window, "L");
    auto button = AddProbeControl<PushButton>(*window, "B", 10, 40);
    for (RectControl* control :
         {static_cast<RectControl*>(label.get()), static_cast<RectControl*>(button.get())}) {
        control->MouseEnter.AddHandler(window, &ProbeWindow::Enter, "( RectControl )");
        control->MouseExit.AddHandler(window, &ProbeWindow::Exit, "( RectControl )");
    }
    QWidget* widget = label->NativeWidget();
    EXPECT_EQ(label->MouseCursor(), nullptr);
    EXPECT_FALSE(widget->testAttribute(Qt::WA_SetCursor));

    SendEnter(widget);
    ASSERT_EQ(window->Count("MouseEnter"), 1);
    EXPECT_EQ(window->calls.back().sender, label);
    label->SetMouseCursor(System()->Cursors()->FingerPointer());
    EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);

    SendLeave(widget);
    ASSERT_EQ(window->Count("MouseExit"), 1);
    label->SetMouseCursor(System()->Cursors()->StandardPointer());
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
    label->SetMouseCursor(nullptr);
    EXPECT_FALSE(widget->testAttribute(Qt::WA_SetCursor));

    SendEnter(button->NativeWidget());
    SendLeave(button->NativeWidget());
    EXPECT_EQ(window->Count("MouseEnter"), 2);
    EXPECT_EQ(window->Count("MouseExit"), 2);
    EXPECT_EQ(window->calls.back().sender, button);
}

// Where a real pointer event at `local` of `widget` lands, in its top-level window.
QPoint InWindow(QWidget* widget, QPoint local) {
    return widget->mapTo(widget->window(), local);
}

QWindow* HandleOf(QWidget* widget) {
    return widget->window()->windowHandle();
}

// The middle of an editable combo box's arrow.
QPoint ArrowOf(QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    return combo->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo)
        .center();
}

// The pointer the desktop shows over `local` of `widget`: the cursor of the innermost widget
// there, which inherits its parent's when it has none of its own.
Qt::CursorShape PointerOver(QWidget* widget, QPoint local) {
    QWidget* top = widget->window();
    QWidget* under = top->childAt(widget->mapTo(top, local));
    return (under ? under : top)->cursor().shape();
}

// Qt turns the second press of a double click into MouseButtonDblClick; that press counts too.
TEST(UiControlsEvents, BothPressesOfADoubleClickRaiseMouseDown) {
    auto window = MakeProbeWindow();
    auto label = AddProbeControl<Label>(*window, "L", 10, 10);
    auto button = AddProbeControl<PushButton>(*window, "B", 10, 40);
    auto field = AddProbeControl<TextField>(*window, "F", 10, 70);
    auto combo = AddProbeControl<ComboBox>(*window, "C", 10, 100);
    label->SetText("made by someone");
    field->SetText("two words");
    struct Case {
        std::shared_ptr<RectControl> control;
        QWidget* target;  // the widget under the pointer
    };
    const Case cases[] = {
        {label, label->NativeWidget()},
        {button, button->NativeWidget()},
        {field, field->NativeWidget()},
        {combo, static_cast<QComboBox*>(combo->NativeWidget())->lineEdit()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->Name());
        c.control->MouseDown.AddHandler(window, &ProbeWindow::Down,
                                        "( RectControl, Int32, Int32 ) as Boolean");
        window->calls.clear();
        const QPoint at(7, 4);
        QTest::mouseDClick(HandleOf(c.target), Qt::LeftButton, {}, InWindow(c.target, at));
        ASSERT_EQ(window->Count("MouseDown"), 2);
        const QPoint expected = c.target->mapTo(c.control->NativeWidget(), at);
        for (const auto& call : window->calls) {
            EXPECT_EQ(call.sender, c.control);
            EXPECT_EQ(QPoint(call.x, call.y), expected);
        }
    }
}

// A combo box is one control: its text part and its arrow are crossed as one.
TEST(UiControlsEvents, ComboBoxRaisesEnterAndExitOncePerCrossing) {
    auto window = MakeProbeWindow();
    auto combo = AddProbeControl<ComboBox>(*window, "C", 10, 40, 100, 20);
    auto field = AddProbeControl<TextField>(*window, "F", 10, 80);
    for (RectControl* control :
         {static_cast<RectControl*>(combo.get()), static_cast<RectControl*>(field.get())}) {
        control->MouseEnter.AddHandler(window, &ProbeWindow::Enter, "( RectControl )");
        control->MouseExit.AddHandler(window, &ProbeWindow::Exit, "( RectControl )");
    }
    auto* qt = static_cast<QComboBox*>(combo->NativeWidget());
    QWindow* handle = HandleOf(qt);
    const QPoint outside = InWindow(qt, QPoint(qt->width() + 40, -15));
    const QPoint text = InWindow(qt->lineEdit(), qt->lineEdit()->rect().center());
    const QPoint arrow = InWindow(qt, ArrowOf(qt));
    ASSERT_NE(qt->childAt(qt->mapFrom(qt->window(), arrow)), qt->lineEdit());

    QTest::mouseMove(handle, outside);
    window->calls.clear();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        QTest::mouseMove(handle, text);
        QTest::mouseMove(handle, arrow);
        QTest::mouseMove(handle, text);
        EXPECT_EQ(window->Count("MouseEnter"), round + 1);
        EXPECT_EQ(window->Count("MouseExit"), round);
        QTest::mouseMove(handle, outside);
        EXPECT_EQ(window->Count("MouseExit"), round + 1);
    }
    for (const auto& call : window->calls) EXPECT_EQ(call.sender, combo);

    // Entered by its arrow and left from its text, the same.
    window->calls.clear();
    QTest::mouseMove(handle, arrow);
    QTest::mouseMove(handle, text);
    QTest::mouseMove(handle, InWindow(field->NativeWidget(), QPoint(5, 5)));
    ASSERT_EQ(window->calls.size(), 3u);
    EXPECT_EQ(window->calls[0].event, "MouseEnter");
    EXPECT_EQ(window->calls[1].event, "MouseExit");
    EXPECT_EQ(window->calls[1].sender, combo);
    EXPECT_EQ(window->calls[2].event, "MouseEnter");
    EXPECT_EQ(window->calls[2].sender, field);
}

// No cursor set means the control's own default: the text pointer over text, the arrow elsewhere.
TEST(UiControlsEvents, DefaultPointerIsTheControlsOwnAndComesBackWhenUnset) {
    auto window = MakeProbeWindow();
    auto field = AddProbeControl<TextField>(*window, "F", 10, 10);
    auto label = AddProbeControl<Label>(*window, "L", 10, 40);
    auto button = AddProbeControl<PushButton>(*window, "B", 10, 70);
    auto combo = AddProbeControl<ComboBox>(*window, "C", 10, 100, 100, 20);
    auto* comboQt = static_cast<QComboBox*>(combo->NativeWidget());
    struct Case {
        std::shared_ptr<RectControl> control;
        QPoint at;
        Qt::CursorShape natural;
    };
    const Case cases[] = {
        {field, QPoint(5, 5), Qt::IBeamCursor},
        {label, QPoint(5, 5), Qt::ArrowCursor},
        {button, QPoint(5, 5), Qt::ArrowCursor},
        {combo, comboQt->lineEdit()->geometry().center(), Qt::IBeamCursor},
        {combo, ArrowOf(comboQt), Qt::ArrowCursor},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->Name() + " " + std::to_string(c.natural));
        QWidget* widget = c.control->NativeWidget();
        EXPECT_EQ(c.control->MouseCursor(), nullptr);
        EXPECT_EQ(PointerOver(widget, c.at), c.natural);
        if (c.control == combo) continue;  // its text part keeps the text pointer
        c.control->SetMouseCursor(System()->Cursors()->FingerPointer());
        EXPECT_EQ(PointerOver(widget, c.at), Qt::PointingHandCursor);
        c.control->SetMouseCursor(System()->Cursors()->StandardPointer());
        EXPECT_EQ(PointerOver(widget, c.at), Qt::ArrowCursor);
        c.control->SetMouseCursor(nullptr);
        EXPECT_EQ(PointerOver(widget, c.at), c.natural);
    }
}

// 0 is no limit at all, not Qt's default of 32767 characters.
TEST(UiControlsEvents, LongTextsSetByCodeOrPastedAreKeptWhole) {
    auto window = MakeProbeWindow();
    auto field = AddProbeControl<TextField>(*window, "F", 10, 10);
    auto limited = AddProbeControl<TextField>(*window, "G", 10, 40);
    auto combo = AddProbeControl<ComboBox>(*window, "C", 10, 70, 100, 20);
    limited->SetLimitText(0);
    auto text = [](size_t n, char first) {
        String s;
        s.reserve(n);
        for (size_t i = 0; i < n; ++i) s += char(first + i % 10);
        return s;
    };
    struct Case {
        const char* what;
        std::function<void(const String&)> set;
        std::function<String()> get;
        QLineEdit* editor;
    };
    const Case cases[] = {
        {"text field", [&](const String& v) { field->SetText(v); }, [&] { return field->Text(); },
         static_cast<QLineEdit*>(field->NativeWidget())},
        {"text field, LimitText 0", [&](const String& v) { limited->SetText(v); },
         [&] { return limited->Text(); }, static_cast<QLineEdit*>(limited->NativeWidget())},
        {"combo box", [&](const String& v) { combo->SetText(v); }, [&] { return combo->Text(); },
         static_cast<QComboBox*>(combo->NativeWidget())->lineEdit()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const String byCode = text(100000, '0');
        c.set(byCode);
        EXPECT_EQ(c.get().size(), byCode.size());
        EXPECT_TRUE(c.get() == byCode);  // not printed: too long to read

        const String pasted = text(100000, 'A');
        QApplication::clipboard()->setText(
            QString::fromLatin1(pasted.data(), qsizetype(pasted.size())));
        QTest::keyClick(c.editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(c.editor, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(c.get().size(), pasted.size());
        EXPECT_TRUE(c.get() == pasted);
    }
    // A limit above 0 still holds.
    limited->SetLimitText(5);
    limited->SetText("0123456789");
    EXPECT_EQ(limited->Text(), "01234");
}

TEST(UiControlsEvents, StockCursorsAreSharedSingletons) {
    EXPECT_EQ(System(), System());
    EXPECT_EQ(System()->Cursors(), System()->Cursors());
    EXPECT_EQ(System()->Cursors()->FingerPointer(), System()->Cursors()->FingerPointer());
    EXPECT_EQ(System()->Cursors()->FingerPointer()->CursorShape(),
              MouseCursor::Shape::FingerPointer);
    EXPECT_EQ(System()->Cursors()->StandardPointer()->CursorShape(), MouseCursor::Shape::Standard);
}

TEST(UiControlsEvents, BindingDoesNotKeepItsWindowAlive) {
    // Not constructed: a constructed window is also held by the runtime's list of windows.
    auto window = std::make_shared<ProbeWindow>();
    auto button = AddProbeControl<PushButton>(*window, "B");
    button->Action.AddHandler(window, &ProbeWindow::Action, "( PushButton )");
    std::weak_ptr<ProbeWindow> weak = window;
    ASSERT_TRUE(button->Action.Handlers().front().TargetAlive());
    window.reset();
    EXPECT_TRUE(weak.expired());
    EXPECT_FALSE(button->Action.Handlers().front().TargetAlive());
    // The widget went with its window: no Qt input reaches the control any more.
    EXPECT_EQ(button->NativeWidget(), nullptr);

    // Raised the way a click raises it, the binding reports its missing window instead of
    // calling into freed memory.
    std::vector<std::string> reports;
    RuntimeSetReportSink(
        [&](const String& cls, const String& message) { reports.push_back(cls + ": " + message); });
    RuntimeDispatch([&] { button->Action.Raise(button); });
    RuntimeSetReportSink([](const String&, const String&) {});
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "NilObjectException: the window of an event binding is Nil");
}

TEST(UiControlsEvents, TabOrderFollowsTabIndex) {
    auto window = MakeProbeWindow();
    auto first = AddProbeControl<TextField>(*window, "A", 10, 10);
    auto second = AddProbeControl<TextField>(*window, "B", 10, 40);
    auto third = AddProbeControl<PushButton>(*window, "C", 10, 70);
    third->SetTabIndex(0);
    first->SetTabIndex(1);
    second->SetTabIndex(2);
    window->NativeWindow()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window->NativeWindow()));
    third->NativeWidget()->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return third->NativeWidget()->hasFocus(); }));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), first->NativeWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), second->NativeWidget());
    second->SetTabStop(false);
    EXPECT_EQ(second->NativeWidget()->focusPolicy(), Qt::NoFocus);
    second->SetTabStop(true);
    EXPECT_NE(second->NativeWidget()->focusPolicy(), Qt::NoFocus);
}

// A window whose handlers fail, for the exception boundary.
class FailingWindow : public ProbeWindow {
  public:
    void Fail(std::shared_ptr<RectControl>) { throw IOException("disk full"); }
    bool FailDown(std::shared_ptr<RectControl>, int32_t, int32_t) {
        throw NilObjectException("no folder");
    }
    void FailTick(std::shared_ptr<Timer>) { throw IOException("late"); }
};

TEST(UiControlsEvents, ExceptionsFromHandlersReachTheReportAndInputGoesOn) {
    std::vector<std::string> reports;
    RuntimeSetReportSink(
        [&](const String& cls, const String& message) { reports.push_back(cls + ": " + message); });
    auto window = std::make_shared<FailingWindow>();
    window->Constructor();
    window->NativeWindow()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window->NativeWindow()));
    auto button = AddProbeControl<PushButton>(*window, "B");
    button->Action.AddHandler(window, &FailingWindow::Fail, "( PushButton )");
    auto popup = AddProbeControl<PopupMenu>(*window, "P", 10, 40);
    popup->AddRow("kept");
    popup->MouseDown.AddHandler(window, &FailingWindow::FailDown,
                                "( PopupMenu, Int32, Int32 ) as Boolean");
    auto timer = window->New<Timer>();
    timer->Action.AddHandler(window, &FailingWindow::FailTick, "( Timer )");

    QTest::mouseClick(button->NativeWidget(), Qt::LeftButton);
    QTest::mouseClick(button->NativeWidget(), Qt::LeftButton);
    auto* combo = static_cast<QComboBox*>(popup->NativeWidget());
    QTest::mouseClick(combo, Qt::LeftButton, {}, QPoint(5, 5));
    // A failed MouseDown leaves the popup to open with the rows it had.
    EXPECT_TRUE(combo->view()->isVisible());
    combo->hidePopup();
    timer->SetPeriod(5);
    timer->SetMode(Timer::ModeSingle);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reports.size() == 4; }, 5000));
    EXPECT_EQ(reports[0], "IOException: disk full");
    EXPECT_EQ(reports[1], "IOException: disk full");
    EXPECT_EQ(reports[2], "NilObjectException: no folder");
    EXPECT_EQ(reports[3], "IOException: late");
    RuntimeSetReportSink([](const String&, const String&) {});
}

}  // namespace
