#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>

class QTimer;
class QLineEdit;
class QPlainTextEdit;

// Rectangles are left, top, right, bottom with the right and bottom edge
// outside, as every drawing routine of the skin expects them.
struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect FromQRect(const QRect& r)
    {
        return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    }
    constexpr bool operator==(const TRect&) const = default;
};

struct TPoint
{
    int X = 0;
    int Y = 0;
    constexpr bool operator==(const TPoint&) const = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom)
{
    return {left, top, right, bottom};
}

constexpr TRect Bounds(int left, int top, int width, int height)
{
    return {left, top, left + width, top + height};
}

// Which scroll bars a multi-line edit shows.
enum TScrollStyle
{
    ssNone,
    ssHorizontal,
    ssVertical,
    ssBoth
};

// How an edit cases what is typed or set into it.
enum TEditCharCase
{
    ecNormal,
    ecUpperCase,
    ecLowerCase
};

// The input method an edit asks for while it has the focus.
enum TImeMode
{
    imDisable,
    imClose,
    imOpen,
    imDontCare,
    imSAlpha,
    imAlpha,
    imHira,
    imSKata,
    imKata,
    imChinese,
    imSHanguel,
    imHanguel
};

// The parent edge a control keeps to as the parent resizes.
enum TAlign
{
    alNone,
    alTop,
    alBottom,
    alLeft,
    alRight,
    alClient
};

// The framework's names for what Qt already provides.
using TCaption = QString;
using TStrings = QStringList;
using TStringList = QStringList;
using TTimer = QTimer;
using TCustomEdit = QLineEdit;
using TCustomMemo = QPlainTextEdit;
// A scroll bar's line and page steps are 16-bit.
using TScrollBarInc = std::uint16_t;

// A control's native border: none, or the single sunken line.
enum TBorderStyle
{
    bsNone,
    bsSingle
};
