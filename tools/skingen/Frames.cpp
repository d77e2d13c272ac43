#include "Families.h"
#include "Painting.h"

namespace skingen {
namespace {

// Title buttons sit on the client section at the button's top offset.
QImage BandBehindButton(const Look& l, int zoom)
{
    const QImage band =
        TitleBand(l.title, QSize(l.size.titleButton.width(), l.size.titleClient.height()), zoom);
    return band.copy(0, l.titleButtonTop * zoom, l.size.titleButton.width() * zoom,
                     l.size.titleButton.height() * zoom);
}

void PaintSheen(QPainter& p, const QRectF& r, int alpha)
{
    QRadialGradient g(r.center(), r.width() / 2);
    g.setColorAt(0, QColor(255, 255, 255, alpha));
    g.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(r);
}

// The band's rounded top corner on one side; the window region clips outside it.
void RoundCorner(QPainter& p, const Look& l, QSize size, bool left)
{
    const double r = l.cornerRadius;
    const double x = left ? 0 : size.width() - 2 * r;
    QPainterPath outside;
    outside.addRect(QRectF(x, 0, 2 * r, 2 * r));
    QPainterPath inside;
    inside.addEllipse(QRectF(x, 0, 2 * r, 2 * r));
    QPainterPath half;
    half.addRect(QRectF(left ? 0 : size.width() - r, 0, r, r));
    p.setPen(Qt::NoPen);
    p.setBrush(l.title.bottomLine);
    p.drawPath(outside.subtracted(inside).intersected(half));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(l.title.topLine, 1));
    p.setClipPath(half);
    p.drawEllipse(QRectF(x + 0.5, 0.5, 2 * r - 1, 2 * r - 1));
    p.setClipping(false);
}

void PaintHatch(QPainter& p, QSize size, double fadeTo, QColor color)
{
    // Fine diagonal lines fading out toward the right.
    QLinearGradient fade(0, 0, fadeTo, 0);
    QColor on = color;
    QColor off = color;
    off.setAlpha(0);
    fade.setColorAt(0, on);
    fade.setColorAt(1, off);
    p.setPen(QPen(QBrush(fade), 1));
    for (int x = -size.height(); x < fadeTo; x += 4)
        p.drawLine(QPointF(x + 0.5, size.height() - 1.5), QPointF(x + size.height() - 2.5, 1.5));
}

void DecorateSide(QPainter& p, const Look& l, QSize size, bool left)
{
    const double w = size.width();
    const double h = size.height();
    switch (l.style) {
    case Style::Custom: // never drawn
    case Style::MacOS:
        break;
    case Style::WinXP: {
        // A lighter rim along the outer edge.
        QLinearGradient rim(0, 0, 0, h);
        rim.setColorAt(0, QColor(0x6A, 0xB0, 0xFF, 200));
        rim.setColorAt(1, QColor(0x6A, 0xB0, 0xFF, 0));
        p.fillRect(QRectF(left ? 0 : w - 1, 0, 1, h), rim);
        break;
    }
    case Style::DeepBlue: {
        PaintSheen(p, QRectF(left ? -w * 0.4 : w * 0.4, -h * 0.9, w, h * 1.6), 70);
        QPen pen(QColor(0x8F, 0xB2, 0xF5, 90), 1);
        p.setPen(pen);
        for (int i = 0; i < 4; ++i) {
            const double x = left ? 8 + i * 5 : w - 8 - i * 5;
            const double d = left ? h * 0.6 : -h * 0.6;
            p.drawLine(QPointF(x, h - 3), QPointF(x + d, 2));
        }
        break;
    }
    case Style::Protein:
        if (left) {
            PaintHatch(p, size, 300, QColor(255, 255, 255, 36));
            QLinearGradient accent(0, 0, 320, 0);
            accent.setColorAt(0, QColor(0x8E, 0x9D, 0xB8, 220));
            accent.setColorAt(1, QColor(0x8E, 0x9D, 0xB8, 0));
            p.fillRect(QRectF(0, h - 2, 320, 1), accent);
        }
        break;
    case Style::BlueGlass:
        PaintSheen(p, QRectF(left ? -w * 0.2 : w * 0.3, -h * 0.7, w * 0.9, h * 1.2), 90);
        break;
    }
    if (l.cornerRadius > 0)
        RoundCorner(p, l, size, left);
}

} // namespace

QImage TitleBand(const Band& band, QSize size, int zoom)
{
    QImage img = ProfileStrip(size, band.body, zoom).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    if (band.pinstripe) {
        for (int y = 1; y < size.height() - 1; y += 2)
            p.fillRect(0, y, size.width(), 1, QColor(255, 255, 255, 70));
    }
    if (band.shine.isValid()) {
        QColor clear = band.shine;
        clear.setAlpha(0);
        p.fillRect(QRectF(0, 1, size.width(), size.height() * 0.45),
                   Vertical(1, 1 + size.height() * 0.45, {{0, band.shine}, {1, clear}}));
    }
    if (band.topLine.isValid())
        p.fillRect(0, 0, size.width(), 1, band.topLine);
    if (band.bottomLine.isValid())
        p.fillRect(0, size.height() - 1, size.width(), 1, band.bottomLine);
    p.end();
    return img.convertToFormat(QImage::Format_RGB888);
}

QImage DrawTitle(const Look& l, TitlePart part, int zoom)
{
    const QSize size = part == TitlePart::Left    ? l.size.titleLeft
                       : part == TitlePart::Right ? l.size.titleRight
                                                  : l.size.titleClient;
    QImage img = TitleBand(l.title, size, zoom).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // The client section is stretched, so it stays uniform from side to side.
    if (part != TitlePart::Client && size.width() > 1) {
        QPainter p(&img);
        Prepare(p);
        DecorateSide(p, l, size, part == TitlePart::Left);
    }
    return img.convertToFormat(QImage::Format_RGB888);
}

QImage DrawTitleButton(const Look& l, Glyph g, State s, int zoom)
{
    const QSize size = l.size.titleButton;
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    const std::array<Gel, 3>& gels = g == Glyph::Close ? l.closeButton : l.titleButton;
    const Gel& gel = gels[s == State::Hover ? 1 : s == State::Down ? 2 : 0];
    const QRectF body = Area(art);
    if (l.titleButtonShape == ButtonShape::Orb)
        PaintOrb(p, body, gel);
    else
        PaintGel(p, body, l.style == Style::WinXP ? 3 : 2.5, gel);
    const double inset = size.width() * 0.29;
    QRectF glyphBox = body.adjusted(inset, inset, -inset, -inset);
    if (s == State::Down)
        glyphBox.translate(0.5, 0.5);
    const QColor color = l.titleGlyph[s == State::Hover ? 1 : s == State::Down ? 2 : 0];
    PaintGlyph(p, g, glyphBox, color, size.width() >= 21 ? 2.6 : 2.0);
    p.end();
    if (l.titleButtonsKeyed)
        return KeyOut(art, BandBehindButton(l, zoom), kMagenta);
    return Flatten(art, BandBehindButton(l, zoom));
}

} // namespace skingen
