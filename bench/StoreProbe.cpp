// The store's cost in system calls and time, for bench/store-cost.sh: runs N
// apply passes (or state loads) on hives in FOLDER after a first pass made
// them, so that a count taken under strace for N and for N + 10 passes gives
// the cost of ten, and prints the microseconds per pass.
//   tessel_store_probe sqlite|memory pass|flip|recorded|load N FOLDER
#include "tweaks/ChangeLog.h"
#include "tweaks/MemoryBackend.h"
#include "tweaks/PasswordStore.h"
#include "tweaks/RecordedPasses.h"
#include "tweaks/SqliteBackend.h"
#include "tweaks/TweakPasses.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>

namespace {

using namespace tessel;

class Ticks final : public TweakTicks
{
public:
    bool all = true;
    bool IsTicked(const TweakEntry&) const override { return all; }
    void SetTicked(const TweakEntry&, bool) override {}
};

class NoMessages final : public MessageSink
{
public:
    void ShowMessage(std::string_view text) override
    {
        std::fprintf(stderr, "unexpected message: %.*s\n", static_cast<int>(text.size()), text.data());
        std::exit(1);
    }
};

// One step of the chosen kind: `pass` applies the same ticks each time (as
// pressing OK twice does), `flip` ticks and unticks every row in turn, so that
// every value and mirror value changes, `recorded` is the window's pass with
// originals and the change log, `load` the state load of a login.
std::function<void()> Step(const std::string& kind, RegistryBackend& backend, Ticks& ticks,
                           const ChangeLog& log, MessageSink& messages)
{
    if (kind == "pass")
        return [&] { ApplyTweaks(backend, ticks, messages); };
    if (kind == "flip")
        return [&] {
            ticks.all = !ticks.all;
            ApplyTweaks(backend, ticks, messages);
        };
    if (kind == "recorded")
        return [&] {
            ChangeContext context;
            context.log = &log;
            ticks.all = !ticks.all;
            RecordedApplyTweaks(backend, ticks, messages, context);
        };
    if (kind == "load")
        return [&] { LoadState(backend, ticks); };
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s sqlite|memory pass|flip|recorded|load N FOLDER\n", argv[0]);
        return 2;
    }
    const std::string store = argv[1];
    const std::string kind = argv[2];
    const int count = std::atoi(argv[3]);
    const std::string dir = argv[4];
    NoMessages messages;
    const ChangeLog log(dir + "/changes.jsonl");
    std::unique_ptr<RegistryBackend> backend;
    if (store == "sqlite")
        backend =
            std::make_unique<SqliteBackend>(SqliteOptions{dir + "/user.db", dir + "/machine.db", 5000, {}});
    else
        backend = std::make_unique<MemoryBackend>();
    Ticks ticks;
    const auto step = Step(kind, *backend, ticks, log, messages);
    if (!step) {
        std::fprintf(stderr, "unknown kind %s\n", kind.c_str());
        return 2;
    }
    // The hives, keys and values exist, as after the first login.
    ApplyTweaks(*backend, ticks, messages);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i)
        step();
    const double us =
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s %s: %.1f us per step\n", store.c_str(), kind.c_str(), count > 0 ? us / count : 0.0);
    return 0;
}
