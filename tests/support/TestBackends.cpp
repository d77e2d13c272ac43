#include "tests/support/TestBackends.h"

#include "tweaks/Originals.h"
#include "tweaks/TweakCatalogue.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

#ifdef _WIN32
#include "tweaks/Win32Backend.h"
#else
#include "tweaks/MemoryBackend.h"
#include "tweaks/SqliteBackend.h"
#include <cstdlib>
#endif

namespace tessel::test {

TempDir::TempDir()
{
#ifdef _WIN32
    path_ = (std::filesystem::temp_directory_path() / ("tessel-" + std::to_string(std::rand()))).string();
    std::filesystem::create_directories(path_);
#else
    std::string pattern = (std::filesystem::temp_directory_path() / "tessel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
#endif
}

TempDir::~TempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::vector<BackendKind> PlatformBackends()
{
#ifdef _WIN32
    return {BackendKind::Win32};
#else
    return {BackendKind::Memory, BackendKind::Sqlite};
#endif
}

std::string BackendName(BackendKind kind)
{
    switch (kind) {
    case BackendKind::Memory:
        return "Memory";
    case BackendKind::Sqlite:
        return "Sqlite";
    case BackendKind::Win32:
        return "Win32";
    }
    return "?";
}

BackendUnderTest::BackendUnderTest(BackendKind kind) : kind_(kind)
{
    if (kind != BackendKind::Win32)
        dir_ = std::make_unique<TempDir>();
    backend_ = Reopen();
    if (kind == BackendKind::Win32)
        ClearProgramValues(*backend_);
}

namespace {

void DeleteValue(RegistryBackend& backend, Hive hive, std::string_view path, std::string_view name)
{
    RegistryBackend::Handle key = 0;
    if (backend.CreateKey(hive, path, KeyAllAccess, key) == status::Success) {
        backend.DeleteValue(key, name);
        backend.CloseKey(key);
    }
}

} // namespace

void ClearProgramValues(RegistryBackend& backend)
{
    // The real registry outlives a test: start each from no program values.
    for (const TweakEntry& tweak : Catalogue()) {
        for (const TweakWrite& write : tweak.writes) {
            DeleteValue(backend, tweak.hive, write.keyPath, write.valueName);
            DeleteValue(backend, tweak.hive,
                        std::string(kOriginalsKey) + "\\" + std::string(tweak.mirrorValue), write.valueName);
        }
        DeleteValue(backend, Hive::CurrentUser, kMirrorKey, tweak.mirrorValue);
    }
    DeleteValue(backend, Hive::CurrentUser, kProgramKey, kFirstRunMarker);
    DeleteValue(backend, Hive::CurrentUser, kProgramKey, kPasswordValue);
}

BackendUnderTest::~BackendUnderTest() = default;

std::string BackendUnderTest::UserPath() const
{
    return dir_ ? dir_->File("user.db") : "";
}

std::string BackendUnderTest::MachinePath() const
{
    return dir_ ? dir_->File("machine.db") : "";
}

std::unique_ptr<RegistryBackend> BackendUnderTest::Reopen() const
{
    switch (kind_) {
#ifdef _WIN32
    case BackendKind::Win32:
        return std::make_unique<Win32Backend>();
#else
    case BackendKind::Memory:
        if (backend_)
            throw std::logic_error("a memory registry cannot be reopened");
        return std::make_unique<MemoryBackend>();
    case BackendKind::Sqlite:
        return std::make_unique<SqliteBackend>(SqliteOptions{UserPath(), MachinePath(), 2000, {}});
#endif
    default:
        throw std::logic_error("backend not available on this platform");
    }
}

const TweakEntry& Row(std::string_view mirror)
{
    for (const TweakEntry& tweak : Catalogue())
        if (tweak.mirrorValue == mirror)
            return tweak;
    throw std::out_of_range(std::string(mirror));
}

TickSet TickSet::All()
{
    TickSet set;
    for (const TweakEntry& tweak : Catalogue())
        set.ticked.emplace(tweak.mirrorValue);
    return set;
}

bool TickSet::IsTicked(const TweakEntry& tweak) const
{
    return ticked.count(std::string(tweak.mirrorValue)) > 0;
}

void TickSet::SetTicked(const TweakEntry& tweak, bool on)
{
    if (on)
        ticked.emplace(tweak.mirrorValue);
    else
        ticked.erase(std::string(tweak.mirrorValue));
}

StoredValue ReadStored(RegistryBackend& backend, Hive hive, std::string_view path, std::string_view name)
{
    StoredValue result;
    RegistryBackend::Handle key = 0;
    result.status = backend.CreateKey(hive, path, KeyAllAccess, key);
    if (result.status != status::Success)
        return result;
    std::uint32_t size = 0;
    result.status = backend.QueryValue(key, name, &result.type, nullptr, &size);
    if (result.status == status::Success) {
        result.bytes.resize(size);
        result.status = backend.QueryValue(key, name, &result.type,
                                           reinterpret_cast<std::uint8_t*>(result.bytes.data()), &size);
        result.bytes.resize(size);
    }
    backend.CloseKey(key);
    return result;
}

long FailingBackend::DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key)
{
    if (hive == deniedHive || hive == unreadableHive || path == failOpenOf)
        return status::AccessDenied;
    return inner_.CreateKey(hive, path, access, key);
}

long FailingBackend::DoOpenKey(Hive hive, std::string_view path, Handle& key)
{
    if (hive == unreadableHive)
        return status::AccessDenied;
    return inner_.OpenKey(hive, path, key);
}

long FailingBackend::DoQueryValue(Handle key, std::string_view name, RegValue& value)
{
    std::uint32_t size = 0;
    long rc = inner_.QueryValue(key, name, &value.type, nullptr, &size);
    value.data.resize(size);
    if (rc == status::Success)
        rc = inner_.QueryValue(key, name, &value.type, value.data.data(), &size);
    return rc;
}

long FailingBackend::DoSetValue(Handle key, std::string_view name, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size)
{
    if (name == failSetOf)
        return status::AccessDenied;
    if (Killed())
        return status::Io;
    return inner_.SetValue(key, name, type, data, size);
}

long FailingBackend::DoDeleteValue(Handle key, std::string_view name)
{
    return Killed() ? status::Io : inner_.DeleteValue(key, name);
}

std::string Snapshot(RegistryBackend& backend)
{
    std::string out;
    for (const TweakEntry& tweak : Catalogue()) {
        for (const TweakWrite& write : tweak.writes) {
            const StoredValue v = ReadStored(backend, tweak.hive, write.keyPath, write.valueName);
            out += std::to_string(v.status) + ":" + std::to_string(v.type) + ":" + Hex(v.bytes) + " ";
        }
        const StoredValue mirror = ReadStored(backend, Hive::CurrentUser, kMirrorKey, tweak.mirrorValue);
        out += std::to_string(mirror.status) + ":" + Hex(mirror.bytes) + "\n";
    }
    return out;
}

std::string Hex(std::string_view bytes)
{
    std::string out;
    char buf[4];
    for (unsigned char c : bytes) {
        std::snprintf(buf, sizeof buf, "%02X", c);
        out += buf;
    }
    return out;
}

} // namespace tessel::test
