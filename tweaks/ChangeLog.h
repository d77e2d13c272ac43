#pragma once

#include "tweaks/RegistryBackend.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tessel {

enum class ChangeSource : std::uint8_t
{
    Window,
    CommandLine,
};

enum class ChangeOperation : std::uint8_t
{
    Pass,    // the apply-and-revert pass
    Reset,   // the first-run reset
    Restore, // putting originals back
};

enum class ChangeOutcome : std::uint8_t
{
    Done,
    OpenFailed, // the key could not be opened; nothing was written
    StoreError, // the write or deletion failed
};

// A value's state: absent, or its kind and exact bytes.
struct ValueState
{
    bool present = false;
    RegValue value;

    bool operator==(const ValueState& other) const
    {
        return present == other.present &&
               (!present || (value.type == other.value.type && value.data == other.value.data));
    }
};

// One line of the change log: what happened to one value.
struct ChangeRecord
{
    std::string time; // ISO 8601, UTC
    std::string account;
    ChangeSource source = ChangeSource::Window;
    ChangeOperation operation = ChangeOperation::Pass;
    int row = 0;       // 1-based catalogue row
    std::string tweak; // the row's mirror value name
    Hive hive = Hive::CurrentUser;
    std::string key;                  // UTF-8
    std::string value;                // UTF-8; empty: the unnamed value
    std::optional<ValueState> before; // empty: not read
    std::optional<ValueState> after;  // what was written, or meant to be
    ChangeOutcome outcome = ChangeOutcome::Done;
    long error = 0;      // the registry's status code
    std::string message; // what the user was shown, if anything
};

std::string_view SourceName(ChangeSource source);
std::string_view OperationName(ChangeOperation operation);
std::string_view OutcomeName(ChangeOutcome outcome);

// One record as a line for people: time, account, source, operation, row,
// location, old and new, outcome. UTF-8.
std::string RecordText(const ChangeRecord& record);

// One JSON object on one line (no line break), and back.
std::string ToJsonLine(const ChangeRecord& record);
std::optional<ChangeRecord> FromJsonLine(const std::string& line);

// "2026-01-31T23:59:59Z" for a point in time; parsing also takes "+08:00" offsets.
std::string IsoTime(std::chrono::system_clock::time_point time);
std::optional<std::chrono::system_clock::time_point> ParseIsoTime(std::string_view text);

// The name of the account the program runs as.
const std::string& CurrentAccount();

// The log of changes: JSON Lines, rotated at a size limit keeping three files
// (the log, .1 and .2). Where the system has file ownership, the log is used
// only when it is a regular file (never through a symlink) owned by this
// account and private to it, in a folder that others may not write; anything
// else is left untouched and the log is skipped with the reason.
class ChangeLog
{
public:
    static constexpr std::uintmax_t kDefaultLimit = 1024 * 1024;

    explicit ChangeLog(std::filesystem::path file, std::uintmax_t limit = kDefaultLimit);

    // $XDG_STATE_HOME/tessel/changes.jsonl (~/.local/state/tessel/...), or
    // %LOCALAPPDATA%\Tessel\changes.jsonl on Windows.
    static std::filesystem::path DefaultPath();

    const std::filesystem::path& Path() const { return file_; }

    // Writes all records in one append, so a killed program leaves whole
    // lines; a line torn by an earlier failed write is ended first. Appends and
    // rotations of several programs take turns. Empty text on success, else
    // what went wrong (the file and the reason).
    std::string Append(const std::vector<ChangeRecord>& records) const;

    // Hands over the records oldest first across the rotated files, one at a
    // time; only records at or after `since`. Lines that are not records are
    // skipped. Empty text on success, else why a file could not be read.
    std::string ReadEach(std::optional<std::chrono::system_clock::time_point> since,
                         const std::function<void(ChangeRecord&&)>& each) const;
    // The same, gathered; a file that cannot be read gives no records.
    std::vector<ChangeRecord> Read(std::optional<std::chrono::system_clock::time_point> since = {}) const;

private:
    std::filesystem::path Rotated(int n) const;

    std::filesystem::path file_;
    std::uintmax_t limit_;
};

} // namespace tessel
