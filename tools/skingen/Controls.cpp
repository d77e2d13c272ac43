#include "Families.h"
#include "Painting.h"

namespace skingen {
namespace {

const Gel& StateGel(const std::array<Gel, 3>& gels, State s)
{
    switch (s) {
    case State::Hover:
        return gels[1];
    case State::Down:
        return gels[2];
    default:
        return gels[0];
    }
}

const Gel& BoxGel(const Look& l, State s)
{
    return l.box[static_cast<size_t>(s)];
}

QColor MarkColor(const Look& l, State s)
{
    return s == State::Disabled ? l.markDisabled : l.mark;
}

// A thumb body with a point on one side, as track bar sliders have.
QPainterPath PointedShape(const QRectF& r, bool pointRight, double radius)
{
    const QRectF b = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    if (pointRight) {
        const double tip = b.height() / 2;
        path.moveTo(b.left() + radius, b.top());
        path.lineTo(b.right() - tip, b.top());
        path.lineTo(b.right(), b.center().y());
        path.lineTo(b.right() - tip, b.bottom());
        path.lineTo(b.left() + radius, b.bottom());
        path.quadTo(b.left(), b.bottom(), b.left(), b.bottom() - radius);
        path.lineTo(b.left(), b.top() + radius);
        path.quadTo(b.left(), b.top(), b.left() + radius, b.top());
    } else {
        const double tip = b.width() / 2;
        path.moveTo(b.left(), b.top() + radius);
        path.quadTo(b.left(), b.top(), b.left() + radius, b.top());
        path.lineTo(b.right() - radius, b.top());
        path.quadTo(b.right(), b.top(), b.right(), b.top() + radius);
        path.lineTo(b.right(), b.bottom() - tip);
        path.lineTo(b.center().x(), b.bottom());
        path.lineTo(b.left(), b.bottom() - tip);
    }
    path.closeSubpath();
    return path;
}

// The box of a check box or radio button inside its bitmap.
QRectF BoxRect(const Look& l, QSize size)
{
    // The aqua box sits low in a taller bitmap, leaving room for the tick to
    // reach out of it.
    if (l.style == Style::MacOS)
        return QRectF(1, 2, 13, 13);
    return QRectF(0, 0, size.width(), size.height());
}

} // namespace

QImage DrawButton(const Look& l, State s, int zoom)
{
    QImage art = Canvas(l.size.button, zoom);
    QPainter p(&art);
    Prepare(p);
    PaintGel(p, Area(art), l.buttonRadius, StateGel(l.button, s));
    p.end();
    QImage out = l.buttonKeyed ? KeyOut(art, l.face, kMagenta) : Flatten(art, l.face);
    // Nine-slice stretching fills the middle from row h/2 but the right edge from
    // the row below it; keeping the two rows alike leaves no step on tall buttons.
    const int hh = l.size.button.height() / 2;
    for (int row = 0; row < zoom; ++row)
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, (hh + 1) * zoom + row, out.pixel(x, hh * zoom + row));
    return out;
}

QImage DrawCheckBox(const Look& l, State s, bool checked, int zoom)
{
    QImage art = Canvas(l.size.checkBox, zoom);
    QPainter p(&art);
    Prepare(p);
    const QRectF box = BoxRect(l, l.size.checkBox);
    PaintGel(p, box, l.boxRadius, BoxGel(l, s));
    if (checked) {
        const double weight = l.style == Style::MacOS ? 2.2 : 2.0;
        const QRectF tick =
            l.style == Style::MacOS ? QRectF(3.5, 3.5, 11, 9.5) : box.adjusted(3, 3.2, -3, -3);
        PaintTick(p, tick, MarkColor(l, s), weight);
    }
    p.end();
    // Check boxes are drawn unmasked, so the corners carry the form face.
    return Flatten(art, l.face);
}

QImage DrawRadio(const Look& l, State s, bool checked, int zoom)
{
    QImage art = Canvas(l.size.radio, zoom);
    QPainter p(&art);
    Prepare(p);
    QRectF box = BoxRect(l, l.size.radio);
    if (l.style == Style::MacOS)
        box = QRectF(1, 2, 14, 14);
    PaintOrb(p, box, BoxGel(l, s));
    if (checked) {
        const QColor mark = MarkColor(l, s);
        const double d = box.width() * 0.4;
        const QRectF dot(box.center().x() - d / 2, box.center().y() - d / 2, d, d);
        QRadialGradient g(dot.center() - QPointF(d * 0.2, d * 0.2), d * 0.7);
        g.setColorAt(0, mark.lighter(170));
        g.setColorAt(1, mark);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(dot);
    }
    p.end();
    // Radio buttons are masked by their top-left pixel.
    return KeyOut(art, l.face, kMagenta);
}

