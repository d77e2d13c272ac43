// Windows only: the exported .reg file goes through the system's own regedit.
#include "cli/FleetExport.h"
#include "tests/support/TestBackends.h"
#include "tweaks/TweakCatalogue.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

namespace tessel::test {
namespace {

// Runs `regedit /S FILE` and waits for it; its exit code, or -1 when it did not run.
long Regedit(const std::string& file)
{
    std::wstring command = L"regedit.exe /S \"" + std::wstring(file.begin(), file.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

TickSet Opposite(const TickSet& ticks)
{
    TickSet out = TickSet::All();
    for (const std::string& name : ticks.ticked)
        out.ticked.erase(name);
    return out;
}

std::string WithMarker(RegistryBackend& backend)
{
    const StoredValue marker = ReadStored(backend, Hive::CurrentUser, kProgramKey, kFirstRunMarker);
    return Snapshot(backend) + "marker " + std::to_string(marker.status) + ":" + Hex(marker.bytes);
}

TEST(RegImport, RegeditLeavesWhatThePassLeaves)
{
    TickSet mixed;
    mixed.ticked = {"NoViewContextMenu", "NoDrives",    "reg", "NoSetFolders", "AutoShareWks", "1803",
                    "DefaultRcvWindow",  "AutoEndTasks"};
    const std::pair<const char*, TickSet> cases[] = {
        {"all on", TickSet::All()}, {"all off", TickSet{}}, {"mixed", mixed}};
    TempDir dir;
    for (const auto& [name, ticks] : cases) {
        BackendUnderTest registry(BackendKind::Win32);
        RecordedMessages messages;
        // Both start from the opposite ticks, so that every set and every removal shows.
        ApplyTweaks(registry.Get(), Opposite(ticks), messages);
        RunFirstRunCheck(registry.Get(), messages);
        ApplyTweaks(registry.Get(), ticks, messages);
        ASSERT_TRUE(messages.texts.empty()) << name;
        const std::string pass = WithMarker(registry.Get());

        ClearProgramValues(registry.Get());
        ApplyTweaks(registry.Get(), Opposite(ticks), messages);
        const std::string file = dir.File("tessel.reg");
        std::ofstream(file, std::ios::binary) << ToRegFile(PlanApply(ticks));
        ASSERT_EQ(Regedit(file), 0) << name;
        EXPECT_EQ(WithMarker(registry.Get()), pass) << name;
    }
}

} // namespace
} // namespace tessel::test
