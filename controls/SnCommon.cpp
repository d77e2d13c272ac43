#include "controls/SnCommon.h"

namespace {

bool HasLineBreak(const QString& text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

void DrawOnce(TCanvas& canvas, const QString& text, const TRect& rect, unsigned flags)
{
    // A caption without line breaks takes the single-line path, which places
    // the text on whole pixels from its advance width as the system would.
    if (!HasLineBreak(text))
        flags |= DT_SINGLELINE;
    canvas.DrawText(text, rect, flags);
}

} // namespace

void DrawCaption(TCanvas& canvas, const QString& text, const TRect& rect, unsigned flags, bool enabled)
{
    const TBrushStyle brushStyle = canvas.Brush.Style;
    const TColor fontColor = canvas.Font.Color;
    canvas.Brush.Style = bsClear;
    if (enabled) {
        DrawOnce(canvas, text, rect, flags);
    } else {
        canvas.Font.Color = clBtnHighlight;
        DrawOnce(canvas, text, Rect(rect.Left + 1, rect.Top + 1, rect.Right + 1, rect.Bottom + 1), flags);
        canvas.Font.Color = clBtnShadow;
        DrawOnce(canvas, text, rect, flags);
    }
    canvas.Font.Color = fontColor;
    canvas.Brush.Style = brushStyle;
}

int CaptionWidth(const TFont& font, const QString& text)
{
    return font.Advance(text);
}

int CaptionHeight(const TFont& font)
{
    return font.Metrics().height();
}
