#pragma once

#include "framework/TColor.h"

#include <QImage>
#include <string>

// A canvas-sized image filled with one colour.
inline QImage FilledImage(int width, int height, TColor color)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(ToQColor(color));
    return image;
}

inline TColor PixelAt(const QImage& image, int x, int y)
{
    return FromQRgb(image.pixel(x, y));
}

// One character per pixel, rows joined by '|': '#' for `ink`, '.' otherwise.
inline std::string Mask(const QImage& image, TColor ink)
{
    std::string out;
    for (int y = 0; y < image.height(); ++y) {
        if (y > 0)
            out += '|';
        for (int x = 0; x < image.width(); ++x)
            out += PixelAt(image, x, y) == ink ? '#' : '.';
    }
    return out;
}
