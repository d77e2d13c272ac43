#include "Families.h"
#include "Painting.h"

namespace skingen {

QImage DrawMenuChecked(int zoom)
{
    // Added to the menu's image list masked with white, so white is the outside.
    QImage art = Canvas(QSize(16, 16), zoom);
    QPainter p(&art);
    Prepare(p);
    PaintTick(p, QRectF(4, 4.5, 8.5, 7), QColor(0x1A, 0x1A, 0x1A), 2.2);
    p.end();
    return KeyOut(art, QColor(0xB0, 0xB0, 0xB0), Qt::white);
}

QImage DrawFormTile(Style style, int zoom)
{
    // An 8x8 brush tile: any pattern must repeat without seams, so it stays
    // subtle. At a zoom the lines keep their logical place and width but run
    // on device pixels, so diagonals step by one device pixel.
    const int side = 8 * zoom;
    QImage img(side, side, QImage::Format_RGB888);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            QColor c;
            if (style == Style::MacOS) {
                // Aqua pinstripes; at a zoom the last device row of each
                // stripe softens toward the next one.
                auto stripe = [](int row) {
                    if (row % 4 == 3)
                        return QColor(0xE1, 0xE1, 0xE1);
                    return row % 2 ? QColor(0xE4, 0xE4, 0xE4) : QColor(0xEE, 0xEE, 0xEE);
                };
                const int row = y / zoom;
                c = stripe(row);
                if (zoom > 1 && y % zoom == zoom - 1)
                    c = Mix(c, stripe((row + 1) % 8), 0.5);
            } else {
                // A faint woven diagonal on the clean Protein face.
                const int rising = (x + y) % side;
                const int falling = (x - y + side) % side;
                c = QColor(0xFB, 0xFB, 0xFB);
                if (rising < zoom)
                    c = QColor(0xF2, 0xF2, 0xF3);
                else if (rising < 2 * zoom)
                    c = QColor(0xF7, 0xF7, 0xF8);
                else if (falling >= 4 * zoom && falling < 5 * zoom)
                    c = QColor(0xF8, 0xF8, 0xF9);
            }
            img.setPixelColor(x, y, c);
        }
    }
    return img;
}

QImage DrawMacMenuBar(int zoom)
{
    return ProfileStrip(QSize(1, 22),
                        {{0, QColor(0xFF, 0xFF, 0xFF)},
                         {0.5, QColor(0xF2, 0xF2, 0xF2)},
                         {0.9, QColor(0xDC, 0xDC, 0xDC)},
                         {0.95, QColor(0xC8, 0xC8, 0xC8)},
                         {1, QColor(0x8E, 0x8E, 0x8E)}},
                        zoom);
}

QImage DrawMacMenuSelect(int zoom)
{
    return ProfileStrip(QSize(1, 21),
                        {{0, QColor(0x9C, 0xC6, 0xF8)},
                         {0.08, QColor(0x6C, 0xA6, 0xF0)},
                         {0.5, QColor(0x3E, 0x82, 0xE2)},
                         {1, QColor(0x27, 0x62, 0xC6)}},
                        zoom);
}

QImage DrawMacComboButton(int zoom)
{
    const QSize size(16, 17);
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    const Look& mac = LookOf(Style::MacOS);
    QPainterPath body;
    body.addRoundedRect(QRectF(-6.5, 0.5, size.width() + 6, size.height() - 1), 6, 6);
    PaintGel(p, body, mac.button[1]);
    p.end();
    return Flatten(art, mac.face);
}

