#pragma once

#include "tweaks/RegistryBackend.h"
#include "tweaks/TweakCatalogue.h"

#include <functional>
#include <string_view>

namespace tessel {

// The main window's tweak check boxes, as the passes and the state load see them.
class TweakTicks
{
public:
    virtual ~TweakTicks() = default;
    virtual bool IsTicked(const TweakEntry& tweak) const = 0;
    virtual void SetTicked(const TweakEntry& tweak, bool ticked) = 0;
};

// The plain modal message box; returns when the user has closed it. UTF-8.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void ShowMessage(std::string_view text) = 0;
};

// Told which row a pass is about to write, so that what follows can be put
// down to it.
class PassObserver
{
public:
    virtual ~PassObserver() = default;
    virtual void RowStarting(const TweakEntry& tweak, bool apply) = 0;
};

// Runs `pass` under the backend's pass lock with its messages held back, and
// shows them, in their order, once the lock is released: a modal box never
// keeps another program's pass waiting. A store error still propagates, after
// the messages it followed.
void RunLockedPass(RegistryBackend& backend, MessageSink& messages,
                   const std::function<void(MessageSink& held)>& pass);

// Applies every ticked tweak and reverts every other one, row by row, and
// records each in the state mirror. A row whose key cannot be opened shows its
// numbered message, is skipped and keeps its old mirror value. A store error
// ends the pass where it happened.
void ApplyTweaks(RegistryBackend& backend, const TweakTicks& ticks, MessageSink& messages,
                 PassObserver* observer = nullptr);

// Reverts every tweak and zeroes the mirror once per account, marked by
// `Frist`. Returns true when the reset ran on this call.
bool RunFirstRunCheck(RegistryBackend& backend, MessageSink& messages, PassObserver* observer = nullptr);

} // namespace tessel
