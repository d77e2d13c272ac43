#pragma once

#include <QString>
#include <string>
#include <string_view>

// Registry text and passwords are ANSI bytes in the GBK code page; these are
// the only places that cross between those bytes and QString.
std::string ToGbk(const QString& text);
QString FromGbk(std::string_view bytes);

// Code of the last character of GBK text: its last byte, or the lead byte when
// the text ends in a double-byte character. -1 for empty text.
int LastGbkCharCode(std::string_view bytes);