QImage DrawProgress(const Look& l, bool vertical, int zoom)
{
    // Uniform along the bar, since the fill is stretched to its length: the
    // shading is drawn once, wide, and its middle column copied across.
    const QSize size = vertical ? l.size.progressV.transposed() : l.size.progress;
    const int wide = 40;
    QImage art = Canvas(QSize(wide, size.height()), zoom);
    QPainter p(&art);
    Prepare(p);
    Gel gel = l.progress;
    gel.border = Qt::transparent;
    PaintGel(p, QRectF(-4, 0, wide + 8, size.height()), 0, gel);
    p.fillRect(QRectF(0, size.height() - 1, wide, 1), QColor(0, 0, 0, 60));
    p.end();
    const QImage column = Flatten(art, l.progress.bottom).copy(art.width() / 2, 0, 1, art.height());
    const QImage flat = column.scaled(size * zoom);
    return vertical ? TurnClockwise(flat) : flat;
}

QImage DrawTab(const Look& l, bool active, int zoom)
{
    const QSize size = l.size.tab;
    const double r = std::max(2.0, l.tabRadius);
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    // Open at the bottom: the line below (or the page, for the active tab) closes it.
    const QRectF b(0.5, 0.5, size.width() - 1, size.height() + 4);
    QPainterPath shape;
    shape.addRoundedRect(b, r, r);
    p.setClipRect(Area(art));
    PaintGel(p, shape, active ? l.tabActive : l.tabInactive);
    if (active && l.style == Style::WinXP) {
        // The Luna hot edge along the top of the selected tab.
        p.setClipPath(shape);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE6, 0x8B, 0x2C));
        p.drawRoundedRect(QRectF(0, 0, size.width(), 2.5), 1.5, 1.5);
        p.fillRect(QRectF(1, 2, size.width() - 2, 1), QColor(0xFF, 0xC8, 0x3C));
    }
    p.end();
    return KeyOut(art, l.face, kMagenta);
}

QImage DrawTabLine(const Look& l, int zoom)
{
    return ProfileStrip(l.size.tabLine, l.tabLine, zoom);
}

QImage DrawGroove(const Look& l, int zoom)
{
    const QSize size = l.size.groove;
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    // WinXP keeps a thin channel inside a taller bitmap.
    const double h = std::min<double>(size.height(), 5);
    const QRectF channel(1, (size.height() - h) / 2, size.width() - 2, h);
    PaintGel(p, channel, h / 2, l.groove);
    p.end();
    return Flatten(art, l.trackFace);
}

QImage DrawSlider(const Look& l, bool vertical, int zoom)
{
    const QSize size = vertical ? l.size.sliderV : l.size.slider;
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    PaintGel(p, PointedShape(Area(art), vertical, 2), l.slider);
    // A three-line grip across the body.
    QColor grip = l.slider.border;
    grip.setAlpha(110);
    p.setPen(QPen(grip, 1));
    for (int i = -1; i <= 1; ++i) {
        if (vertical) {
            const double x = size.width() * 0.38 + i * 2.0 + 0.5;
            p.drawLine(QPointF(x, 3.5), QPointF(x, size.height() - 3.5));
        } else {
            const double y = size.height() * 0.38 + i * 2.0 + 0.5;
            p.drawLine(QPointF(3.5, y), QPointF(size.width() - 3.5, y));
        }
    }
    p.end();
    return Flatten(art, l.trackFace);
}

QImage DrawScrollButton(const Look& l, bool first, State s, int zoom)
{
    const QSize size = l.size.scrollButton;
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    const double radius = l.style == Style::MacOS ? 6 : std::max(2.0, std::min(l.buttonRadius, 3.0));
    PaintGel(p, Area(art), radius, StateGel(l.scrollButton, s));
    const double a = std::min(size.width(), size.height()) * 0.42;
    QRectF arrow(0, 0, a, a);
    arrow.moveCenter(QPointF(size.width() / 2.0, size.height() / 2.0 + (s == State::Down ? 0.5 : 0)));
    PaintArrow(p, arrow, first ? Direction::Up : Direction::Down, l.arrow);
    p.end();
    // The corners carry the scroll bar colour, so masking by the top-left pixel
    // and drawing unmasked look the same.
    return KeyOut(art, l.scrollFace, l.scrollFace);
}

QImage DrawScrollThumb(const Look& l, int zoom)
{
    // Authored lying down, then stood up: the shading runs across the thumb and
    // the middle third stretches along it without banding.
    const QSize size = l.size.scrollThumb.transposed();
    QImage art = Canvas(size, zoom);
    QPainter p(&art);
    Prepare(p);
    const double radius = l.style == Style::MacOS ? 6.5 : 3;
    PaintGel(p, QRectF(0, 1, size.width(), size.height() - 2), radius, l.thumb);
    p.end();
    return Flatten(art, l.scrollFace).transformed(QTransform().rotate(-90));
}

} // namespace skingen
