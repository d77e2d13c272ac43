#pragma once

#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakPasses.h"

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tessel::test {

// A folder that is removed with everything in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

enum class BackendKind
{
    Memory,
    Sqlite,
    Win32,
};

// The backends this platform can run the shared suites against.
std::vector<BackendKind> PlatformBackends();
std::string BackendName(BackendKind kind);

// A backend of the given kind with fresh, empty hives.
class BackendUnderTest
{
public:
    explicit BackendUnderTest(BackendKind kind);
    ~BackendUnderTest();
    RegistryBackend& Get() { return *backend_; }
    // Opens the same hives again, as another program would.
    std::unique_ptr<RegistryBackend> Reopen() const;
    std::string UserPath() const;
    std::string MachinePath() const;

private:
    BackendKind kind_;
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<RegistryBackend> backend_;
};

// The catalogue row with this mirror name; throws for a name no row has.
const TweakEntry& Row(std::string_view mirror);

// Ticks held in a set of mirror names.
class TickSet final : public TweakTicks
{
public:
    static TickSet All();
    bool IsTicked(const TweakEntry& tweak) const override;
    void SetTicked(const TweakEntry& tweak, bool ticked) override;
    std::set<std::string> ticked;
};

class RecordedMessages final : public MessageSink
{
public:
    void ShowMessage(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

// Type and bytes of a value, or nothing when it cannot be read.
struct StoredValue
{
    long status = 0;
    std::uint32_t type = 0;
    std::string bytes;
};
StoredValue ReadStored(RegistryBackend& backend, Hive hive, std::string_view path, std::string_view name);

std::string Hex(std::string_view bytes);

// Passes every call through, failing those a test names.
class FailingBackend final : public RegistryBackend
{
public:
    explicit FailingBackend(RegistryBackend& inner) : inner_(inner) {}
    std::optional<std::string> failSetOf;  // value name whose writes fail
    std::optional<std::string> failOpenOf; // key path that cannot be opened
    std::optional<Hive> deniedHive;        // a hive whose keys cannot be opened
    std::optional<Hive> unreadableHive;    // a hive whose keys cannot even be read
    // Writes and removals that go through before every later one fails, as
    // when the program is killed there.
    std::optional<int> writesLeft;

protected:
    long DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key) override;
    long DoOpenKey(Hive hive, std::string_view path, Handle& key) override;
    long DoQueryValue(Handle key, std::string_view name, RegValue& value) override;
    long DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    long DoDeleteValue(Handle key, std::string_view name) override;
    long DoCloseKey(Handle key) override { return inner_.CloseKey(key); }
    std::unique_ptr<PassLock> DoLockForPass(const LockWaitNotice& notice) override
    {
        return inner_.LockForPass(notice);
    }

private:
    bool Killed() { return writesLeft && (*writesLeft)-- <= 0; }
    RegistryBackend& inner_;
};

// Every value the tweaks and the state mirror own, one tweak a line, as text
// that two states can be compared by.
std::string Snapshot(RegistryBackend& backend);

// Removes every value the program owns, as on an account that never ran it.
void ClearProgramValues(RegistryBackend& backend);

} // namespace tessel::test
