// The window under dark desktop palettes: every text readable against what is painted behind it,
// the play/pause icon visible, the controls of one light piece; under the default light palette,
// the window exactly as it has always looked.
#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QPolygon>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "tests/app/window_fixture.h"

namespace {

// sRGB relative luminance and the contrast ratio of two colours, 1 to 21.
double Luminance(QRgb c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Painted {
    QRgb background = 0;  // the colour covering most of the area
    double contrast = 1;  // of the pixel that stands out most from it
};

Painted Measure(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000];
    Painted painted;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most) most = count, painted.background = colour;
    for (const auto& [colour, count] : counts)
        painted.contrast = std::max(painted.contrast, Contrast(colour, painted.background));
    return painted;
}

// The palette a platform theme hands the application, set the way the theme's own is.
QPalette DarkPalette(QColor window, QColor text, QColor base, QColor button, QColor buttonText) {
    QPalette p(buttonText, button, button.lighter(130), button.darker(130), button.darker(115),
               text, Qt::white, base, window);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Link, QColor(0x0986D3));
    p.setColor(QPalette::Highlight, QColor(0x12608A));
    p.setColor(QPalette::PlaceholderText, QColor(255, 255, 255, 128));
    return p;
}

struct DarkSetUp {
    const char* name;
    QPalette palette;
};

std::vector<DarkSetUp> DarkSetUps() {
    return {
        // qt6ct's "darker" scheme under Fusion.
        {"qt6ct darker",
         DarkPalette(QColor(0x222020), Qt::white, QColor(0x3D3D3D), QColor(0x424245), Qt::white)},
        // GTK's Adwaita:dark as Qt's GTK platform theme reads it.
        {"Adwaita dark", DarkPalette(QColor(0x353535), QColor(0xEEEEEC), QColor(0x2D2D2D),
                                     QColor(0x353535), QColor(0xEEEEEC))},
    };
}

// The default palette of the platform: what the application has with no theme of its own.
void UseSystemPalette() {
    QApplication::setPalette(QPalette());
}

QWidget* Top() {
    return StartedWindow()->NativeWindow();
}

QRect AreaOf(QWidget* widget, int inset = 0) {
    const QRect r(widget->mapTo(Top(), QPoint(0, 0)), widget->size());
    return r.adjusted(inset, inset, -inset, -inset);
}

QImage Grab() {
    QApplication::processEvents();
    return Top()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct TextArea {
    const char* name;
    QRect area;
};

// Every control that shows text, cut to the part where the text is drawn: inside frames, and left
// of a popup's arrow.
std::vector<TextArea> TextAreas() {
    Window1& w = *StartedWindow();
    std::vector<TextArea> areas;
    auto label = [&](const char* name, const std::shared_ptr<RectControl>& c) {
        areas.push_back({name, AreaOf(c->NativeWidget())});
    };
    auto framed = [&](const char* name, const std::shared_ptr<RectControl>& c) {
        areas.push_back({name, AreaOf(c->NativeWidget(), 4)});
    };
    auto popup = [&](const char* name, const std::shared_ptr<RectControl>& c) {
        areas.push_back({name, AreaOf(c->NativeWidget(), 4).adjusted(0, 0, -18, 0)});
    };
    label("Label1 Baudrate", w.Label1());
    label("Label2 Samplerate", w.Label2());
    label("Label3 High frq", w.Label3());
    label("Label4 Low frq", w.Label4());
    label("Label5 Prefix", w.Label5());
    label("Label6 Suffix", w.Label6());
    label("Label7 Hex Tag", w.Label7());
    label("Label8 heading", w.Label8());
    label("Label9 for Softmodem", w.Label9());
    label("Label10 link", w.Label10());
    label("DataST preview", w.DataST());
    framed("DataEF", w.DataEF());
    framed("HighEF", w.HighEF());
    framed("LowEF", w.LowEF());
    framed("FootEF", w.FootEF());
    framed("GeneratePB", w.GeneratePB());
    framed("ShowFolderPB", w.ShowFolderPB());
    for (int i = 0; i < 10; ++i) framed("NumGene", w.NumGene(i));
    popup("BaudCB", w.BaudCB());
    popup("SampleRateCB", w.SampleRateCB());
    popup("TagPM", w.TagPM());
    auto* bar = static_cast<QMainWindow*>(Top())->menuBar();
    for (QAction* menu : bar->actions())
        areas.push_back({"menu title", QRect(bar->mapTo(Top(), bar->actionGeometry(menu).topLeft()),
                                             bar->actionGeometry(menu).size())});
    return areas;
}

void Hover(QWidget* widget, bool in) {
    if (in) {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), widget->mapToGlobal(QPointF(2, 2)));
        QApplication::sendEvent(widget, &enter);
    } else {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(widget, &leave);
    }
}

