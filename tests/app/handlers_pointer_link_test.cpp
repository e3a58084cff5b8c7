// The pointing hand over the two buttons and the link label, the link's colour, and its page.
#include <QUrl>
#include <QWindow>

#include "app/maker_page.h"
#include "framework/ui/system.h"
#include "tests/app/handlers_fixture.h"
#include "tests/support/desktop_capture.h"

using namespace handlers_test;

namespace {

using Pointer = Window1Test;

constexpr Color kBlack = Color::FromRGB(0x000000);
constexpr Color kBlue = Color::FromRGB(0x0000FF);

MouseCursor::Shape ShapeOf(const std::shared_ptr<RectControl>& control) {
    auto cursor = control->MouseCursor();
    if (!cursor) throw std::runtime_error("no cursor set");
    return cursor->CursorShape();
}

TEST_F(Pointer, EnteringShowsTheHandAndLeavingTheArrow) {
    struct Case {
        const char* name;
        std::shared_ptr<RectControl> control;
        bool link;
    };
    const Case cases[] = {{"GeneratePB", window->GeneratePB(), false},
                          {"ShowFolderPB", window->ShowFolderPB(), false},
                          {"Label10", window->Label10(), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* widget = Native(c.control);
        const QString shown = widget->property("text").toString();
        for (int round = 0; round < 3; ++round) {
            SendEnter(c.control);
            EXPECT_EQ(ShapeOf(c.control), MouseCursor::Shape::FingerPointer);
            EXPECT_EQ(widget->cursor().shape(), Qt::PointingHandCursor);
            if (c.link) {
                EXPECT_EQ(window->Label10()->TextColor(), kBlue);
            }

            SendLeave(c.control);
            EXPECT_EQ(ShapeOf(c.control), MouseCursor::Shape::Standard);
            EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
            if (c.link) {
                EXPECT_EQ(window->Label10()->TextColor(), kBlack);
            }
        }
        EXPECT_EQ(widget->property("text").toString(), shown);
    }
    EXPECT_TRUE(reports.empty());
}

// The pointer the desktop shows over `local` of `widget`: the cursor of the innermost widget
// there, which inherits its parent's when it has none of its own.
Qt::CursorShape PointerOver(QWidget* widget, QPoint local) {
    QWidget* top = widget->window();
    QWidget* under = top->childAt(widget->mapTo(top, local));
    return (under ? under : top)->cursor().shape();
}

// Only the two buttons and the link change the pointer: over text the desktop's text pointer
// stays, everywhere else the arrow, before, while and after the mouse passes.
TEST_F(Pointer, OtherControlsKeepTheDefaultPointer) {
    struct Case {
        std::shared_ptr<RectControl> control;
        QPoint at;  // within the control; (-1, -1): its middle
        Qt::CursorShape shape;
    };
    const QPoint middle(-1, -1);
    std::vector<Case> cases;
    for (auto field :
         {window->DataEF(), window->HighEF(), window->LowEF(), window->HeadEF(), window->FootEF()})
        cases.push_back({field, middle, Qt::IBeamCursor});
    for (auto combo : {window->BaudCB(), window->SampleRateCB()}) {
        cases.push_back({combo, ComboOf(combo)->lineEdit()->geometry().center(), Qt::IBeamCursor});
        cases.push_back({combo, QPoint(combo->Width() - 3, combo->Height() / 2), Qt::ArrowCursor});
    }
    for (auto popup : {window->TagPM(), window->wavPM()})
        cases.push_back({popup, middle, Qt::ArrowCursor});
    for (auto label :
         {window->Label1(), window->Label2(), window->Label3(), window->Label4(), window->Label5(),
          window->Label6(), window->Label7(), window->Label8(), window->Label9(), window->DataST()})
        cases.push_back({label, middle, Qt::ArrowCursor});
    for (int32_t i = 0; i < 10; ++i) cases.push_back({window->NumGene(i), middle, Qt::ArrowCursor});
    cases.push_back({window->mp(), middle, Qt::ArrowCursor});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.control->Name() +
                     (c.control->Index() == kNoIndex ? "" : " " + Str(c.control->Index())) +
                     (c.at == middle ? "" : " at x " + Str(c.at.x())));
        QWidget* widget = Native(c.control);
        const QPoint at = c.at == middle ? widget->rect().center() : c.at;
        EXPECT_EQ(PointerOver(widget, at), c.shape);
        SendEnter(c.control);
        EXPECT_EQ(c.control->MouseCursor(), nullptr);
        EXPECT_EQ(PointerOver(widget, at), c.shape);
        SendLeave(c.control);
        EXPECT_EQ(c.control->MouseCursor(), nullptr);
        EXPECT_EQ(PointerOver(widget, at), c.shape);
    }
}

