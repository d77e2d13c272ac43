#pragma once

#include "tweaks/RegistryTypes.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

struct RegValue
{
    std::uint32_t type = regtype::None;
    std::vector<std::uint8_t> data;
    // Set instead of `data` for a value beyond the registry's data limit: its
    // size can be asked for, its bytes are never loaded.
    std::optional<std::uint32_t> unloadedSize{};
};

// Held while a whole pass runs, from reading the ticks to logging what it did,
// so that two programs running a pass on the same hives at once never
// interleave their rows or work from each other's stale state.
class PassLock
{
public:
    virtual ~PassLock() = default;
};

// Groups the store's work until it is released: reads share one transaction,
// and the writes made since the last Commit are stored together, so a program
// killed before a Commit leaves none of them and one killed after it keeps
// them all. Releasing the group commits what is still open.
class StoreBatch
{
public:
    virtual ~StoreBatch() = default;
    // Stores the writes made since the last call; the status of the first
    // failure otherwise (and those writes are then not stored).
    virtual long Commit() = 0;
};

// Told once, when a pass has waited a few seconds for another one's lock, who
// holds it ("process 1234 (tessel)"; empty when that is not known).
using LockWaitNotice = std::function<void(const std::string& holder)>;

// The registry as the store sees it: a handful of calls that answer with Win32
// status codes. The public calls check names, paths and sizes against the
// registry's documented limits once, here, so every backend refuses the same
// things with the same codes; backends implement the protected Do* calls.
class RegistryBackend
{
public:
    using Handle = std::uint64_t;

    virtual ~RegistryBackend() = default;

    // Opens the key at `path` below the hive's root, creating missing keys.
    long CreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key);
    // Opens an existing key for reading only; never creates one. A missing key
    // (or a hive that does not exist yet) answers FileNotFound.
    long OpenKey(Hive hive, std::string_view path, Handle& key);
    // RegQueryValueEx semantics: `data` null asks only for type and size; a
    // buffer too small answers MoreData with the needed size.
    long QueryValue(Handle key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size);
    long SetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::size_t size);
    long DeleteValue(Handle key, std::string_view name);
    long CloseKey(Handle key);
    // The whole value in one query; a value beyond the registry's data limit
    // answers NotEnoughMemory and is not loaded.
    long QueryWholeValue(Handle key, std::string_view name, RegValue& value);

    // Null where every write is stored on its own as it is made.
    std::unique_ptr<StoreBatch> BeginBatch() { return DoBeginBatch(); }

    // Waits as long as another program's pass holds the lock; a pass never runs
    // without it. Taking it again while it is held through the same backend
    // returns at once. Null where the backend has nothing to serialise passes
    // with; raises a store error when the lock cannot be taken at all.
    std::unique_ptr<PassLock> LockForPass(const LockWaitNotice& notice = {}) { return DoLockForPass(notice); }

    // Why a hive could not be opened, for people: the file, the operation and
    // the system's reason, one hive a line. Empty when nothing failed.
    virtual std::string Diagnosis() const { return {}; }

protected:
    // `path` is normalised: no leading, trailing or doubled separators; empty
    // for the hive's root.
    virtual long DoCreateKey(Hive hive, std::string_view path, std::uint32_t access, Handle& key) = 0;
    virtual long DoOpenKey(Hive hive, std::string_view path, Handle& key) = 0;
    virtual long DoQueryValue(Handle key, std::string_view name, RegValue& value) = 0;
    virtual long DoSetValue(Handle key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t size) = 0;
    virtual long DoDeleteValue(Handle key, std::string_view name) = 0;
    virtual long DoCloseKey(Handle key) = 0;
    virtual std::unique_ptr<PassLock> DoLockForPass(const LockWaitNotice&) { return nullptr; }
    virtual std::unique_ptr<StoreBatch> DoBeginBatch() { return nullptr; }
};

// Reads a key path the way the registry does: doubled and trailing separators
// add nothing, "." and ".." are plain names. Returns BadPathName for a leading
// separator, MoreData for a path longer than the A calls take and
// InvalidParameter for a name beyond the limits.
long NormaliseKeyPath(std::string_view path, std::string& normalised);

// The names of a key path, split at separators between whole GBK characters.
std::vector<std::string_view> SplitKeyPath(std::string_view path);

// Number of characters in ANSI (GBK) text: a lead byte 0x81..0xFE and the byte
// after it are one character.
std::size_t AnsiCharCount(std::string_view text);

// The part of an ANSI name before its first zero byte, as the A calls see it.
std::string_view AnsiName(std::string_view name);

} // namespace tessel
