// contrast_probe IMAGE MIN NAME=X,Y,W,H...: for each area of the image, the contrast between the
// colour covering most of it and the pixel that stands out most from that colour (WCAG ratio,
// 1 to 21). Prints one line per area; exits 1 when any is below MIN, 2 on bad arguments.
#include <QImage>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

#include "tests/support/contrast.h"

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
        const Painted painted = Measure(image, inside);
        const double ratio = painted.contrast;
        std::printf("%-22s #%06X on #%06X  %5.2f : 1\n", qPrintable(name),
                    painted.standout & 0xFFFFFF, painted.background & 0xFFFFFF, ratio);
        below += ratio < least;
    }
    return below ? 1 : 0;
}
