#include "framework/ui/backdrop.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChildEvent>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <cmath>

#include "framework/ui/exception_boundary.h"

namespace {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double Luminance(const QColor& colour) {
    auto linear = [](double s) {
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// Dark: the text is lighter than the ground it stands on.
bool IsDark(const QPalette& palette) {
    return Luminance(palette.color(QPalette::Window)) <
           Luminance(palette.color(QPalette::WindowText));
}

// Qt's own light palette, the one the window has on a desktop without a theme. Built here: the
// styles hand out the desktop's palette as their standard one.
QPalette LightPalette() {
    const QColor ground(239, 239, 239);
    const QColor dark = ground.darker(150);
    const QColor mid = ground.darker(130);
    const QColor shadow = dark.darker(135);
    const QColor disabledText(190, 190, 190);
    QColor placeholder(Qt::black);
    placeholder.setAlpha(128);

    QPalette palette(Qt::black, ground, ground.lighter(150), dark, mid, Qt::black, Qt::white);
    palette.setColor(QPalette::Midlight, mid.lighter(110));
    palette.setColor(QPalette::Button, ground);
    palette.setColor(QPalette::Shadow, shadow);
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, placeholder);
    palette.setColor(QPalette::Highlight, QColor(48, 140, 198));
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    palette.setColor(QPalette::Disabled, QPalette::Text, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::WindowText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, disabledText);
    palette.setColor(QPalette::Disabled, QPalette::Base, ground);
    palette.setColor(QPalette::Disabled, QPalette::Dark, QColor(209, 209, 209).darker(110));
    palette.setColor(QPalette::Disabled, QPalette::Shadow, shadow.lighter(150));
    return palette;
}

class LightBackdrop : public QObject {
  public:
    explicit LightBackdrop(QWidget& window) : QObject(&window), window_(&window) {
        window.installEventFilter(this);
        Apply();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ApplicationPaletteChange && watched == window_) {
            RuntimeDispatch([&] { Apply(); });
        } else if (event->type() == QEvent::ChildPolished) {
            // Polished just before it first shows.
            RuntimeDispatch([&] { Follow(static_cast<QChildEvent*>(event)->child()); });
        }
        return false;
    }

  private:
    void Apply() {
        if (!window_) return;
        if (IsDark(QApplication::palette())) {
            window_->setPalette(LightPalette());
            applied_ = true;
        } else if (applied_) {
            // Back to the desktop's own, exactly as if none had ever been set.
            window_->setPalette(QPalette());
            applied_ = false;
        }
    }

    // The menu bar and its menus: a menu is a window of its own, which takes no palette from its
    // parent unless told to. Menus polished before the bar was are taken along with it.
    void Follow(QObject* child) {
        if (!qobject_cast<QMenuBar*>(child) && !qobject_cast<QMenu*>(child)) return;
        auto* widget = static_cast<QWidget*>(child);
        if (widget->isWindow() && !widget->testAttribute(Qt::WA_WindowPropagation)) {
            widget->setAttribute(Qt::WA_WindowPropagation);
            widget->setPalette(QPalette());  // resolved anew, now from its parent
        }
        widget->installEventFilter(this);  // for the menus it opens in turn
        for (QMenu* menu : widget->findChildren<QMenu*>(Qt::FindDirectChildrenOnly)) Follow(menu);
    }

    QPointer<QWidget> window_;
    bool applied_ = false;
};

}  // namespace

void KeepLightBackdrop(QWidget& window) {
    new LightBackdrop(window);
}

namespace {

// The colour a glyph shows: the mean of its mostly opaque pixels.
QColor GlyphColour(const QImage& image) {
    double red = 0, green = 0, blue = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alphaF() < 0.5) continue;
            red += c.redF(), green += c.greenF(), blue += c.blueF();
            ++count;
        }
    }
    return count ? QColor::fromRgbF(red / count, green / count, blue / count) : QColor();
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The glyph's shape, filled with `colour`.
QPixmap Recoloured(const QPixmap& glyph, const QColor& colour) {
    QPixmap pixmap = glyph;
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), colour);
    return pixmap;
}

// A graphic stands out at 3 : 1.
constexpr double kVisibleContrast = 3.0;

QIcon ReadableIcon(const QAbstractButton& button, QStyle::StandardPixmap which) {
    const QIcon icon = button.style()->standardIcon(which, nullptr, &button);
    const QPalette& palette = button.palette();
    QList<QSize> sizes = icon.availableSizes();
    if (sizes.isEmpty()) sizes = {button.iconSize(), button.iconSize() * 2};
    const QPixmap sample = icon.pixmap(sizes.front());
    const QColor glyph = GlyphColour(sample.toImage().convertToFormat(QImage::Format_ARGB32));
    if (!glyph.isValid() || Contrast(glyph, palette.color(QPalette::Window)) >= kVisibleContrast)
        return icon;
    QIcon readable;
    for (const QSize& size : sizes)
        readable.addPixmap(Recoloured(icon.pixmap(size), palette.color(QPalette::ButtonText)));
    return readable;
}

const char* const kStandardIconProperty = "twStandardIcon";

// Sets the icon again when what it depends on changes.
class IconKeeper : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::PaletteChange || type == QEvent::StyleChange ||
            type == QEvent::ThemeChange) {
            RuntimeDispatch([&] {
                auto* button = static_cast<QAbstractButton*>(watched);
                const QVariant which = button->property(kStandardIconProperty);
                if (which.isValid())
                    button->setIcon(ReadableIcon(*button, QStyle::StandardPixmap(which.toInt())));
            });
        }
        return false;
    }
};

}  // namespace

void SetReadableStandardIcon(QAbstractButton& button, QStyle::StandardPixmap which) {
    if (!button.property(kStandardIconProperty).isValid())
        button.installEventFilter(new IconKeeper(&button));
    button.setProperty(kStandardIconProperty, int(which));
    button.setIcon(ReadableIcon(button, which));
}
