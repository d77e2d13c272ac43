#pragma once

#include "framework/TColor.h"
#include "tests/support/PixelHelpers.h"

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QWidget>
#include <set>
#include <utility>

using PixelSet = std::set<std::pair<int, int>>;

// Every pixel of `color` inside the columns [left, right) of the image.
inline PixelSet PixelsOf(const QImage& image, TColor color, int left = 0, int right = -1)
{
    if (right < 0)
        right = image.width();
    PixelSet out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = left; x < right; ++x)
            if (PixelAt(image, x, y) == color)
                out.insert({x, y});
    return out;
}

inline PixelSet Shifted(const PixelSet& pixels, int dx, int dy)
{
    PixelSet out;
    for (const auto& [x, y] : pixels)
        out.insert({x + dx, y + dy});
    return out;
}

inline std::set<int> Rows(const PixelSet& pixels)
{
    std::set<int> out;
    for (const auto& p : pixels)
        out.insert(p.second);
    return out;
}

inline void SendEnter(QWidget& widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(&widget, &event);
}

inline void SendLeave(QWidget& widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}
