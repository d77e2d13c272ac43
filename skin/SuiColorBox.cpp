#include "skin/SuiColorBox.h"

#include "framework/TCanvas.h"
#include "framework/TDialogService.h"
#include "skin/SuiStyleRules.h"

#include <QComboBox>

namespace {

// The first 20 entries of the colour table are the standard and extended colours.
constexpr int kStandardCount = 16;
constexpr int kNamedCount = 20;

QString PrettyName(const QString& name)
{
    const QString rest = name.startsWith(QLatin1String("cl")) ? name.mid(2) : name;
    QString pretty;
    for (const QChar ch : rest) {
        if (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z') && !pretty.isEmpty())
            pretty += QLatin1Char(' ');
        pretty += ch;
    }
    return pretty;
}

} // namespace

TsuiCustomColorBox::TsuiCustomColorBox(QWidget* parent) : TsuiCustomComboBox(parent, csOwnerDrawFixed)
{
    PopulateList();
}

void TsuiCustomColorBox::PopulateList()
{
    UpdateItems([this] {
        const bool custom = m_style.testFlag(cbCustomColor);
        const TColor customColor = custom && ItemCount() > 0 ? GetColor(0) : clBlack;
        const TColor selected = m_filled ? Selected() : m_selectedColor;

        ClearItems();
        GetColorValues([this](const QString& name) { ColorCallBack(name); });
        const auto removeColor = [this](TColor color) {
            for (int i = 0; i < ItemCount(); ++i)
                if (GetColor(i) == color) {
                    DeleteItem(i);
                    return;
                }
        };
        if (!m_style.testFlag(cbIncludeNone))
            removeColor(clNone);
        if (!m_style.testFlag(cbIncludeDefault))
            removeColor(clDefault);
        const auto deleteDown = [this](int from, int to) {
            for (int i = from; i >= to; --i)
                DeleteItem(i);
        };
        if (!m_style.testFlag(cbSystemColors))
            deleteDown(ItemCount() - 1, kNamedCount);
        if (!m_style.testFlag(cbExtendedColors))
            deleteDown(kNamedCount - 1, kStandardCount);
        if (!m_style.testFlag(cbStandardColors))
            deleteDown(kStandardCount - 1, 0);
        if (custom)
            InsertItem(0, QStringLiteral("Custom..."), customColor);
        m_filled = true;
        SetSelected(selected);
    });
}

void TsuiCustomColorBox::ColorCallBack(const QString& name)
{
    const TColor color = StringToColor(name);
    AddItem(m_style.testFlag(cbPrettyNames) ? PrettyName(name) : name, color);
}

TColor TsuiCustomColorBox::Selected() const
{
    const int index = ItemIndex();
    return index < 0 ? clNothingSelected : GetColor(index);
}

void TsuiCustomColorBox::SetSelected(TColor color)
{
    m_selectedColor = color;
    int index = -1;
    for (int i = 0; i < ItemCount() && index < 0; ++i)
        if (GetColor(i) == color)
            index = i;
    if (index < 0 && m_style.testFlag(cbCustomColor) && color != clNothingSelected && ItemCount() > 0) {
        SetItemObject(0, color);
        index = 0;
    }
    SetItemIndex(index);
}

void TsuiCustomColorBox::SetStyle(TColorBoxStyle styles)
{
    if (styles == m_style)
        return;
    m_style = styles;
    SetEnabled(bool(styles & (cbStandardColors | cbExtendedColors | cbSystemColors | cbCustomColor)));
    PopulateList();
    if (ItemCount() > 0 && ItemIndex() < 0)
        SetItemIndex(0);
}

void TsuiCustomColorBox::SetDefaultColorColor(TColor color)
{
    if (color == m_defaultColorColor)
        return;
    m_defaultColorColor = color;
    ComboBox()->update();
}

void TsuiCustomColorBox::SetNoneColorColor(TColor color)
{
    if (color == m_noneColorColor)
        return;
    m_noneColorColor = color;
    ComboBox()->update();
}

void TsuiCustomColorBox::DrawItem(TCanvas& canvas, int index, const TRect& rect, TOwnerDrawState state)
{
    canvas.FillRect(rect);
    const TBrush saved = canvas.Brush;
    const TRect swatch = Rect(rect.Left + 1, rect.Top + 1, rect.Left + rect.Height() - 1, rect.Bottom - 1);
    TColor color = GetColor(index);
    if (color == clDefault)
        color = m_defaultColorColor;
    else if (color == clNone)
        color = m_noneColorColor;
    const TColor plain = ColorToRGB(color);
    canvas.Brush = {plain, bsSolid};
    canvas.FillRect(swatch);
    // A light swatch gets a black frame; a dark one melts into its own
    // colour, or stands out in white on the selection.
    TColor frame = plain;
    if (GetRValue(plain) > 192 || GetGValue(plain) > 192 || GetBValue(plain) > 192)
        frame = clBlack;
    else if (state & odSelected)
        frame = clWhite;
    canvas.Brush = {frame, bsSolid};
    canvas.FrameRect(swatch);
    canvas.Brush = saved;
    const QString text = GetColorName(index);
    canvas.TextOut(swatch.Right + 5, rect.Top + (rect.Height() - canvas.TextHeight(text)) / 2, text);
}

bool TsuiCustomColorBox::PickCustomColor()
{
    const TColor current = ColorToRGB(GetColor(0));
    const TColorPick pick = DialogService().PickColor(
        current, {QStringLiteral("ColorA=%1").arg(current, 8, 16, QLatin1Char('0'))});
    if (pick.Accepted) {
        SetItemObject(0, pick.Color);
        ComboBox()->update();
    }
    return pick.Accepted;
}

void TsuiCustomColorBox::Select()
{
    if (m_listClosed) {
        m_listClosed = false;
        if (m_style.testFlag(cbCustomColor) && ItemIndex() == 0 && !PickCustomColor())
            return;
    }
    TsuiCustomComboBox::Select();
}

void TsuiCustomColorBox::CloseUp()
{
    m_listClosed = true;
    TsuiCustomComboBox::CloseUp();
}

void TsuiCustomColorBox::KeyDown(int& key, Qt::KeyboardModifiers shift)
{
    m_listClosed = false;
    TsuiCustomComboBox::KeyDown(key, shift);
}

void TsuiCustomColorBox::KeyPress(QChar& key)
{
    TsuiCustomComboBox::KeyPress(key);
    if (m_style.testFlag(cbCustomColor) && key == QLatin1Char('\r') && ItemIndex() == 0) {
        PickCustomColor();
        key = QChar();
        return;
    }
    if (m_autoDropDown && key.isPrint() && !DroppedDown())
        SetDroppedDown(true);
}
