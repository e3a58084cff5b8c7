#pragma once
// Contrast of what is painted, as WCAG measures it: the relative luminance of an sRGB colour, the
// ratio of two colours (1 to 21), and an area's ground against the pixel that stands out from it.
// Header only: the end-to-end probe builds from its own source and Qt alone.
#include <QImage>
#include <QRect>
#include <QRgb>

#include <algorithm>
#include <cmath>
#include <map>

// 0 (black) to 1 (white).
inline double Luminance(QRgb c) {
    auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

inline double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Painted {
    QRgb background = 0;  // the colour covering most of the area (the first of equals)
    QRgb standout = 0;    // the pixel that stands out most from it
    double contrast = 1;  // between the two
};

// Over the part of `area` inside `image`, alpha ignored; an empty part gives colour 0, contrast 1.
inline Painted Measure(const QImage& image, const QRect& area) {
    std::map<QRgb, int> counts;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y) | 0xFF000000];
    Painted painted;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most) most = count, painted.background = painted.standout = colour;
    for (const auto& [colour, count] : counts) {
        const double contrast = Contrast(colour, painted.background);
        if (contrast > painted.contrast) painted.contrast = contrast, painted.standout = colour;
    }
    return painted;
}
