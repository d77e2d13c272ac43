#pragma once

#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakCatalogue.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// What the registry holds for a tweak, whatever the program last did.
enum class RealState : std::uint8_t
{
    Applied,    // every value as applying leaves it
    Reverted,   // every value as reverting leaves it
    Other,      // readable, but neither: set by something else
    Default,    // nothing set it: values that reverting would write are absent, the rest as reverted
    Unreadable, // a key or value could not be read
};

// One value as it was read: present with its kind and bytes, absent, or unreadable.
struct ValueReading
{
    const TweakWrite* write = nullptr;
    long status = status::Success; // Success, FileNotFound (absent) or the error
    RegValue value;

    bool Present() const { return status == status::Success; }
    bool Absent() const { return status == status::FileNotFound; }
};

struct RowState
{
    const TweakEntry* tweak = nullptr;
    RealState state = RealState::Unreadable;
    std::vector<ValueReading> values; // in the order of the row's writes
    // The state mirror's number for the row; empty when missing or unreadable.
    std::optional<std::int32_t> mirror;
};

// A value's kind and all its bytes, asking again while it grows.
long QueryWholeValue(RegistryBackend& backend, RegistryBackend::Handle key, std::string_view name,
                     RegValue& value);

// Reads one value with read access only; never creates a key.
ValueReading ReadValue(RegistryBackend& backend, Hive hive, std::string_view keyPath,
                       std::string_view valueName);

// True when the reading is exactly what the action leaves behind.
bool Matches(const TweakAction& action, const ValueReading& reading);

// Reads the row's values and its mirror number, with read access only.
RowState ClassifyRow(RegistryBackend& backend, const TweakEntry& tweak);
// Every row of the catalogue, in its order.
std::vector<RowState> ClassifyAll(RegistryBackend& backend);

std::string_view StateText(RealState state);
// "REG_DWORD 0x00000003 (3)", "不存在" or "无法读取（错误 5）".
std::string ReadingText(const ValueReading& reading);

// The registry no longer holds what a box with this tick stands for.
bool IsDrift(const RowState& row, bool ticked);
// What the registry holds and what the program last set, for the drift marker.
std::string DriftText(const RowState& row, bool ticked);

} // namespace tessel
