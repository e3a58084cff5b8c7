// contrast_probe IMAGE MIN NAME=X,Y,W,H...: for each area of the image, the contrast between the
// colour covering most of it and the pixel that stands out most from that colour (WCAG ratio,
// 1 to 21). Prints one line per area; exits 1 when any is below MIN, 2 on bad arguments.
#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

double Luminance(QRgb c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: contrast_probe IMAGE MIN NAME=X,Y,W,H...\n");
        return 2;
    }
    const QImage image =
        QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "contrast_probe: cannot read %s\n", argv[1]);
        return 2;
    }
    const double least = std::atof(argv[2]);
    int below = 0;
    for (int i = 3; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const QString name = arg.section('=', 0, 0);
        const QStringList n = arg.section('=', 1).split(',');
        const QRect area =
            n.size() == 4 ? QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()) : QRect();
        const QRect inside = area.intersected(image.rect());
        if (inside.isEmpty()) {
            std::fprintf(stderr, "contrast_probe: %s is outside the image\n", argv[i]);
            return 2;
        }
        std::map<QRgb, int> counts;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x) ++counts[image.pixel(x, y)];
        QRgb ground = counts.begin()->first, glyph = ground;
        for (const auto& [colour, count] : counts)
            if (count > counts[ground]) ground = colour;
        for (const auto& [colour, count] : counts)
            if (Contrast(colour, ground) > Contrast(glyph, ground)) glyph = colour;
        const double ratio = Contrast(glyph, ground);
        std::printf("%-22s #%06X on #%06X  %5.2f : 1\n", qPrintable(name), glyph & 0xFFFFFF,
                    ground & 0xFFFFFF, ratio);
        below += ratio < least;
    }
    return below ? 1 : 0;
}
