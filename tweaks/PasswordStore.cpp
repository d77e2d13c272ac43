#include "tweaks/PasswordStore.h"

#include "tweaks/TRegistry.h"
#include "tweaks/TweakCatalogue.h"

namespace tessel {
namespace {

void OpenProgramKey(TRegistry& registry)
{
    registry.SelectRoot(Hive::CurrentUser);
    registry.OpenKeyCreating(kProgramKey);
}

void EnsurePasswordIn(TRegistry& registry, const std::function<void()>& onMissing)
{
    if (registry.HasValue(kPasswordValue))
        return;
    if (onMissing)
        onMissing();
    registry.WriteText(kPasswordValue, "");
}

} // namespace

void EnsurePassword(RegistryBackend& backend, const std::function<void()>& onMissing)
{
    TRegistry registry(backend);
    OpenProgramKey(registry);
    EnsurePasswordIn(registry, onMissing);
}

bool Login(RegistryBackend& backend, std::string_view typed, TweakTicks& ticks, MessageSink& messages,
           const std::function<void()>& onMissing)
{
    TRegistry registry(backend);
    OpenProgramKey(registry);
    EnsurePasswordIn(registry, onMissing);
    if (registry.ReadText(kPasswordValue) != typed) {
        messages.ShowMessage(kWrongPasswordMessage);
        return false;
    }
    LoadState(backend, ticks);
    return true;
}

void LoadState(RegistryBackend& backend, TweakTicks& ticks)
{
    // One read of the mirror for all its values.
    const auto batch = backend.BeginBatch();
    TRegistry registry(backend);
    registry.SelectRoot(Hive::CurrentUser);
    registry.OpenKeyCreating(kMirrorKey);
    for (const TweakEntry& tweak : Catalogue()) {
        // A first-run reset cut short leaves values missing: they read as "not
        // applied", so the login goes through and the next OK writes them all.
        // A value of the wrong kind still fails.
        ticks.SetTicked(tweak, registry.ReadDwordIfPresent(tweak.mirrorValue) == 1);
    }
}

PasswordChange ChangePassword(RegistryBackend& backend, std::string_view oldPassword,
                              std::string_view newPassword, std::string_view confirmation,
                              MessageSink& messages)
{
    TRegistry registry(backend);
    OpenProgramKey(registry);
    if (registry.ReadText(kPasswordValue) != oldPassword) {
        messages.ShowMessage(kWrongOldPasswordMessage);
        return PasswordChange::WrongOldPassword;
    }
    if (newPassword != confirmation) {
        messages.ShowMessage(kPasswordsDifferMessage);
        return PasswordChange::NewPasswordsDiffer;
    }
    registry.WriteText(kPasswordValue, newPassword);
    return PasswordChange::Changed;
}

} // namespace tessel
