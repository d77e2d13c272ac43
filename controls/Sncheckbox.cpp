#include "controls/Sncheckbox.h"

#include "framework/TAccessible.h"
#include "framework/TCanvas.h"
#include "framework/TPictureCache.h"

#include <QFocusEvent>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr int kBands = 30;

constexpr TColor kNormalTop = RGB(255, 255, 255);
constexpr TColor kNormalBottom = RGB(239, 235, 231);
constexpr TColor kPressedTop = RGB(214, 207, 198);
constexpr TColor kPressedBottom = RGB(247, 243, 235);
constexpr TColor kFrame = RGB(0, 60, 115);
constexpr TColor kHotRing = RGB(242, 193, 96);
constexpr TColor kTick = RGB(63, 161, 33);

// Rounds a * b / c to the nearest integer, halves away from zero.
int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

// One component of colour table entry i: the default rounding mode rounds
// halves to the even neighbour; the result wraps to 8 bits.
int BandComponent(int start, int end, int i)
{
    const double step = static_cast<double>(end - start) / (kBands - 1) * i;
    return (start + static_cast<int>(std::nearbyint(step))) & 0xFF;
}

// A 2-pixel pen centred on the outline from (left, top) to (right - 1,
// bottom - 1), as a wide pen strokes a rectangle: each side covers the
// outline and the pixel outside it.
void WideFrame(TCanvas& canvas, const TRect& rect, TColor color)
{
    const TRect outer = Rect(rect.Left - 1, rect.Top - 1, rect.Right, rect.Bottom);
    const TRect inner = Rect(rect.Left + 1, rect.Top + 1, rect.Right - 2, rect.Bottom - 2);
    canvas.Brush.Style = bsSolid;
    canvas.Brush.Color = color;
    canvas.FillRect(Rect(outer.Left, outer.Top, outer.Right, inner.Top));
    canvas.FillRect(Rect(outer.Left, inner.Bottom, outer.Right, outer.Bottom));
    canvas.FillRect(Rect(outer.Left, inner.Top, inner.Left, inner.Bottom));
    canvas.FillRect(Rect(inner.Right, inner.Top, outer.Right, inner.Bottom));
}

// `picture` with `draw` applied to a copy, made once per picture and kept.
template <class Draw> QImage Decorated(const QImage& picture, const QString& what, Draw draw)
{
    TPictureKey key;
    key.Name = what;
    key.Source = picture.cacheKey();
    return PictureCache().Derived(key, [&] {
        QImage copy = picture.copy();
        {
            TCanvas canvas(copy);
            draw(canvas);
        }
        return copy;
    });
}

} // namespace

TSnCheckBox::TSnCheckBox(QWidget* parent) : TControl(parent)
{
    SetParentColor(true);
    SetParentFont(true);
    resize(97, 17);
    // Hidden widgets get their first size notification only when shown; the
    // images are wanted for off-screen painting before that.
    Resized();
}

void TSnCheckBox::SetChecked(bool value)
{
    if (value == m_checked)
        return;
    m_checked = value;
    Invalidate();
    AnnounceChecked();
}

void TSnCheckBox::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Invalidate();
}

void TSnCheckBox::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TSnCheckBox::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    Resized();
    Invalidate();
}

void TSnCheckBox::SetEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    m_state = StateInitial;
    repaint();
    QAccessible::State changed;
    changed.disabled = true;
    AnnounceStateChange(this, changed);
}

void TSnCheckBox::AnnounceChecked()
{
    QAccessible::State changed;
    changed.checked = true;
    AnnounceStateChange(this, changed);
}

void TSnCheckBox::CaptionChanged()
{
    Resized();
    Invalidate();
}

void TSnCheckBox::resizeEvent(QResizeEvent* event)
{
    if (!m_inResized)
        Resized();
    TControl::resizeEvent(event);
}

void TSnCheckBox::Resized()
{
    if (width() <= 0 || height() <= 0)
        return;
    m_inResized = true;
    if (m_autoSize) {
        const TFont font = Font();
        resize(CaptionWidth(font, Caption()) + 18, std::max(CaptionHeight(font), BoxSize));
    }
    m_inResized = false;

    CreateGradientRect(BoxSize, BoxSize, kNormalTop, kNormalBottom, m_normalImage);
    CreateGradientRect(BoxSize, BoxSize, kPressedTop, kPressedBottom, m_pressedImage);
    CreateGradientRect(BoxSize, BoxSize, kNormalTop, kNormalBottom, m_hotImage);
    m_hotImage.Assign(Decorated(m_hotImage.Image(), QStringLiteral("check box hot ring"),
                                [](TCanvas& canvas) { WideFrame(canvas, Rect(2, 2, 12, 12), kHotRing); }));
}

