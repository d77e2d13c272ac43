#pragma once

#include "Look.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace skingen {

inline const QColor kMagenta{0xFF, 0x00, 0xFF};

// Every picture is drawn at a zoom of 1 and of 2: the same art in the same
// logical coordinates, painted on twice as many pixels.
// A transparent canvas to draw art on before it is flattened: `size` logical
// pixels at that zoom (its device pixel ratio).
QImage Canvas(QSize size, int zoom);
// The logical rectangle of an image drawn at a zoom.
QRectF Area(const QImage& img);
// A painter with antialiasing on.
void Prepare(QPainter& p);

// `size` in device pixels.
QImage Solid(QSize size, QColor color);
QLinearGradient Vertical(double top, double bottom, const Profile& profile);
QColor Mix(QColor a, QColor b, double t);

// The rounded outline used by every gel body, aligned to pixel centres.
QPainterPath RoundedBox(const QRectF& r, double radius);
void PaintGel(QPainter& p, const QPainterPath& shape, const Gel& gel);
void PaintGel(QPainter& p, const QRectF& r, double radius, const Gel& gel);
// A round gel whose rim is a solid disc, so that a masked outline keeps no gaps.
void PaintOrb(QPainter& p, const QRectF& r, const Gel& gel);

// Opaque 24-bit result: the art over a backdrop of the same size.
QImage Flatten(const QImage& art, const QImage& backdrop);
QImage Flatten(const QImage& art, QColor backdrop);
// Masked result: what the art barely covers becomes the key colour, the rest is
// the art over the backdrop, nudged so that no drawn pixel equals the key.
QImage KeyOut(const QImage& art, const QImage& backdrop, QColor key);
QImage KeyOut(const QImage& art, QColor backdrop, QColor key);

// The profile's colour at 0 <= t <= 1.
QColor Sample(const Profile& profile, double t);
// A strip of the given profile running top to bottom, `size` logical pixels at that zoom.
QImage ProfileStrip(QSize size, const Profile& profile, int zoom);
// Straight-alpha copy of a premultiplied picture, in integer arithmetic: Qt's
// own conversion takes an approximate reciprocal whose last bit depends on the
// processor, and the committed pictures must come out the same everywhere.
QImage Unpremultiplied(const QImage& img);
// Quarter turns used to author horizontal pieces from vertical ones.
QImage TurnClockwise(const QImage& img);

} // namespace skingen
