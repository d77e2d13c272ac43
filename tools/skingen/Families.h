#pragma once

#include "Glyphs.h"
#include "Look.h"

#include <QImage>

namespace skingen {

// Controls: every result is a 24-bit image of the look's size for that piece,
// times the zoom in device pixels.
QImage DrawButton(const Look& l, State s, int zoom);
QImage DrawCheckBox(const Look& l, State s, bool checked, int zoom);
QImage DrawRadio(const Look& l, State s, bool checked, int zoom);
QImage DrawProgress(const Look& l, bool vertical, int zoom);
QImage DrawTab(const Look& l, bool active, int zoom);
QImage DrawTabLine(const Look& l, int zoom);
QImage DrawGroove(const Look& l, int zoom);
QImage DrawSlider(const Look& l, bool vertical, int zoom);
QImage DrawScrollButton(const Look& l, bool first, State s, int zoom);
QImage DrawScrollThumb(const Look& l, int zoom);

// Frames.
enum class TitlePart
{
    Left,
    Client,
    Right
};
QImage TitleBand(const Band& band, QSize size, int zoom);
QImage DrawTitle(const Look& l, TitlePart part, int zoom);
QImage DrawTitleButton(const Look& l, Glyph g, State s, int zoom);

// Pieces shared by every look.
QImage DrawMenuChecked(int zoom);
QImage DrawFormTile(Style style, int zoom);
QImage DrawMacMenuBar(int zoom);
QImage DrawMacMenuSelect(int zoom);
QImage DrawMacComboButton(int zoom);
QImage DrawSideChannelBar(bool hot, int zoom);
QImage DrawSideChannelPin(bool onTop, int zoom);
QImage DrawFontTypeMark(bool trueType, int zoom);
QImage DrawAppIcon(int size);

// Window pictures.
QImage DrawMainPicture(int zoom);
enum class Emblem
{
    Lock,
    Key,
    Mark
};
QImage DrawSidePicture(QSize size, Emblem emblem, int seed, int zoom);
QImage DrawMainTitle(TitlePart part, int zoom);
QImage DrawMainTitleButton(Glyph g, State s, int zoom);

} // namespace skingen
