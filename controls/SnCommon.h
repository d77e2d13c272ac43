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

enum TScrollStyle
{
    ssNone,
    ssHorizontal,
    ssVertical,
    ssBoth
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

class QWidget;

// Paints the control's parent, its background and its own picture without
// its children, into the canvas at the control's position: what shows through
// a transparent control.
void DrawParentImage(TCanvas& canvas, const QWidget* control);

// Text measures in a font as a canvas drawing with it reports them.
int CaptionWidth(const TFont& font, const QString& text);
int CaptionHeight(const TFont& font);
