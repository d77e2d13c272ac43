#pragma once

#include "tweaks/TweakPasses.h"

#include <set>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessel {

// Wrong input from the command line or a profile; the message says where and why.
class UsageError final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Which tweaks are ticked, by mirror name: what a pass, an export or a profile works from.
class TickChoice final : public TweakTicks
{
public:
    bool IsTicked(const TweakEntry& tweak) const override;
    void SetTicked(const TweakEntry& tweak, bool ticked) override;
    const std::set<std::string_view>& Ticked() const { return ticked_; }

private:
    std::set<std::string_view> ticked_; // views into the catalogue
};

// The row a command-line item names: its number (1 to kTweakCount) or its mirror name in any letter case.
const TweakEntry* FindRow(std::string_view item);

// Applies a comma-separated LIST of rows, or `all`, to `ticks`. `option` names the
// option in errors. Throws UsageError for an empty or unknown item.
void SetRows(TickChoice& ticks, std::string_view list, bool ticked, std::string_view option);

inline constexpr std::string_view kProfileFormat = "tessel-profile";
inline constexpr int kProfileVersion = 1;

// The profile as JSON: format name, version and the ticked mirror names in catalogue order.
std::string WriteProfile(const TweakTicks& ticks);

// Reads a profile; every row it does not name is unticked. Throws UsageError
// "<source>:<line>: <reason>" for text that is not JSON, a wrong format or
// version, or a name that is not a row.
TickChoice ReadProfile(std::string_view text, std::string_view source);

} // namespace tessel
