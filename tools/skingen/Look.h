#pragma once

#include "skin/SuiLooks.h"

#include <QColor>
#include <QSize>
#include <QString>

#include <array>
#include <vector>

namespace skingen {

// The skin's own looks; Style::MacOS and the others name them here.
using Style = TsuiUIStyle;

enum class State
{
    Normal,
    Hover,
    Down,
    Disabled
};

// A shaded body: border, vertical gradient, optional gloss and inner ring.
struct Gel
{
    QColor border;
    QColor top;
    QColor bottom;
    QColor shine;       // gloss over the upper half; invalid = none
    QColor inner;       // one-pixel ring inside the border; invalid = none
    bool split = false; // glass: the gradient breaks at half height
    double innerWidth = 1;
};

struct Stop
{
    double at;
    QColor color;
};
using Profile = std::vector<Stop>;

// Vertical profile of a title bar.
struct Band
{
    Profile body;
    QColor topLine;    // first row; invalid = none
    QColor bottomLine; // last row; invalid = none
    QColor shine;      // gloss over the upper part; invalid = none
    bool pinstripe = false;
};

struct Sizes
{
    QSize button, checkBox, radio, progress, progressV;
    QSize titleLeft, titleClient, titleRight, titleButton;
    QSize tab, tabLine, groove, slider, sliderV, scrollButton, scrollThumb;
};

enum class ButtonShape
{
    Orb,
    Square
};

struct Look
{
    Style style; // these three from the skin's table of looks
    QString prefix;
    QColor face; // form and control face
    Sizes size;
    QColor trackFace;  // track bar background
    QColor scrollFace; // scroll bar background
    QColor accent;     // selection colour of the style

    double buttonRadius;
    bool buttonKeyed; // drawn masked, so the outside is the key colour
    std::array<Gel, 3> button;

    double boxRadius;
    std::array<Gel, 4> box; // check box and radio: normal, hover, down, disabled
    QColor mark, markDisabled;

    Gel progress;

    Band title;
    int cornerRadius;
    int titleButtonTop;
    bool titleButtonsKeyed;
    ButtonShape titleButtonShape;
    std::array<Gel, 3> titleButton;
    std::array<Gel, 3> closeButton;
    std::array<QColor, 3> titleGlyph;

    double tabRadius;
    Gel tabActive, tabInactive;
    Profile tabLine;

    Gel groove, slider;
    std::array<Gel, 3> scrollButton;
    QColor arrow;
    Gel thumb;
};

// Custom and values past the last look have no look: do not ask for one.
const Look& LookOf(Style style);
// The size of a bitmap outside the per-look table; invalid for an unknown name.
QSize FixedSize(const QString& name);

} // namespace skingen
