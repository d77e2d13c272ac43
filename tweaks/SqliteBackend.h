#pragma once

#include "tweaks/RegistryBackend.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessel {

// How waiting on a busy hive passes time; tests drive it without sleeping.
struct HiveClock
{
    std::function<std::chrono::milliseconds()> now;
    std::function<void(std::chrono::milliseconds)> sleep;
    static HiveClock Steady();
};

struct SqliteOptions
{
    std::string userPath;    // HKEY_CURRENT_USER
    std::string machinePath; // HKEY_LOCAL_MACHINE
    int busyTimeoutMs = 5000;
    std::string vfs; // empty: SQLite's default
    HiveClock clock = HiveClock::Steady();
    // How long a pass waits for another one's lock before it says so.
    int lockNoticeMs = 2000;
};

// The portable registry: each hive is an SQLite database whose tables hold
// keys and values with the registry's semantics (see the README for the
// schema). A hive is created only where nothing exists. Anything else at its
// place that is not one of our hives, is damaged, or breaks the ownership
// rules (see the README) is left exactly as it is, and opening keys in it fails.
class SqliteBackend final : public RegistryBackend
{
public:
    explicit SqliteBackend(SqliteOptions options);
    ~SqliteBackend() override;

    // $TESSEL_HKCU_DB or $XDG_CONFIG_HOME/tessel/user.db (~/.config/...), and
    // $TESSEL_HKLM_DB or /var/lib/tessel/machine.db.
    static SqliteOptions DefaultOptions();

    std::string Diagnosis() const override;

    // Makes the shared hive at `path` (the machine hive) where nothing exists
    // yet, as the program makes any hive, with the side files that every write
    // connection to it keeps; owners and modes are the caller's. An existing
    // hive is left as it is. Returns why it failed, empty on success.
    static std::string CreateSharedHive(const std::string& path);

    class Database;

protected:
    long DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key) override;
    long DoOpenKey(Hive hive, std::string_view path, Handle& key) override;
    long DoQueryValue(Handle key, std::string_view name, RegValue& value) override;
    long DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override;
    long DoDeleteValue(Handle key, std::string_view name) override;
    long DoCloseKey(Handle key) override;
    // The lock is the user hive's folder, held with flock.
    std::unique_ptr<PassLock> DoLockForPass(const LockWaitNotice& notice) override;
    // One transaction per hive for the reads, and per Commit for the writes.
    std::unique_ptr<StoreBatch> DoBeginBatch() override;

private:
    class HeldLock;
    class Batch;
    std::vector<Database*> Connections() const;
    struct OpenKey
    {
        Hive hive;
        long long id;
        bool readOnly = false;
    };
    Database* DatabaseOf(const OpenKey& open) const;
    const std::string& PathOf(Hive hive) const;
    const OpenKey* Find(Handle key) const;

    SqliteOptions options_;
    std::unique_ptr<Database> databases_[2];
    // Read-only connections, for reading hives this account may not write.
    std::unique_ptr<Database> readers_[2];
    std::string diagnoses_[2];
    std::unordered_map<Handle, OpenKey> open_;
    Handle next_ = 1;
    int passLockFd_ = -1;
    int passLockDepth_ = 0;
    int batchDepth_ = 0;
};

// The application_id that marks a file as one of our hives.
inline constexpr int kHiveApplicationId = 0x54534C48;

} // namespace tessel
