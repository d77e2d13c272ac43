#include "tweaks/RealState.h"

#include "tweaks/TweakDescriptions.h"

#include <algorithm>

namespace tessel {
namespace {

// Closes a key opened for reading when the reading is done.
class ReadKey
{
public:
    ReadKey(RegistryBackend& backend, Hive hive, std::string_view path) : backend_(backend)
    {
        status_ = backend.OpenKey(hive, path, key_);
    }
    ~ReadKey()
    {
        if (status_ == status::Success)
            backend_.CloseKey(key_);
    }
    ReadKey(const ReadKey&) = delete;
    ReadKey& operator=(const ReadKey&) = delete;

    long Status() const { return status_; }

    long Query(std::string_view name, RegValue& value)
    {
        return QueryWholeValue(backend_, key_, name, value);
    }

private:
    RegistryBackend& backend_;
    RegistryBackend::Handle key_ = 0;
    long status_;
};

// The text an action leaves, without what follows its first zero byte.
std::string_view TextOf(const ValueReading& reading)
{
    std::string_view text(reinterpret_cast<const char*>(reading.value.data.data()),
                          reading.value.data.size());
    return text.substr(0, text.find('\0'));
}

std::string ExpectedText(const TweakEntry& tweak, bool applied)
{
    std::string text;
    for (const TweakWrite& write : tweak.writes) {
        text += tweak.writes.size() > 1 ? "\n    " + std::string(write.valueName) + "：" : std::string(" → ");
        text += ActionText(applied ? write.applied : write.reverted);
    }
    return text;
}

} // namespace

long QueryWholeValue(RegistryBackend& backend, RegistryBackend::Handle key, std::string_view name,
                     RegValue& value)
{
    return backend.QueryWholeValue(key, name, value);
}

ValueReading ReadValue(RegistryBackend& backend, Hive hive, std::string_view keyPath,
                       std::string_view valueName)
{
    ValueReading reading;
    ReadKey key(backend, hive, keyPath);
    reading.status = key.Status() == status::Success ? key.Query(valueName, reading.value) : key.Status();
    return reading;
}

bool Matches(const TweakAction& action, const ValueReading& reading)
{
    if (action.kind == ActionKind::Delete)
        return reading.Absent();
    if (!reading.Present())
        return false;
    RegValue expected;
    ActionValue(action, expected);
    // Text counts as the same text whether or not it was stored with its terminator.
    if (action.kind == ActionKind::Text)
        return reading.value.type == regtype::Sz && TextOf(reading) == action.data;
    return reading.value.type == expected.type && reading.value.data == expected.data;
}

RowState ClassifyRow(RegistryBackend& backend, const TweakEntry& tweak)
{
    RowState row;
    row.tweak = &tweak;
    bool applied = true;
    bool reverted = true;
    bool untouched = true;
    bool unreadable = false;
    for (const TweakWrite& write : tweak.writes) {
        ValueReading reading = ReadValue(backend, tweak.hive, write.keyPath, write.valueName);
        reading.write = &write;
        unreadable |= !reading.Present() && !reading.Absent();
        applied &= Matches(write.applied, reading);
        reverted &= Matches(write.reverted, reading);
        untouched &= reading.Absent() || Matches(write.reverted, reading);
        row.values.push_back(std::move(reading));
    }
    row.state = unreadable  ? RealState::Unreadable
                : applied   ? RealState::Applied
                : reverted  ? RealState::Reverted
                : untouched ? RealState::Default
                            : RealState::Other;
    const ValueReading mirror = ReadValue(backend, Hive::CurrentUser, kMirrorKey, tweak.mirrorValue);
    if (mirror.Present() && mirror.value.type == regtype::Dword && mirror.value.data.size() == 4)
        row.mirror = static_cast<std::int32_t>(DwordFromBytes(mirror.value.data.data()));
    return row;
}

std::vector<RowState> ClassifyAll(RegistryBackend& backend)
{
    // One read of each hive for all rows.
    const auto batch = backend.BeginBatch();
    std::vector<RowState> rows;
    for (const TweakEntry& tweak : Catalogue())
        rows.push_back(ClassifyRow(backend, tweak));
    return rows;
}

std::string_view StateText(RealState state)
{
    switch (state) {
    case RealState::Applied:
        return "已应用";
    case RealState::Reverted:
        return "已撤消";
    case RealState::Other:
        return "其他值（由别的程序或策略设置）";
    case RealState::Default:
        return "系统默认（从未设置）";
    case RealState::Unreadable:
        return "无法读取";
    }
    return {};
}

std::string ReadingText(const ValueReading& reading)
{
    if (reading.Present())
        return ValueText(reading.value);
    if (reading.Absent())
        return "不存在";
    return "无法读取（错误 " + std::to_string(reading.status) + "）";
}

bool IsDrift(const RowState& row, bool ticked)
{
    // The system's default is what an unticked box leaves on a machine nobody changed.
    if (!ticked && row.state == RealState::Default)
        return false;
    return row.state != (ticked ? RealState::Applied : RealState::Reverted);
}

std::string DriftText(const RowState& row, bool ticked)
{
    std::string text = "注册表现状：";
    text += StateText(row.state);
    for (const ValueReading& reading : row.values) {
        text += "\n    ";
        if (row.values.size() > 1)
            text += std::string(reading.write->valueName) + "：";
        text += ReadingText(reading);
    }
    text += ticked ? "\n本程序上次设置：应用" : "\n本程序上次设置：撤消";
    text += ExpectedText(*row.tweak, ticked);
    return text;
}

} // namespace tessel
