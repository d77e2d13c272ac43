#pragma once

#include "tweaks/RegistryBackend.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessel {

enum class ActionKind : std::uint8_t
{
    Dword,
    Text,
    Bytes,
    Delete,
};

// What one state of a tweak does to one value.
struct TweakAction
{
    ActionKind kind = ActionKind::Delete;
    std::int32_t dword = 0;
    std::string_view data; // text without its terminator, or raw bytes
};

// The kind and exact bytes an action stores (text with its terminating zero);
// false for a deletion. The passes write these bytes, and everything that
// predicts or checks what a pass leaves compares with them.
bool ActionValue(const TweakAction& action, RegValue& value);

struct TweakWrite
{
    std::string_view keyPath;   // from the hive's root
    std::string_view valueName; // empty: the key's unnamed default value
    TweakAction applied;
    TweakAction reverted;
};

// One row of the catalogue. Texts are UTF-8; registry names are ASCII.
struct TweakEntry
{
    int tab; // 1-based page of the main window
    std::string_view checkBox;
    std::string_view caption;
    std::string_view mirrorValue; // the tweak's identity everywhere
    Hive hive;
    std::span<const TweakWrite> writes; // in the order they are written
    int applyMessage;                   // number shown when a key cannot be opened
    int revertMessage;
};

inline constexpr std::string_view kProgramKey = "Software\\Microsoft\\Windows\\vardo";
inline constexpr std::string_view kMirrorKey = "Software\\Microsoft\\Windows\\vardo\\zhuangtai";
inline constexpr std::string_view kPasswordValue = "paasword";
inline constexpr std::string_view kFirstRunMarker = "Frist";

inline constexpr std::string_view kTabCaptions[3] = {"功能限制类", "网络安全类", "性能优化类"};

// How many rows the catalogue holds. Every table kept per tweak elsewhere is
// checked against it when it compiles, so a new row is not done until each
// of them has it; texts that quote the number are made from it.
inline constexpr std::size_t kTweakCount = 27;

// The tweaks in processing order, which is also their order on screen.
std::span<const TweakEntry, kTweakCount> Catalogue();

// The row's 0-based place in the catalogue.
std::size_t RowIndex(const TweakEntry& tweak);

// "注册表内容出错" and the number; numbers 10 to 30 go without the closing "！".
std::string RegistryMessage(int number);

} // namespace tessel
