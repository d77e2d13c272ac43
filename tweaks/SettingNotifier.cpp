#include "tweaks/SettingNotifier.h"

#include "tweaks/TweakCatalogue.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tessel {

bool ShouldNotify(const std::vector<ChangeRecord>& records)
{
    for (const ChangeRecord& record : records)
        if (record.outcome == ChangeOutcome::Done && record.key.rfind(kProgramKey, 0) != 0)
            return true;
    return false;
}

#ifdef _WIN32
namespace {

class BroadcastNotifier final : public SettingNotifier
{
public:
    bool BroadcastPolicyChange() override
    {
        DWORD_PTR result = 0;
        // A hung window must not freeze the program: give up after five seconds.
        return SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Policy"),
                                   SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }
};

} // namespace

std::unique_ptr<SettingNotifier> MakeSystemNotifier()
{
    return std::make_unique<BroadcastNotifier>();
}
#else
std::unique_ptr<SettingNotifier> MakeSystemNotifier()
{
    return nullptr;
}
#endif

} // namespace tessel
