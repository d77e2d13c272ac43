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

// What a tweak does, in Chinese, for people deciding whether to switch it.
// Scope, rights and values come from the catalogue row itself.
struct TweakDescription
{
    std::string_view text;
    Timing timing;
};

const TweakDescription& Describe(const TweakEntry& tweak);

// "当前用户" or "本机".
std::string_view ScopeText(Hive hive);
// Machine-wide values need an administrator.
bool NeedsAdministrator(const TweakEntry& tweak);
std::string_view TimingText(Timing timing);

std::string_view HiveName(Hive hive);
// "HKEY_CURRENT_USER\Software\...\NoDrives"; the unnamed value shows as "(默认)". UTF-8.
std::string ValueLocation(Hive hive, std::string_view keyPath, std::string_view valueName);
// Every value the tweak writes, one location a line.
std::string RowLocations(const TweakEntry& tweak);

// "REG_DWORD", "REG_SZ", ...; other kinds by number.
std::string KindName(std::uint32_t type);
// A value as a person reads it: `REG_DWORD 0xFFFFFFFF (-1)`, `REG_SZ "txtfile"`,
// `REG_BINARY 01 00 00 00`.
std::string ValueText(const RegValue& value);
// One state of a tweak's value: the value it sets, or "删除".
std::string ActionText(const TweakAction& action);
// The value an action leaves; false for a deletion.
bool ActionValue(const TweakAction& action, RegValue& value);

// The check box's tooltip: description, scope, rights, timing and every value
// with its applied and reverted data.
std::string DescriptionText(const TweakEntry& tweak);

} // namespace tessel
