#pragma once

#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakPasses.h"

#include <functional>
#include <string_view>

namespace tessel {

inline constexpr std::string_view kWrongPasswordMessage = "密码不正确！";
inline constexpr std::string_view kWrongOldPasswordMessage = "输入的旧密码不正确！";
inline constexpr std::string_view kPasswordsDifferMessage = "两次输入的更改密码不一致！";

// Writes the empty password when none is stored. `onMissing` runs first, so a
// window can disable its edit even if the write then fails.
void EnsurePassword(RegistryBackend& backend, const std::function<void()>& onMissing);

// Compares the typed text (GBK bytes) with the stored password byte for byte.
// On a match fills the ticks from the state mirror, stopping with the store's
// error at the first value that cannot be read (a missing one reads as 0), and
// returns true; otherwise
// shows the wrong-password message and returns false.
bool Login(RegistryBackend& backend, std::string_view typed, TweakTicks& ticks, MessageSink& messages,
           const std::function<void()>& onMissing);

// Ticks exactly the tweaks whose mirror value is 1; a missing value unticks.
void LoadState(RegistryBackend& backend, TweakTicks& ticks);

enum class PasswordChange
{
    WrongOldPassword,
    NewPasswordsDiffer,
    Changed,
};

// Checks the old password, then that both new texts agree, showing the matching
// message on failure; stores the new password otherwise.
PasswordChange ChangePassword(RegistryBackend& backend, std::string_view oldPassword,
                              std::string_view newPassword, std::string_view confirmation,
                              MessageSink& messages);

} // namespace tessel