QToolButton* PlayButton() {
    return StartedWindow()->mp()->NativeWidget()->findChild<QToolButton*>();
}

class Backdrop : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // The window starts under a dark theme, as it does on a dark desktop.
        QApplication::setPalette(DarkSetUps().front().palette);
        ASSERT_TRUE(StartedWindow());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Top()));
    }
    void TearDown() override { UseSystemPalette(); }
};

TEST_F(Backdrop, UnderDarkPalettesEveryTextStandsOutFromWhatIsBehindIt) {
    for (const DarkSetUp& setUp : DarkSetUps()) {
        SCOPED_TRACE(setUp.name);
        QApplication::setPalette(setUp.palette);
        const QImage shown = Grab();
        for (const TextArea& t : TextAreas()) {
            SCOPED_TRACE(t.name);
            EXPECT_GE(Measure(shown, t.area).contrast, 4.5);
        }

        QWidget* link = StartedWindow()->Label10()->NativeWidget();
        Hover(link, true);
        const Painted hovered = Measure(Grab(), AreaOf(link));
        Hover(link, false);
        EXPECT_GE(hovered.contrast, 4.5) << "the link while hovered";

        // An icon, not text: a clearly visible glyph is at least 3 : 1.
        EXPECT_GE(Measure(shown, AreaOf(PlayButton(), 2)).contrast, 3.0) << "play icon";
    }
}

// An icon theme like a dark desktop's: a light play glyph, drawn for a dark ground.
void WriteLightIconTheme(const QString& root) {
    QDir(root).mkpath("light-glyphs/16x16/actions");
    QFile index(root + "/light-glyphs/index.theme");
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write(
        "[Icon Theme]\nName=light-glyphs\nDirectories=16x16/actions\n\n"
        "[16x16/actions]\nSize=16\nType=Fixed\n");
    index.close();
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xDEDDDA));
    painter.drawPolygon(QPolygon({QPoint(3, 2), QPoint(13, 8), QPoint(3, 14)}));
    painter.end();
    ASSERT_TRUE(glyph.save(root + "/light-glyphs/16x16/actions/media-playback-start.png"));
}

TEST_F(Backdrop, UnderDarkPalettesADesktopsLightPlayIconIsDrawnInTheTextColour) {
    QTemporaryDir themes;
    WriteLightIconTheme(themes.path());
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QString themeName = QIcon::themeName();
    QIcon::setThemeSearchPaths({themes.path()});
    QIcon::setThemeName("light-glyphs");
    const bool themed =
        PlayButton()->style()->standardIcon(QStyle::SP_MediaPlay).name() == "media-playback-start";
    for (const DarkSetUp& setUp : DarkSetUps()) {
        SCOPED_TRACE(setUp.name);
        QApplication::setPalette(setUp.palette);
        StartedWindow()->mp()->SetMovie(nullptr);  // the stopped player shows its play icon anew
        EXPECT_GE(Measure(Grab(), AreaOf(PlayButton(), 2)).contrast, 3.0) << "play icon";
    }
    QIcon::setThemeSearchPaths(searchPaths);
    QIcon::setThemeName(themeName);
    StartedWindow()->mp()->SetMovie(nullptr);
    ASSERT_TRUE(themed) << "the style took no icon from the theme: nothing was tried";
}

