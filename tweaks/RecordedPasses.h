#pragma once

#include "tweaks/ChangeLog.h"
#include "tweaks/RealState.h"
#include "tweaks/SettingNotifier.h"
#include "tweaks/TweakPasses.h"

#include <chrono>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tessel {

// Where changes come from and where they are written down.
struct ChangeContext
{
    ChangeSource source = ChangeSource::Window;
    const ChangeLog* log = nullptr;      // nothing is logged without one
    SettingNotifier* notifier = nullptr; // nothing is broadcast without one
    std::string account = CurrentAccount();
    std::function<std::chrono::system_clock::time_point()> now = [] {
        return std::chrono::system_clock::now();
    };
};

struct PassReport
{
    bool ran = true;                   // false: the first-run reset was not due
    std::vector<ChangeRecord> records; // what was appended to the log
    std::string logError;              // empty when the log took the records
    bool notified = false;
};

// The passes as they stand, with each value's original recorded before its
// first change and every change logged in one append. A store error still
// ends the pass and propagates, after the log has been written.
PassReport RecordedApplyTweaks(RegistryBackend& backend, const TweakTicks& ticks, MessageSink& messages,
                               const ChangeContext& context);
PassReport RecordedFirstRunCheck(RegistryBackend& backend, MessageSink& messages,
                                 const ChangeContext& context);

enum class RestoreOutcome : std::uint8_t
{
    Restored,
    NothingRecorded, // the program never changed the row's values
    OpenFailed,
    StoreError,
    Damaged,    // a recorded original is not a record a restore can use; nothing written
    Unreadable, // a recorded original could not be read; nothing written
};

struct RestoreResult
{
    const TweakEntry* tweak = nullptr;
    RestoreOutcome outcome = RestoreOutcome::NothingRecorded;
    long error = 0;
    RealState state = RealState::Unreadable; // after the restore
};

struct RestoreReport
{
    std::vector<RestoreResult> rows;
    std::vector<ChangeRecord> records;
    std::string logError;
    bool notified = false;
};

// Puts each row's recorded originals back (writing or deleting) and sets its
// mirror to match what the registry then holds: 1 only when that is the
// applied state. Failures are reported per row, never raised.
RestoreReport Restore(RegistryBackend& backend, std::span<const TweakEntry* const> rows,
                      const ChangeContext& context);
// Every row of the catalogue.
RestoreReport RestoreAll(RegistryBackend& backend, const ChangeContext& context);

std::string_view RestoreOutcomeText(RestoreOutcome outcome);

} // namespace tessel