void TSnCheckBox::CreateGradientRect(int width, int height, TColor startColor, TColor endColor,
                                     TBitmap& image)
{
    // Every box with the same colours and size shows the same picture: it is
    // drawn once and shared.
    TPictureKey key;
    key.Name = QStringLiteral("check box gradient");
    key.From = startColor;
    key.To = endColor;
    key.Size = QSize(width, height);
    image.Assign(PictureCache().Derived(key, [&] {
        QImage made = TBitmap(width, height).Image();
        const TColor start = ColorToRGB(startColor);
        const TColor end = ColorToRGB(endColor);
        std::array<TColor, kBands> table{};
        for (int i = 0; i < kBands; ++i)
            table[std::size_t(i)] = RGB(BandComponent(GetRValue(start), GetRValue(end), i),
                                        BandComponent(GetGValue(start), GetGValue(end), i),
                                        BandComponent(GetBValue(start), GetBValue(end), i));

        {
            TCanvas canvas(made);
            canvas.Brush.Style = bsSolid;
            canvas.Brush.Color = start;
            canvas.FillRect(Rect(0, 0, width, height));
            for (int i = 0; i < kBands; ++i) {
                canvas.Brush.Color = table[std::size_t(i)];
                canvas.FillRect(Rect(0, MulDiv(height, i, kBands), width, MulDiv(height, i + 1, kBands)));
            }
            canvas.Pen = TPen{kFrame, 1, psSolid};
            canvas.Brush.Style = bsClear;
            canvas.Rectangle(0, 0, width, height);
        }
        return made;
    }));
}

void TSnCheckBox::DrawCheckMark(TCanvas& canvas, int x, int y)
{
    canvas.Pen = TPen{kTick, 1, psSolid};
    for (int i = 0; i < 3; ++i) {
        canvas.MoveTo(x + 2, y - 5 - i);
        canvas.LineTo(x + 4, y - 3 - i);
        canvas.LineTo(x + 9, y - 8 - i);
    }
}

void TSnCheckBox::DrawParentImage(TCanvas& canvas)
{
    PaintParentBackground(canvas, this);
}

const TBitmap& TSnCheckBox::BoxImage() const
{
    if (m_state == StateInitial || (m_state & StateMouseOut))
        return m_normalImage;
    if (m_state & StateMouseOver)
        return m_hotImage;
    if (m_state & StatePressed)
        return m_pressedImage;
    // Focus without hover or press (a focus gained other than by a click):
    // the box looks normal rather than leaving the box area empty.
    return m_normalImage;
}

void TSnCheckBox::Paint(TCanvas& canvas)
{
    canvas.Font = Font();
    canvas.Brush.Color = Color();
    if (m_transparent)
        DrawParentImage(canvas);

    const TBitmap& chosen = BoxImage();
    if (!chosen.Empty()) {
        // The tick goes onto a copy so that it never reaches the stored images.
        QImage box = chosen.Image();
        if (m_checked)
            box = Decorated(box, QStringLiteral("check box tick"),
                            [this](TCanvas& boxCanvas) { DrawCheckMark(boxCanvas, 1, 12); });
        const int boxX = m_alignment == taLeftJustify ? width() - BoxSize : 0;
        const int boxY = (height() - BoxSize) / 2;
        canvas.CopyRect(Bounds(boxX, boxY, BoxSize, BoxSize), box, Rect(0, 0, BoxSize, BoxSize));
    }

    const int textHeight = canvas.TextHeight(QStringLiteral("A"));
    const int top = (height() - textHeight) / 2;
    const TRect textRect = Rect(m_alignment == taLeftJustify ? 0 : 16, top, width(), top + textHeight);
    DrawCaption(canvas, Caption(), textRect, DT_LEFT, m_enabled);

    if (m_state & StateFocused)
        canvas.DrawFocusRect(
            Bounds(m_alignment == taLeftJustify ? -1 : 15, top, width() - 15, textHeight + 1));
}

void TSnCheckBox::MouseEnter()
{
    if (!m_enabled)
        return;
    m_state = std::uint8_t((m_state | StateMouseOver) & ~StateMouseOut);
    Invalidate();
    TControl::MouseEnter();
}

void TSnCheckBox::MouseLeave()
{
    if (!m_enabled)
        return;
    m_state = std::uint8_t((m_state | StateMouseOut) & ~StateMouseOver);
    Invalidate();
    TControl::MouseLeave();
}

void TSnCheckBox::MouseDown(TMouseButton button, Qt::KeyboardModifiers, int, int)
{
    if (!m_enabled)
        return;
    setFocus(Qt::MouseFocusReason);
    if (button == mbLeft)
        m_state = std::uint8_t((m_state | StatePressed) & ~StateMouseOver);
    repaint();
}

void TSnCheckBox::MouseUp(TMouseButton button, Qt::KeyboardModifiers, int, int)
{
    // Qt grabs the mouse on the press, so a release outside the control
    // still arrives here and still toggles it.
    if (!m_enabled || button != mbLeft)
        return;
    m_checked = !m_checked;
    m_state = std::uint8_t((m_state | StateMouseOver) & ~StatePressed);
    Invalidate();
    AnnounceChecked();
    TControl::Click();
}

void TSnCheckBox::focusInEvent(QFocusEvent* event)
{
    m_state = std::uint8_t(m_state | StateFocused);
    Invalidate();
    TControl::focusInEvent(event);
}

void TSnCheckBox::focusOutEvent(QFocusEvent* event)
{
    m_state = std::uint8_t(m_state & ~StateFocused);
    Invalidate();
    TControl::focusOutEvent(event);
}
