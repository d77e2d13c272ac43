#include "tweaks/TweakPasses.h"

#include "tweaks/TRegistry.h"

#include <exception>
#include <string>
#include <vector>

namespace tessel {
namespace {

void Perform(TRegistry& registry, std::string_view valueName, const TweakAction& action)
{
    RegValue value;
    if (ActionValue(action, value))
        registry.WriteValue(valueName, value);
    else
        registry.RemoveValue(valueName);
}

// Writes one state of a tweak. False when one of its keys could not be opened;
// the values of that key and of any later key are then left alone.
bool WriteTweak(RegistryBackend& backend, const TweakEntry& tweak, bool apply, MessageSink& messages)
{
    // Releasing the store object closes its key.
    TRegistry registry(backend);
    registry.SelectRoot(tweak.hive);
    for (const TweakWrite& write : tweak.writes) {
        const bool keyOpen = registry.HasCurrentKey() && registry.CurrentPath() == write.keyPath;
        if (!keyOpen && !registry.OpenKeyCreating(write.keyPath)) {
            messages.ShowMessage(RegistryMessage(apply ? tweak.applyMessage : tweak.revertMessage));
            return false;
        }
        Perform(registry, write.valueName, apply ? write.applied : write.reverted);
    }
    return true;
}

void WriteMirror(RegistryBackend& backend, const TweakEntry& tweak, std::int32_t value)
{
    TRegistry registry(backend);
    registry.SelectRoot(Hive::CurrentUser);
    // Not tested on purpose: if the mirror cannot be opened, the write raises.
    registry.OpenKeyCreating(kMirrorKey);
    registry.WriteDword(tweak.mirrorValue, value);
}

// Stores a row's writes together; a row that cannot be stored ends the pass
// as a failed write of its mirror value would.
void CommitRow(StoreBatch* batch, const TweakEntry& tweak)
{
    if (batch && batch->Commit() != status::Success)
        throw ERegistryException("Failed to set data for '" + std::string(tweak.mirrorValue) + "'");
}

class HeldMessages final : public MessageSink
{
public:
    void ShowMessage(std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

} // namespace

void RunLockedPass(RegistryBackend& backend, MessageSink& messages,
                   const std::function<void(MessageSink& held)>& pass)
{
    HeldMessages held;
    std::exception_ptr failure;
    {
        const auto lock = backend.LockForPass();
        try {
            pass(held);
        } catch (...) {
            failure = std::current_exception();
        }
    }
    for (const std::string& text : held.texts)
        messages.ShowMessage(text);
    if (failure)
        std::rethrow_exception(failure);
}

void ApplyTweaks(RegistryBackend& backend, const TweakTicks& ticks, MessageSink& messages,
                 PassObserver* observer)
{
    RunLockedPass(backend, messages, [&](MessageSink& held) {
        // One transaction per row: its values and its mirror value.
        const auto batch = backend.BeginBatch();
        for (const TweakEntry& tweak : Catalogue()) {
            const bool apply = ticks.IsTicked(tweak);
            if (observer)
                observer->RowStarting(tweak, apply);
            // The mirror only ever records what was really written.
            if (WriteTweak(backend, tweak, apply, held))
                WriteMirror(backend, tweak, apply ? 1 : 0);
            CommitRow(batch.get(), tweak);
        }
    });
}

bool RunFirstRunCheck(RegistryBackend& backend, MessageSink& messages, PassObserver* observer)
{
    bool ran = false;
    RunLockedPass(backend, messages, [&](MessageSink& held) {
        const auto batch = backend.BeginBatch();
        {
            TRegistry registry(backend);
            registry.SelectRoot(Hive::CurrentUser);
            registry.OpenKeyCreating(kProgramKey);
            if (registry.HasValue(kFirstRunMarker))
                return;
            // Marked first, so a reset cut short is never run again.
            registry.WriteText(kFirstRunMarker, "1");
        }
        if (batch && batch->Commit() != status::Success)
            throw ERegistryException("Failed to set data for '" + std::string(kFirstRunMarker) + "'");
        ran = true;
        for (const TweakEntry& tweak : Catalogue()) {
            if (observer)
                observer->RowStarting(tweak, false);
            WriteTweak(backend, tweak, false, held);
            // Written even when the tweak's key failed: a missing mirror value
            // would stop every later login.
            WriteMirror(backend, tweak, 0);
            CommitRow(batch.get(), tweak);
        }
    });
    return ran;
}

} // namespace tessel
