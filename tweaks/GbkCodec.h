#pragma once

#include <string>
#include <string_view>

namespace tessel {

// Registry text and passwords are ANSI bytes in code page 936, mapped as
// Windows maps them (the user-defined areas become private-use characters).
// The core and the windows convert through these two calls only.

// False when the bytes hold a sequence that code page 936 does not define.
bool GbkToUtf16(std::string_view gbk, std::u16string& utf16);

// False when a character has no exact mapping: nothing is replaced or dropped.
bool Utf16ToGbk(std::u16string_view utf16, std::string& gbk);

} // namespace tessel