// One piece: the fields, popups and buttons sit on the window's own light ground instead of some
// white and some dark.
TEST_F(Backdrop, UnderDarkPalettesTheControlsShareTheWindowsLightGround) {
    Window1& w = *StartedWindow();
    for (const DarkSetUp& setUp : DarkSetUps()) {
        SCOPED_TRACE(setUp.name);
        QApplication::setPalette(setUp.palette);
        const QImage shown = Grab();
        const QRgb ground = Measure(shown, AreaOf(w.ContentWidget())).background;
        EXPECT_GT(Luminance(ground), 0.6);
        const std::vector<std::pair<const char*, std::shared_ptr<RectControl>>> controls = {
            {"DataEF", w.DataEF()},   {"HeadEF", w.HeadEF()}, {"BaudCB", w.BaudCB()},
            {"TagPM", w.TagPM()},     {"wavPM", w.wavPM()},   {"GeneratePB", w.GeneratePB()},
            {"NumGene", w.NumGene(0)}};
        for (const auto& [name, control] : controls) {
            SCOPED_TRACE(name);
            const QRgb own = Measure(shown, AreaOf(control->NativeWidget(), 4)).background;
            EXPECT_GT(Luminance(own), 0.6);
        }
        auto* bar = static_cast<QMainWindow*>(Top())->menuBar();
        EXPECT_LT(Contrast(Measure(shown, AreaOf(bar)).background, ground), 1.2) << "menu bar";

        // A menu opened from the bar is a window of its own: it follows the window too.
        QMenu* menu = bar->actions().front()->menu();
        ASSERT_TRUE(menu);
        menu->popup(bar->mapToGlobal(bar->actionGeometry(bar->actions().front()).bottomLeft()));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
        const Painted inMenu = Measure(menu->grab().toImage(), menu->rect().adjusted(3, 3, -3, -3));
        menu->hide();
        EXPECT_GT(Luminance(inMenu.background), 0.6) << "menu";
        EXPECT_GE(inMenu.contrast, 4.5) << "menu";
    }
}

// A light desktop palette of its own (GTK's Adwaita) is the window's: nothing forces Qt's.
TEST_F(Backdrop, UnderALightDesktopPaletteTheWindowTakesTheDesktops) {
    QPalette adwaita = QApplication::palette();
    adwaita.setColor(QPalette::Window, QColor(0xF6F5F4));
    adwaita.setColor(QPalette::WindowText, QColor(0x2E3436));
    QApplication::setPalette(adwaita);
    Window1& w = *StartedWindow();
    EXPECT_EQ(Measure(Grab(), AreaOf(w.ContentWidget())).background, QColor(0xF6F5F4).rgb());
    EXPECT_EQ(w.Label3()->NativeWidget()->palette().color(QPalette::Window), QColor(0xF6F5F4));
}

// The look under the default light palette, grabbed from the window before it learnt of dark
// palettes. TW_WRITE_LIGHT_LOOK=1 writes it anew after a change meant to alter the look.
const QString kLightLook = QStringLiteral(TW_LIGHT_LOOK_PNG);

// The window as shown, without a caret or a focus frame: the look compared is the window's.
QImage GrabUnfocused() {
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
    return Grab();
}

// The pixels of `shown` that differ from the light look; `shown` goes to `name` when any do.
int DifferingFromLightLook(const QImage& shown, const QString& name) {
    const QImage expected = QImage(kLightLook).convertToFormat(QImage::Format_RGB32);
    if (expected.size() != shown.size()) return shown.width() * shown.height();
    int differing = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            differing += shown.pixel(x, y) != expected.pixel(x, y);
    if (differing) shown.save(name);
    return differing;
}

TEST_F(Backdrop, UnderTheDefaultLightPaletteTheWindowLooksAsItAlwaysHas) {
    UseSystemPalette();
    const QImage shown = GrabUnfocused();
    if (qEnvironmentVariableIsSet("TW_WRITE_LIGHT_LOOK")) {
        ASSERT_TRUE(shown.save(kLightLook));
        GTEST_SKIP() << "written " << kLightLook.toStdString();
    }
    EXPECT_EQ(DifferingFromLightLook(shown, "light_look_actual.png"), 0)
        << "the window as shown is in light_look_actual.png";
}

// The backdrop is Qt's own light palette: under a dark desktop the window is the familiar one.
TEST_F(Backdrop, UnderDarkPalettesTheWindowLooksAsUnderTheDefaultLightOne) {
    for (const DarkSetUp& setUp : DarkSetUps()) {
        SCOPED_TRACE(setUp.name);
        QApplication::setPalette(setUp.palette);
        EXPECT_EQ(DifferingFromLightLook(GrabUnfocused(), "dark_look_actual.png"), 0)
            << "the window as shown is in dark_look_actual.png";
    }
}

}  // namespace
