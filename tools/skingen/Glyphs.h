#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace skingen {

enum class Glyph
{
    Close,
    Max,
    Min,
    Restore,
    Help,
    ControlBox
};
enum class Direction
{
    Up,
    Down,
    Left,
    Right
};

// Caption button symbols, drawn as strokes inside the box.
void PaintGlyph(QPainter& p, Glyph glyph, const QRectF& box, QColor color, double weight);
// A tick whose strokes run from the left middle to the bottom and up to the top right.
void PaintTick(QPainter& p, const QRectF& box, QColor color, double weight);
// A solid triangle pointing in the direction, centred in the box.
void PaintArrow(QPainter& p, const QRectF& box, Direction dir, QColor color);
// A small emblem of four tiles; the application's mark.
void PaintMosaicMark(QPainter& p, const QRectF& box, double gap);

} // namespace skingen
