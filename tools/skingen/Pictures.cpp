#include "Families.h"
#include "Painting.h"

#include <QFont>

#include <cmath>
#include <cstdint>

namespace skingen {
namespace {

// Deterministic noise, so that every run draws the same pictures.
class Noise
{
public:
    explicit Noise(uint32_t seed) : state_(seed * 2654435761u + 1) {}
    double Next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return (state_ >> 8) / double(1u << 24);
    }

private:
    uint32_t state_;
};

// A field of triangles shaded from a colour ramp, as if lit from the top left.
// Drawn in display units; the caller's transform maps them onto the bitmap.
void PaintMosaic(QPainter& p, const QRectF& area, double side, const Profile& ramp, uint32_t seed)
{
    Noise noise(seed);
    const double h = side * std::sqrt(3.0) / 2;
    const int rows = static_cast<int>(area.height() / h) + 2;
    const int cols = static_cast<int>(area.width() / (side / 2)) + 3;
    p.save();
    p.setPen(Qt::NoPen);
    for (int r = -1; r < rows; ++r) {
        for (int c = -2; c < cols; ++c) {
            const bool up = (r + c) % 2 == 0;
            const double x = area.left() + c * side / 2;
            const double y = area.top() + r * h;
            QPolygonF tri;
            if (up)
                tri << QPointF(x, y + h) << QPointF(x + side, y + h) << QPointF(x + side / 2, y);
            else
                tri << QPointF(x, y) << QPointF(x + side, y) << QPointF(x + side / 2, y + h);
            const QPointF centre = tri.boundingRect().center();
            // The ramp runs along the diagonal, with some jitter per tile.
            double t = ((centre.x() - area.left()) / area.width() * 0.55 +
                        (centre.y() - area.top()) / area.height() * 0.45);
            t = std::clamp(t + (noise.Next() - 0.5) * 0.22, 0.0, 1.0);
            QColor base = Sample(ramp, t);
            const double light = (up ? 1.08 : 0.9) + (noise.Next() - 0.5) * 0.12;
            base = QColor::fromHsvF(base.hsvHueF() < 0 ? 0 : base.hsvHueF(), base.hsvSaturationF(),
                                    std::clamp(base.valueF() * light, 0.0, 1.0));
            QLinearGradient g(tri.boundingRect().topLeft(), tri.boundingRect().bottomRight());
            g.setColorAt(0, base.lighter(112));
            g.setColorAt(1, base.darker(108));
            p.setBrush(g);
            p.drawPolygon(tri);
        }
    }
    // Grout lines between the tiles.
    p.setPen(QPen(QColor(255, 255, 255, 46), side * 0.035));
    for (int r = 0; r <= rows; ++r)
        p.drawLine(QPointF(area.left(), area.top() + r * h), QPointF(area.right(), area.top() + r * h));
    for (int c = -rows - 2; c < cols; ++c) {
        const double x = area.left() + c * side / 2;
        if (c % 2 == 0) {
            p.drawLine(QPointF(x, area.top() - h),
                       QPointF(x + (rows + 2) * side / 2, area.top() + (rows + 1) * h));
            p.drawLine(QPointF(x + (rows + 2) * side / 2, area.top() - h),
                       QPointF(x, area.top() + (rows + 1) * h));
        }
    }
    p.restore();
}

void PaintVignette(QPainter& p, const QRectF& area, int alpha)
{
    QRadialGradient g(area.center(), std::hypot(area.width(), area.height()) / 2);
    g.setColorAt(0.55, QColor(0, 0, 0, 0));
    g.setColorAt(1, QColor(0, 0, 0, alpha));
    p.fillRect(area, g);
}

void PaintGlow(QPainter& p, const QPointF& centre, double radius, QColor color)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0, color);
    color.setAlpha(0);
    g.setColorAt(1, color);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

QPainterPath TextPath(const QString& text, double pixelSize, int weight, const QPointF& centre)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(static_cast<int>(pixelSize));
    font.setWeight(QFont::Weight(weight));
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF b = path.boundingRect();
    return path.translated(centre - b.center());
}

const Profile kMainRamp{{0, QColor(0x10, 0x2A, 0x5C)},
                        {0.35, QColor(0x1F, 0x6F, 0xB8)},
                        {0.6, QColor(0x2A, 0xA0, 0xA8)},
                        {0.82, QColor(0xE8, 0xA2, 0x3A)},
                        {1, QColor(0xD0, 0x4A, 0x30)}};

