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

TEST_F(Pointer, OtherControlsKeepTheDefaultPointer) {
    std::vector<std::shared_ptr<RectControl>> others = {
        window->DataEF(), window->BaudCB(), window->TagPM(), window->wavPM(), window->Label8()};
    for (int32_t i = 0; i < 10; ++i) others.push_back(window->NumGene(i));
    for (const auto& control : others) {
        SCOPED_TRACE(control->Name() + " " + std::to_string(control->Index()));
        SendEnter(control);
        EXPECT_EQ(control->MouseCursor(), nullptr);
        EXPECT_FALSE(Native(control)->testAttribute(Qt::WA_SetCursor));
        SendLeave(control);
        EXPECT_EQ(control->MouseCursor(), nullptr);
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
