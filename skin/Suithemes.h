#pragma once

#include "framework/TColor.h"
#include "skin/SuiLooks.h"
#include "skin/SuiThemeElements.h"

#include <QString>
#include <cstdint>

enum class TsuiType : std::uint8_t
{
    Int = 0,
    Color = 1,
    Str = 2,
    Bool = 3
};

// The raw element: the number for Int, Color and Bool elements, the address
// of the zero-terminated resource name for Str elements. Custom, a style
// past the last look or an index outside 1..91 yields -1 with type Int.
std::intptr_t GetThemeElement(TsuiUIStyle style, TsuiThemeElement index, TsuiType& type);

// Typed reads; an element of another type yields the neutral value
// (-1, black, false, empty).
int GetThemeInt(TsuiUIStyle style, TsuiThemeElement index);
TColor GetThemeColor(TsuiUIStyle style, TsuiThemeElement index);
bool GetThemeBool(TsuiUIStyle style, TsuiThemeElement index);
QString GetThemeString(TsuiUIStyle style, TsuiThemeElement index);

// The element's type (the same for every style); Int outside 1..91.
TsuiType GetThemeElementType(TsuiThemeElement index);

// Every distinct resource name the table yields for a style, in index order.
QStringList GetThemeResourceNames(TsuiUIStyle style);
