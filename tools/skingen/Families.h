#pragma once

#include "Glyphs.h"
#include "Look.h"

#include <QImage>

namespace skingen {

// Controls: every result is a 24-bit image of the look's size for that piece.
QImage DrawButton(const Look& l, State s);
QImage DrawCheckBox(const Look& l, State s, bool checked);
QImage DrawRadio(const Look& l, State s, bool checked);
QImage DrawProgress(const Look& l, bool vertical);
QImage DrawTab(const Look& l, bool active);
QImage DrawTabLine(const Look& l);
QImage DrawGroove(const Look& l);
QImage DrawSlider(const Look& l, bool vertical);
QImage DrawScrollButton(const Look& l, bool first, State s);
QImage DrawScrollThumb(const Look& l);

// Frames.
enum class TitlePart
{
    Left,
    Client,
    Right
};
QImage TitleBand(const Band& band, QSize size);
QImage DrawTitle(const Look& l, TitlePart part);
QImage DrawTitleButton(const Look& l, Glyph g, State s);

// Pieces shared by every look.
QImage DrawMenuChecked();
QImage DrawFormTile(Style style);
QImage DrawMacMenuBar();
QImage DrawMacMenuSelect();
QImage DrawMacComboButton();
QImage DrawSideChannelBar(bool hot);
QImage DrawSideChannelPin(bool onTop);
QImage DrawFontTypeMark(bool trueType);
QImage DrawAppIcon(int size);

// Window pictures.
QImage DrawMainPicture();
enum class Emblem
{
    Lock,
    Key,
    Mark
};
QImage DrawSidePicture(QSize size, Emblem emblem, int seed);
QImage DrawMainTitle(TitlePart part);
QImage DrawMainTitleButton(Glyph g, State s);

} // namespace skingen