void PaintLock(QPainter& p, const QRectF& r)
{
    QPen shackle(QColor(0xE8, 0xEC, 0xF2), r.width() * 0.13, Qt::SolidLine, Qt::FlatCap);
    p.setPen(shackle);
    p.setBrush(Qt::NoBrush);
    const QRectF loop(r.left() + r.width() * 0.22, r.top(), r.width() * 0.56, r.height() * 0.6);
    QPainterPath arc;
    arc.moveTo(loop.left(), loop.center().y() + r.height() * 0.12);
    arc.arcTo(loop, 180, -180);
    arc.lineTo(loop.right(), loop.center().y() + r.height() * 0.12);
    p.drawPath(arc);
    const QRectF body(r.left(), r.top() + r.height() * 0.42, r.width(), r.height() * 0.58);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, QColor(0xFF, 0xD0, 0x6A));
    g.setColorAt(1, QColor(0xC8, 0x7A, 0x1A));
    p.setPen(QPen(QColor(0x5A, 0x34, 0x08), 1));
    p.setBrush(g);
    p.drawRoundedRect(body, r.width() * 0.1, r.width() * 0.1);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3A, 0x22, 0x06));
    p.drawEllipse(QPointF(body.center().x(), body.center().y() - body.height() * 0.08), r.width() * 0.09,
                  r.width() * 0.09);
    p.drawRect(QRectF(body.center().x() - r.width() * 0.035, body.center().y(), r.width() * 0.07,
                      body.height() * 0.25));
}

void PaintKey(QPainter& p, const QRectF& r)
{
    p.save();
    p.translate(r.center());
    p.rotate(-40);
    const double s = r.width();
    QLinearGradient g(-s / 2, 0, s / 2, 0);
    g.setColorAt(0, QColor(0xFF, 0xDA, 0x7A));
    g.setColorAt(1, QColor(0xC8, 0x80, 0x20));
    p.setPen(QPen(QColor(0x5A, 0x34, 0x08), 1));
    p.setBrush(g);
    QPainterPath key;
    key.addEllipse(QPointF(-s * 0.3, 0), s * 0.2, s * 0.2);
    key.addRect(QRectF(-s * 0.12, -s * 0.05, s * 0.6, s * 0.1));
    key.addRect(QRectF(s * 0.3, s * 0.04, s * 0.07, s * 0.12));
    key.addRect(QRectF(s * 0.4, s * 0.04, s * 0.07, s * 0.09));
    key = key.simplified();
    QPainterPath hole;
    hole.addEllipse(QPointF(-s * 0.34, 0), s * 0.07, s * 0.07);
    p.drawPath(key.subtracted(hole));
    p.restore();
}

// Draws in display units of `display` onto a bitmap of `size`, so that the
// picture looks right once the window stretches it to its control.
QImage Picture(QSize size, QSizeF display, int zoom,
               const std::function<void(QPainter&, const QRectF&)>& paint)
{
    QImage img(size * zoom, QImage::Format_RGB32);
    img.fill(Qt::black);
    QPainter p(&img);
    Prepare(p);
    p.scale(img.width() / display.width(), img.height() / display.height());
    paint(p, QRectF(QPointF(0, 0), display));
    p.end();
    return img;
}

// The main window's title: the Protein graphite band with the product's mark.
QImage MainBand(QSize size, int zoom)
{
    return TitleBand(LookOf(Style::Protein).title, size, zoom);
}

} // namespace

QImage DrawMainPicture(int zoom)
{
    return Picture(QSize(800, 600), QSizeF(337, 309), zoom, [](QPainter& p, const QRectF& a) {
        PaintMosaic(p, a, 30, kMainRamp, 7);
        PaintGlow(p, QPointF(a.width() * 0.28, a.height() * 0.22), a.width() * 0.5,
                  QColor(255, 255, 255, 70));
        PaintVignette(p, a, 150);
        // A darkened band carries the name.
        const QRectF band(0, a.height() * 0.58, a.width(), a.height() * 0.24);
        QLinearGradient shade(band.topLeft(), band.bottomLeft());
        shade.setColorAt(0, QColor(6, 14, 30, 0));
        shade.setColorAt(0.25, QColor(6, 14, 30, 150));
        shade.setColorAt(0.75, QColor(6, 14, 30, 150));
        shade.setColorAt(1, QColor(6, 14, 30, 0));
        p.fillRect(band, shade);
        const QPointF centre(a.width() / 2, band.center().y() - 4);
        const QPainterPath name = TextPath("Tessel", 52, 700, centre);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 110));
        p.drawPath(name.translated(1.5, 2));
        QLinearGradient fill(0, name.boundingRect().top(), 0, name.boundingRect().bottom());
        fill.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
        fill.setColorAt(1, QColor(0xC8, 0xDC, 0xF4));
        p.setBrush(fill);
        p.drawPath(name);
        const QRectF nb = name.boundingRect();
        p.setBrush(QColor(0xF2, 0xB8, 0x5A));
        p.drawPath(TextPath("V1.2", 13, 600, QPointF(nb.right() - 14, nb.bottom() + 12)));
        PaintMosaicMark(p, QRectF(nb.left() - 30, nb.center().y() - 12, 24, 24), 2);
    });
}

