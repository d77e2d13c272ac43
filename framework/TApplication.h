#pragma once

#include <QString>

// The executable's file name without its directory, cut at its first full
// stop: "C:\\x\\tessel.exe" -> "tessel", "a.b.c" -> "a".
QString ApplicationTitleFromPath(const QString& path);

// The running program's title, used as the caption of every message box.
QString ApplicationTitle();

// The text the error display shows for an error message: a full stop is
// appended when the message is non-empty and the code of its last character
// (in GBK, the lead byte of a final double-byte character) is above '.'.
QString ErrorDisplayText(const QString& message);
