#pragma once

#include <QString>
#include <string>
#include <string_view>

// Text the skin measures and draws as ANSI bytes in code page 936, through the
// core's converter, the one registry text and passwords go through: the
// platforms then agree byte for byte. Qt's own encoders have no GBK on Windows.
std::string ToGbk(const QString& text);
QString FromGbk(std::string_view bytes);

// Code of the last character of GBK text: its last byte, or the lead byte when
// the text ends in a double-byte character. -1 for empty text.
int LastGbkCharCode(std::string_view bytes);