QImage DrawSidePicture(QSize size, Emblem emblem, int seed, int zoom)
{
    // Each small picture is shown at a size of its own window's control.
    const QSizeF display = emblem == Emblem::Lock  ? QSizeF(97, 121)
                           : emblem == Emblem::Key ? QSizeF(105, 153)
                                                   : QSizeF(size);
    return Picture(size, display, zoom, [emblem, seed](QPainter& p, const QRectF& a) {
        PaintMosaic(p, a, 16, kMainRamp, static_cast<uint32_t>(seed));
        PaintVignette(p, a, 120);
        const double s = std::min(a.width(), a.height()) * 0.42;
        const QRectF box(a.center().x() - s / 2, a.height() * 0.42 - s / 2, s, s);
        PaintGlow(p, box.center(), s * 0.95, QColor(255, 255, 255, 110));
        switch (emblem) {
        case Emblem::Lock:
            PaintLock(p, box.adjusted(s * 0.12, 0, -s * 0.12, 0));
            break;
        case Emblem::Key:
            PaintKey(p, box);
            break;
        case Emblem::Mark:
            PaintMosaicMark(p, box, 2);
            break;
        }
        const QPainterPath name =
            TextPath("Tessel", a.width() * 0.2, 700, QPointF(a.center().x(), a.height() * 0.82));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawPath(name.translated(0.8, 1));
        p.setBrush(Qt::white);
        p.drawPath(name);
    });
}

QImage DrawMainTitle(TitlePart part, int zoom)
{
    const QSize size = part == TitlePart::Left    ? QSize(137, 23)
                       : part == TitlePart::Right ? QSize(129, 23)
                                                  : QSize(279, 23);
    QImage img = MainBand(size, zoom).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (part != TitlePart::Client) {
        QPainter p(&img);
        Prepare(p);
        const bool left = part == TitlePart::Left;
        // A faint mosaic trail toward the outer edge.
        p.save();
        QLinearGradient fade(left ? 0 : size.width(), 0, left ? size.width() : 0, 0);
        fade.setColorAt(0, QColor(0, 0, 0, 255));
        fade.setColorAt(1, QColor(0, 0, 0, 0));
        QImage trail = Canvas(size, zoom);
        {
            QPainter t(&trail);
            Prepare(t);
            t.setOpacity(0.22);
            PaintMosaic(t, QRectF(0, 1, size.width(), size.height() - 2), 9, kMainRamp, left ? 3 : 5);
            t.setOpacity(1);
            t.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            t.fillRect(Area(trail), fade);
        }
        p.drawImage(0, 0, trail);
        p.restore();
        if (left)
            PaintMosaicMark(p, QRectF(5, 4, 15, 15), 1);
        p.fillRect(QRectF(0, size.height() - 1, size.width(), 1), Qt::black);
    }
    return img.convertToFormat(QImage::Format_RGB888);
}

QImage DrawMainTitleButton(Glyph g, State s, int zoom)
{
    const QSize size(19, 19);
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    const Look& protein = LookOf(Style::Protein);
    Gel gel = protein.titleButton[s == State::Hover ? 1 : s == State::Down ? 2 : 0];
    QColor glyph = protein.titleGlyph[s == State::Hover ? 1 : s == State::Down ? 2 : 0];
    if (g == Glyph::Close && s == State::Hover)
        glyph = QColor(0xC4, 0x30, 0x2D);
    PaintGel(p, Area(art), 2.5, gel);
    QRectF box = Area(art).adjusted(5.5, 5.5, -5.5, -5.5);
    if (s == State::Down)
        box.translate(0.5, 0.5);
    PaintGlyph(p, g, box, glyph, 2.0);
    p.end();
    const QImage band = MainBand(QSize(19, 23), zoom).copy(0, 2 * zoom, 19 * zoom, 19 * zoom);
    const QImage keyed = KeyOut(art, band, kMagenta);
    // Sixteen colours, as the window's own button pictures are.
    const QList<QRgb> palette{0xFF00FF, 0x000000, 0x1E1E1E, 0x33363B, 0x5A5E64, 0x8A8E94, 0xBEC2C7, 0xD8DCE0,
                              0xE8E8E8, 0xF4F4F4, 0xFFFFFF, 0x2D30C4, 0x8E9DB8, 0xC4302D, 0xE89A90, 0x44484E};
    QList<QRgb> table;
    for (QRgb c : palette)
        table << (0xFF000000u | c);
    return keyed.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

} // namespace skingen