TEST_F(Pointer, EveryPressOnTheLinkOpensTheMakersPage) {
    DesktopCapture desktop;
    const QUrl page(QString::fromUtf8(kMakerPageAddress));
    ASSERT_TRUE(page.isValid());
    EXPECT_TRUE(page.scheme() == "https" || page.scheme() == "http");
    for (QPoint at : {QPoint(2, 2), QPoint(68, 10), QPoint(133, 17)}) Click(window->Label10(), at);
    EXPECT_EQ(desktop.Urls(), (QList<QUrl>{page, page, page}));
    EXPECT_EQ(window->Label10()->TextColor(), kBlack);
    EXPECT_TRUE(reports.empty());
}

// Qt hands the second press of a double click over as a double click: it opens the page too.
TEST_F(Pointer, BothPressesOfADoubleClickOpenThePage) {
    DesktopCapture desktop;
    const QUrl page(QString::fromUtf8(kMakerPageAddress));
    QWidget* link = Native(window->Label10());
    QWindow* handle = link->window()->windowHandle();
    for (int i = 0; i < 2; ++i)
        QTest::mouseDClick(handle, Qt::LeftButton, {}, link->mapTo(link->window(), QPoint(20, 8)));
    EXPECT_EQ(desktop.Urls(), (QList<QUrl>{page, page, page, page}));
    EXPECT_TRUE(reports.empty());
}

// With a control gone, each handler that needs it raises NilObjectException.
TEST_F(Pointer, HandlersRaiseNilObjectForMissingControls) {
    auto baud = window->BaudCB();
    auto tags = window->TagPM();
    auto data = window->DataEF();
    auto key = window->NumGene(3);
    auto timer = window->Timer1();
    auto popup = window->wavPM();
    auto button = window->GeneratePB();
    auto link = window->Label10();
    Window1& w = *window;
    w.ReleaseControls();

    EXPECT_THROW(w.GeneratePB_Action(button), NilObjectException);
    EXPECT_THROW(w.NumGene_Action(key), NilObjectException);
    EXPECT_THROW(w.DoGenerate("x"), NilObjectException);
    EXPECT_THROW(w.BaudCB_Change(baud), NilObjectException);
    EXPECT_THROW(w.TagPM_Change(tags), NilObjectException);
    EXPECT_THROW(w.DataEF_TextChange(data), NilObjectException);
    EXPECT_THROW(w.HeadEF_TextChange(data), NilObjectException);
    EXPECT_THROW(w.FootEF_TextChange(data), NilObjectException);
    EXPECT_THROW(w.Timer1_Action(timer), NilObjectException);
    EXPECT_THROW(w.wavPM_MouseDown(popup, 0, 0), NilObjectException);
    EXPECT_THROW(w.wavPM_Change(popup), NilObjectException);
    // Nothing written by the failed generation.
    EXPECT_FALSE(fs::exists(OutputPath() / "xbr1225sr29400hi7350lo4900.wav"));
    // The pointer handlers work on the control they are handed.
    EXPECT_THROW(w.GeneratePB_MouseEnter(nullptr), NilObjectException);
    EXPECT_THROW(w.ShowFolderPB_MouseExit(nullptr), NilObjectException);
    EXPECT_THROW(w.Label10_MouseEnter(nullptr), NilObjectException);
    EXPECT_NO_THROW(w.Label10_MouseExit(link));
}

}  // namespace
