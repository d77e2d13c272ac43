#pragma once

#include "framework/TCanvas.h"

#include <QString>

// On which side a caption stands, or how it is aligned in its rectangle.
enum TAlignment
{
    taLeftJustify,
    taRightJustify,
    taCenter
};

enum TTextLayout
{
    tlTop,
    tlCenter,
    tlBottom
};

// Draws a caption in `rect` with DT_ flags, clipped to the rectangle. Enabled
// text uses the canvas font colour; disabled text is embossed: a copy one
// pixel right and down in the button highlight, the text itself on top in the
// button shadow. The canvas font colour is restored afterwards.
void DrawCaption(TCanvas& canvas, const QString& text, const TRect& rect, unsigned flags, bool enabled);

// Text measures in a font as a canvas drawing with it reports them.
int CaptionWidth(const TFont& font, const QString& text);
int CaptionHeight(const TFont& font);
