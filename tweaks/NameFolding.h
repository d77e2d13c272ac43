#pragma once

#include <string>
#include <string_view>

namespace tessel {

// Registry names arrive as ANSI bytes in the GBK code page.
bool IsValidAnsiName(std::string_view ansi);

// The name as UTF-8, for storage that people can read.
std::string AnsiToUtf8(std::string_view ansi);

// The key under which the registry compares names: every UTF-16 unit
// upper-cased on its own (so "Ärger" and "ärger" meet, while "Straße" and
// "STRASSE" stay apart), as UTF-8. Expects a valid name.
std::string FoldName(std::string_view ansi);

// UTF-8 as UTF-16, for text that arrives as UTF-8 (the command line).
std::u16string Utf8ToUtf16(std::string_view utf8);

// The same folding for a name already in UTF-8.
std::string FoldUtf8(std::string_view utf8);

} // namespace tessel
