#pragma once

#include "tweaks/ChangeLog.h"
#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakCatalogue.h"

#include <optional>
#include <string_view>

namespace tessel {

// What a tweak's values held before the program first touched them, kept in
// the tweak's own hive: below the program's key, one subkey per tweak named by
// its mirror value, one REG_BINARY value per tweak value, named like it. The
// data is empty for a value that was absent, else the 4-byte little-endian
// kind followed by the exact bytes.
inline constexpr std::string_view kOriginalsKey = "Software\\Microsoft\\Windows\\vardo\\Originals";

std::vector<std::uint8_t> EncodeOriginal(const ValueState& state);

enum class OriginalRecord : std::uint8_t
{
    Recorded,        // recorded now
    AlreadyRecorded, // an earlier record stays as it is
    Failed,          // the hive's originals key could not be written
};

// Records the value's prior state unless a record exists already.
OriginalRecord RecordOriginal(RegistryBackend& backend, const TweakEntry& tweak, const TweakWrite& write,
                              const ValueState& prior);

// A record that is not one: a wrong kind or length, data beyond the
// registry's limit, or a kind the registry does not have.
std::optional<ValueState> DecodeOriginal(const RegValue& record);

struct OriginalReading
{
    enum class Found : std::uint8_t
    {
        Recorded,
        NotRecorded,
        Damaged,
        Unreadable, // the record's key or value could not be read
    };
    Found found = Found::NotRecorded;
    ValueState state;
    long error = 0; // the registry's status code, when unreadable
};

// The recorded original of one value, read with read access only.
OriginalReading ReadOriginalRecord(RegistryBackend& backend, const TweakEntry& tweak,
                                   const TweakWrite& write);

// The recorded original of one value; empty when none was recorded or it cannot be used.
std::optional<ValueState> ReadOriginal(RegistryBackend& backend, const TweakEntry& tweak,
                                       const TweakWrite& write);

} // namespace tessel
