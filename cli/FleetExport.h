#pragma once

#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakPasses.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// One value that `tessel apply` sets or removes.
struct PlannedValue
{
    const TweakEntry* row; // null for the first-run marker
    Hive hive;
    std::string_view keyPath;      // ANSI, from the hive's root
    std::string_view valueName;    // ANSI; empty: the key's default value
    std::optional<RegValue> value; // type and exact bytes; none: the value is removed
};

// What `tessel apply` with these ticks leaves behind, in the order it writes:
// the first-run marker, then each row's values and its mirror value. The
// first-run reset is left out: the pass overwrites every value it touches.
std::vector<PlannedValue> PlanApply(const TweakTicks& ticks);

// A .reg file as regedit writes one: UTF-16LE with a byte-order mark, CRLF
// line ends, "Windows Registry Editor Version 5.00" and one section per run
// of values in one key.
std::string ToRegFile(std::span<const PlannedValue> values);

// A playbook of ansible.windows.win_regedit tasks, one per value.
std::string ToAnsiblePlaybook(std::span<const PlannedValue> values);

} // namespace tessel
