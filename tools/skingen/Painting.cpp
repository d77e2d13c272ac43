#include "Painting.h"

#include <QTransform>

#include <algorithm>

namespace skingen {

QImage Canvas(QSize size, int zoom)
{
    QImage img(size * zoom, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(zoom);
    img.fill(Qt::transparent);
    return img;
}

QImage Unpremultiplied(const QImage& img)
{
    if (img.format() != QImage::Format_ARGB32_Premultiplied)
        return img.convertToFormat(QImage::Format_ARGB32);
    QImage out(img.size(), QImage::Format_ARGB32);
    out.setDevicePixelRatio(img.devicePixelRatio());
    for (int y = 0; y < img.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            to[x] = qUnpremultiply(from[x]);
    }
    return out;
}

QRectF Area(const QImage& img)
{
    return QRectF(QPointF(0, 0), img.deviceIndependentSize());
}

void Prepare(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

QImage Solid(QSize size, QColor color)
{
    QImage img(size, QImage::Format_RGB888);
    img.fill(color);
    return img;
}

QLinearGradient Vertical(double top, double bottom, const Profile& profile)
{
    QLinearGradient g(0, top, 0, bottom);
    for (const Stop& s : profile)
        g.setColorAt(s.at, s.color);
    return g;
}

QColor Mix(QColor a, QColor b, double t)
{
    auto lerp = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(lerp(a.red(), b.red()), lerp(a.green(), b.green()), lerp(a.blue(), b.blue()),
                  lerp(a.alpha(), b.alpha()));
}

QPainterPath RoundedBox(const QRectF& r, double radius)
{
    QPainterPath path;
    const QRectF box = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (radius <= 0)
        path.addRect(box);
    else
        path.addRoundedRect(box, radius, radius);
    return path;
}

void PaintGel(QPainter& p, const QPainterPath& shape, const Gel& gel)
{
    const QRectF r = shape.boundingRect();
    p.save();
    p.setPen(Qt::NoPen);
    if (gel.split) {
        // Glass: the upper half is lighter and ends in a visible break.
        const QColor upperEnd = Mix(gel.top, gel.bottom, 0.45);
        const QColor lowerStart = Mix(gel.bottom, QColor(0, 0, 0), 0.12);
        p.setBrush(Vertical(r.top(), r.bottom(),
                            {{0, gel.top}, {0.48, upperEnd}, {0.5, lowerStart}, {1, gel.bottom}}));
    } else {
        p.setBrush(Vertical(r.top(), r.bottom(), {{0, gel.top}, {1, gel.bottom}}));
    }
    p.drawPath(shape);
    if (gel.shine.isValid()) {
        QColor clear = gel.shine;
        clear.setAlpha(0);
        p.setClipPath(shape);
        const QRectF upper(r.left() + 1, r.top() + 0.5, r.width() - 2, r.height() * 0.5);
        p.setBrush(Vertical(upper.top(), upper.bottom(), {{0, gel.shine}, {1, clear}}));
        p.drawRoundedRect(upper, upper.height() * 0.4, upper.height() * 0.4);
        p.setClipping(false);
    }
    p.setBrush(Qt::NoBrush);
    if (gel.inner.isValid()) {
        p.setClipPath(shape);
        p.setPen(QPen(gel.inner, 2.0 * gel.innerWidth));
        p.drawPath(shape);
        p.setClipping(false);
    }
    p.setPen(QPen(gel.border, 1.0));
    p.drawPath(shape);
    p.restore();
}

void PaintGel(QPainter& p, const QRectF& r, double radius, const Gel& gel)
{
    PaintGel(p, RoundedBox(r, radius), gel);
}

void PaintOrb(QPainter& p, const QRectF& r, const Gel& gel)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(gel.border);
    p.drawEllipse(r);
    p.restore();
    Gel inside = gel;
    inside.border = Qt::transparent;
    QPainterPath disc;
    disc.addEllipse(r.adjusted(1, 1, -1, -1));
    PaintGel(p, disc, inside);
}

QImage Flatten(const QImage& art, const QImage& backdrop)
{
    QImage out = backdrop.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(art.devicePixelRatio());
    {
        QPainter p(&out);
        p.drawImage(0, 0, art);
    }
    return out.convertToFormat(QImage::Format_RGB888);
}

QImage Flatten(const QImage& art, QColor backdrop)
{
    return Flatten(art, Solid(art.size(), backdrop));
}

QImage KeyOut(const QImage& art, const QImage& backdrop, QColor key)
{
    const QImage over = Flatten(art, backdrop).convertToFormat(QImage::Format_RGB32);
    const QImage src = art.convertToFormat(QImage::Format_ARGB32);
    QImage out(art.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(art.devicePixelRatio());
    const QRgb keyRgb = key.rgb();
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            QRgb c = over.pixel(x, y);
            if (qAlpha(src.pixel(x, y)) < 110)
                c = keyRgb;
            else if ((c & 0xFFFFFF) == (keyRgb & 0xFFFFFF))
                c = qRgb(qRed(c) ^ 1, qGreen(c), qBlue(c));
            out.setPixel(x, y, c);
        }
    }
    return out.convertToFormat(QImage::Format_RGB888);
}

QImage KeyOut(const QImage& art, QColor backdrop, QColor key)
{
    return KeyOut(art, Solid(art.size(), backdrop), key);
}

QColor Sample(const Profile& profile, double t)
{
    if (t <= profile.front().at)
        return profile.front().color;
    for (size_t i = 1; i < profile.size(); ++i) {
        const Stop& a = profile[i - 1];
        const Stop& b = profile[i];
        if (t <= b.at)
            return Mix(a.color, b.color, b.at > a.at ? (t - a.at) / (b.at - a.at) : 1.0);
    }
    return profile.back().color;
}

QImage ProfileStrip(QSize size, const Profile& profile, int zoom)
{
    // Row by row, so that the first and last stops land exactly on the edge
    // rows; at a zoom each device row samples its own place between them.
    QImage img(size * zoom, QImage::Format_RGB888);
    img.setDevicePixelRatio(zoom);
    const int rows = img.height();
    const int last = size.height() * zoom - zoom; // the top device row of the last logical row
    for (int y = 0; y < rows; ++y) {
        const double t = last > 0 ? std::clamp(double(y) / last, 0.0, 1.0) : 0.5;
        const QColor c = Sample(profile, t);
        for (int x = 0; x < img.width(); ++x)
            img.setPixelColor(x, y, c);
    }
    return img;
}

QImage TurnClockwise(const QImage& img)
{
    return img.transformed(QTransform().rotate(90));
}

} // namespace skingen
