#include "Glyphs.h"

#include <QPainterPath>

namespace skingen {
namespace {

QPen Stroke(QColor color, double weight, Qt::PenCapStyle cap = Qt::SquareCap)
{
    return QPen(color, weight, Qt::SolidLine, cap, Qt::MiterJoin);
}

void PaintWindowBox(QPainter& p, const QRectF& r, QColor color, double weight)
{
    // A window outline whose title edge is heavier than the rest.
    p.setPen(Stroke(color, 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.fillRect(QRectF(r.left(), r.top(), r.width(), std::max(2.0, weight)), color);
}

} // namespace

void PaintGlyph(QPainter& p, Glyph glyph, const QRectF& box, QColor color, double weight)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    const QRectF b = box;
    switch (glyph) {
    case Glyph::Close: {
        p.setPen(Stroke(color, weight, Qt::FlatCap));
        const double inset = weight * 0.35;
        const QRectF r = b.adjusted(inset, inset, -inset, -inset);
        p.drawLine(r.topLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomLeft());
        break;
    }
    case Glyph::Min: {
        const double h = std::max(2.0, weight);
        p.fillRect(QRectF(b.left(), b.bottom() - h, b.width() * 0.8, h), color);
        break;
    }
    case Glyph::Max:
        PaintWindowBox(p, b.toAlignedRect(), color, weight);
        break;
    case Glyph::Restore: {
        const QRect r = b.toAlignedRect();
        const int s = static_cast<int>(r.width() * 0.7 + 0.5);
        const QRect back(r.right() - s + 1, r.top(), s, s);
        const QRect front(r.left(), r.bottom() - s + 1, s, s);
        p.save();
        p.setClipRegion(QRegion(r).subtracted(QRegion(front)));
        PaintWindowBox(p, back, color, weight * 0.75);
        p.restore();
        PaintWindowBox(p, front, color, weight * 0.75);
        break;
    }
    case Glyph::Help: {
        p.setPen(Stroke(color, weight * 0.8, Qt::FlatCap));
        const double w = b.width();
        const double h = b.height();
        QPainterPath q;
        const QRectF bowl(b.left() + w * 0.18, b.top() + h * 0.02, w * 0.64, h * 0.46);
        q.arcMoveTo(bowl, 160);
        q.arcTo(bowl, 160, -250);
        q.lineTo(b.left() + w * 0.5, b.top() + h * 0.66);
        p.drawPath(q);
        const double dot = std::max(1.6, weight * 0.9);
        p.fillRect(QRectF(b.left() + w * 0.5 - dot / 2, b.bottom() - dot, dot, dot), color);
        break;
    }
    case Glyph::ControlBox:
        // The system menu shows the product's mark.
        PaintMosaicMark(p, b.adjusted(-1, -1, 1, 1), 1);
        break;
    }
    p.restore();
}

void PaintTick(QPainter& p, const QRectF& box, QColor color, double weight)
{
    p.save();
    p.setPen(QPen(color, weight, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath path;
    path.moveTo(box.left(), box.top() + box.height() * 0.52);
    path.lineTo(box.left() + box.width() * 0.38, box.bottom() - weight * 0.5);
    path.lineTo(box.right(), box.top() + weight * 0.3);
    p.drawPath(path);
    p.restore();
}

void PaintArrow(QPainter& p, const QRectF& box, Direction dir, QColor color)
{
    const QPointF c = box.center();
    const double half = std::min(box.width(), box.height()) / 2.0;
    const double a = half;        // half the base
    const double d = half * 0.55; // half the depth
    QPolygonF tri;
    switch (dir) {
    case Direction::Up:
        tri << QPointF(c.x() - a, c.y() + d) << QPointF(c.x() + a, c.y() + d) << QPointF(c.x(), c.y() - d);
        break;
    case Direction::Down:
        tri << QPointF(c.x() - a, c.y() - d) << QPointF(c.x() + a, c.y() - d) << QPointF(c.x(), c.y() + d);
        break;
    case Direction::Left:
        tri << QPointF(c.x() + d, c.y() - a) << QPointF(c.x() + d, c.y() + a) << QPointF(c.x() - d, c.y());
        break;
    case Direction::Right:
        tri << QPointF(c.x() - d, c.y() - a) << QPointF(c.x() - d, c.y() + a) << QPointF(c.x() + d, c.y());
        break;
    }
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawPolygon(tri);
    p.restore();
}

void PaintMosaicMark(QPainter& p, const QRectF& box, double gap)
{
    // Four tiles of the product's colours: two triangles and two squares.
    const QColor colors[4] = {QColor(0x2F, 0x8F, 0xE8), QColor(0xF2, 0xA2, 0x2C), QColor(0x3C, 0xB8, 0x78),
                              QColor(0xE0, 0x4A, 0x3C)};
    const double w = (box.width() - gap) / 2;
    const double h = (box.height() - gap) / 2;
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 4; ++i) {
        const QRectF t(box.left() + (i % 2) * (w + gap), box.top() + (i / 2) * (h + gap), w, h);
        QLinearGradient g(t.topLeft(), t.bottomRight());
        g.setColorAt(0, colors[i].lighter(135));
        g.setColorAt(1, colors[i]);
        p.setBrush(g);
        if (i == 1 || i == 2) {
            p.drawRect(t);
        } else {
            QPolygonF tri;
            if (i == 0)
                tri << t.topRight() << t.bottomRight() << t.bottomLeft();
            else
                tri << t.topLeft() << t.topRight() << t.bottomLeft();
            p.drawPolygon(tri);
        }
    }
    p.restore();
}

} // namespace skingen