QImage DrawSideChannelBar(bool hot, int zoom)
{
    const QSize size(8, 172);
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    const QColor light = hot ? QColor(0xE4, 0xEE, 0xFC) : QColor(0xF6, 0xF6, 0xF6);
    const QColor dark = hot ? QColor(0x7A, 0xA2, 0xDE) : QColor(0xB8, 0xBB, 0xC0);
    QLinearGradient across(0, 0, size.width(), 0);
    across.setColorAt(0, light);
    across.setColorAt(1, dark);
    p.fillRect(Area(art), across);
    p.fillRect(QRectF(size.width() - 1, 0, 1, size.height()),
               hot ? QColor(0x3A, 0x64, 0xB0) : QColor(0x6A, 0x6E, 0x74));
    p.fillRect(QRectF(0, 0, 1, size.height()), Qt::white);
    // A grip of raised dots around a small arrow pointing to where the panel opens.
    const double mid = size.height() / 2.0;
    for (int i = -5; i <= 5; ++i) {
        if (std::abs(i) < 2)
            continue;
        const double y = mid + i * 4;
        p.fillRect(QRectF(3, y, 2, 2), QColor(255, 255, 255));
        p.fillRect(QRectF(3, y, 1, 1), hot ? QColor(0x2A, 0x52, 0xA0) : QColor(0x5A, 0x5E, 0x64));
    }
    PaintArrow(p, QRectF(1.5, mid - 3, 5, 6), Direction::Right,
               hot ? QColor(0x1E, 0x3C, 0x8C) : QColor(0x3A, 0x3D, 0x42));
    p.end();
    return Flatten(art, QColor(0xE8, 0xE8, 0xE8));
}

QImage DrawSideChannelPin(bool onTop, int zoom)
{
    // Glyph of a flat speed button, keyed by magenta in every corner.
    const QSize size(12, 12);
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    if (!onTop) {
        p.translate(6, 6);
        p.rotate(90);
        p.translate(-6, -6);
    }
    const QColor metal(0x5A, 0x5E, 0x64);
    QLinearGradient head(3, 0, 9, 0);
    head.setColorAt(0, QColor(0xF0, 0x6A, 0x5A));
    head.setColorAt(1, QColor(0xA0, 0x1E, 0x14));
    p.setPen(QPen(QColor(0x50, 0x10, 0x0A), 1));
    p.setBrush(head);
    p.drawRect(QRectF(3.5, 0.5, 5, 5));
    p.drawRect(QRectF(2.5, 5.5, 7, 1.5));
    p.setPen(QPen(metal, 1.4, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(6, 7), QPointF(6, 11.5));
    p.end();
    return KeyOut(art, QColor(0xE8, 0xE8, 0xE8), kMagenta);
}

QImage DrawFontTypeMark(bool trueType, int zoom)
{
    const QSize size(20, 12);
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    if (trueType) {
        // Two overlapping Ts, the classic mark of outline fonts.
        auto tee = [&p](double x, double y, QColor c) {
            QLinearGradient g(x, y, x, y + 8);
            g.setColorAt(0, c.lighter(150));
            g.setColorAt(1, c);
            p.fillRect(QRectF(x, y, 7, 2), g);
            p.fillRect(QRectF(x + 2.5, y, 2, 8), g);
            p.fillRect(QRectF(x + 1.5, y + 7, 4, 1), g);
        };
        tee(2, 1, QColor(0x90, 0x90, 0x90));
        tee(8, 3, QColor(0x10, 0x10, 0x10));
    } else {
        // A small printer: device fonts come from the output device.
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6.5, 0.5, 7, 5));
        QLinearGradient body(0, 4, 0, 11);
        body.setColorAt(0, QColor(0xD8, 0xDA, 0xDE));
        body.setColorAt(1, QColor(0x8A, 0x8E, 0x94));
        p.setBrush(body);
        p.drawRoundedRect(QRectF(3.5, 4.5, 13, 6), 1.5, 1.5);
        p.fillRect(QRectF(13, 6, 2, 1), QColor(0x2E, 0xB8, 0x3C));
        p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1));
        p.drawLine(QPointF(8, 2.5), QPointF(12, 2.5));
    }
    p.end();
    return KeyOut(art, QColor(0xF0, 0xF0, 0xF0), kMagenta);
}

QImage DrawAppIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    Prepare(p);
    const double s = size;
    QLinearGradient back(0, 0, 0, s);
    back.setColorAt(0, QColor(0x4A, 0x4E, 0x56));
    back.setColorAt(1, QColor(0x1E, 0x20, 0x24));
    p.setPen(QPen(QColor(0x0C, 0x0C, 0x0E), 1));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    const double inset = s * 0.16;
    PaintMosaicMark(p, QRectF(inset, inset, s - 2 * inset, s - 2 * inset), std::max(1.0, s / 16));
    p.end();
    return Unpremultiplied(img);
}

} // namespace skingen
