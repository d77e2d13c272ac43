#include "tweaks/Originals.h"

#include "tweaks/RealState.h"

namespace tessel {
namespace {

std::string OriginalsKeyOf(const TweakEntry& tweak)
{
    return std::string(kOriginalsKey) + '\\' + std::string(tweak.mirrorValue);
}

} // namespace

std::vector<std::uint8_t> EncodeOriginal(const ValueState& state)
{
    if (!state.present)
        return {};
    const auto kind = DwordBytes(state.value.type);
    std::vector<std::uint8_t> data(kind.begin(), kind.end());
    data.insert(data.end(), state.value.data.begin(), state.value.data.end());
    return data;
}

std::optional<ValueState> DecodeOriginal(const RegValue& record)
{
    ValueState state;
    if (record.type != regtype::Binary || record.unloadedSize ||
        (!record.data.empty() && record.data.size() < 4))
        return std::nullopt;
    if (record.data.empty())
        return state;
    const auto& d = record.data;
    state.present = true;
    state.value.type = DwordFromBytes(d.data());
    if (state.value.type > regtype::Qword || d.size() - 4 > limits::ValueDataBytes)
        return std::nullopt;
    state.value.data.assign(d.begin() + 4, d.end());
    return state;
}

OriginalRecord RecordOriginal(RegistryBackend& backend, const TweakEntry& tweak, const TweakWrite& write,
                              const ValueState& prior)
{
    RegistryBackend::Handle key = 0;
    // Needs the same write access as the tweak itself: an account that may not
    // write the machine hive records nothing there.
    if (backend.CreateKey(tweak.hive, OriginalsKeyOf(tweak), KeyAllAccess, key) != status::Success)
        return OriginalRecord::Failed;
    std::uint32_t size = 0;
    OriginalRecord result = OriginalRecord::AlreadyRecorded;
    const long found = backend.QueryValue(key, write.valueName, nullptr, nullptr, &size);
    if (found == status::FileNotFound) {
        const std::vector<std::uint8_t> data = EncodeOriginal(prior);
        result = backend.SetValue(key, write.valueName, regtype::Binary, data.data(), data.size()) ==
                         status::Success
                     ? OriginalRecord::Recorded
                     : OriginalRecord::Failed;
    } else if (found != status::Success) {
        result = OriginalRecord::Failed;
    }
    backend.CloseKey(key);
    return result;
}

OriginalReading ReadOriginalRecord(RegistryBackend& backend, const TweakEntry& tweak, const TweakWrite& write)
{
    OriginalReading result;
    const ValueReading reading = ReadValue(backend, tweak.hive, OriginalsKeyOf(tweak), write.valueName);
    if (reading.Absent())
        return result;
    // Data beyond the registry's limit is never loaded: no store wrote such a record.
    if (reading.status == status::NotEnoughMemory) {
        result.found = OriginalReading::Found::Damaged;
        return result;
    }
    if (!reading.Present()) {
        result.found = OriginalReading::Found::Unreadable;
        result.error = reading.status;
        return result;
    }
    const std::optional<ValueState> state = DecodeOriginal(reading.value);
    result.found = state ? OriginalReading::Found::Recorded : OriginalReading::Found::Damaged;
    if (state)
        result.state = *state;
    return result;
}

std::optional<ValueState> ReadOriginal(RegistryBackend& backend, const TweakEntry& tweak,
                                       const TweakWrite& write)
{
    OriginalReading reading = ReadOriginalRecord(backend, tweak, write);
    if (reading.found != OriginalReading::Found::Recorded)
        return std::nullopt;
    return std::move(reading.state);
}

} // namespace tessel
