#pragma once

#include "tweaks/ChangeLog.h"

#include <memory>
#include <vector>

namespace tessel {

// Tells the running system that policy settings changed, so that Explorer
// picks up what it can without a restart.
class SettingNotifier
{
public:
    virtual ~SettingNotifier() = default;
    // True when the broadcast went out (within its timeout).
    virtual bool BroadcastPolicyChange() = 0;
};

// Worth telling the system: some tweak value really changed. The program's own
// key (the mirror, the originals) means nothing to it.
bool ShouldNotify(const std::vector<ChangeRecord>& records);

// WM_SETTINGCHANGE with "Policy" on Windows; null where no system listens.
std::unique_ptr<SettingNotifier> MakeSystemNotifier();

} // namespace tessel
