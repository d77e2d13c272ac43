#pragma once

#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakCatalogue.h"

#include <string>
#include <string_view>

namespace tessel {

// When Windows picks a tweak's setting up.
enum class Timing : std::uint8_t
{
    AtOnce,     // the next time the affected program reads it
    NewWindows, // in Explorer and browser windows opened afterwards
    NextLogOn,
    Restart,
};

// The window speaks Chinese; the administrative template also carries English.
enum class Language : std::uint8_t
{
    Chinese,
    English,
};

// What a tweak does, for people deciding whether to switch it, in Chinese and
// in English (with an English title for the Chinese caption). Scope, rights
// and values come from the catalogue row itself.
struct TweakDescription
{
    std::string_view text;
    Timing timing;
    std::string_view englishTitle;
    std::string_view englishText;
};

const TweakDescription& Describe(const TweakEntry& tweak);

// The row's caption, or its English title.
std::string_view TweakTitle(const TweakEntry& tweak, Language language);
// A tab's caption (tab 1 to 3), or its English name.
std::string_view TabTitle(int tab, Language language);

// "当前用户" or "本机".
std::string_view ScopeText(Hive hive, Language language = Language::Chinese);
// Machine-wide values need an administrator.
bool NeedsAdministrator(const TweakEntry& tweak);
std::string_view TimingText(Timing timing, Language language = Language::Chinese);

std::string_view HiveName(Hive hive);
// "HKEY_CURRENT_USER\Software\...\NoDrives"; the unnamed value shows as "(默认)". UTF-8.
std::string ValueLocation(Hive hive, std::string_view keyPath, std::string_view valueName,
                          Language language = Language::Chinese);
// Every value the tweak writes, one location a line.
std::string RowLocations(const TweakEntry& tweak);

// "REG_DWORD", "REG_SZ", ...; other kinds by number.
std::string KindName(std::uint32_t type);
// A value as a person reads it: `REG_DWORD 0xFFFFFFFF (-1)`, `REG_SZ "txtfile"`,
// `REG_BINARY 01 00 00 00`.
std::string ValueText(const RegValue& value);
// One state of a tweak's value: the value it sets, or "删除".
std::string ActionText(const TweakAction& action, Language language = Language::Chinese);

// The check box's tooltip: description, scope, rights, timing and every value
// with its applied and reverted data.
std::string DescriptionText(const TweakEntry& tweak, Language language = Language::Chinese);

} // namespace tessel
