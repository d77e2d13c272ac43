// A full apply pass (every box ticked, and none) and a state load, on the
// in-memory registry and on the SQLite hives. Run: build/bench/tessel_bench
#include "tweaks/MemoryBackend.h"
#include "tweaks/PasswordStore.h"
#include "tweaks/SqliteBackend.h"
#include "tweaks/TweakCatalogue.h"
#include "tweaks/TweakPasses.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tessel;

class Ticks final : public TweakTicks
{
public:
    explicit Ticks(bool all) : all_(all) {}
    bool IsTicked(const TweakEntry&) const override { return all_; }
    void SetTicked(const TweakEntry&, bool ticked) override { loaded_ += ticked; }

private:
    bool all_;
    int loaded_ = 0;
};

class NoMessages final : public MessageSink
{
public:
    void ShowMessage(std::string_view) override { std::abort(); }
};

// Fresh hives in a folder of their own, removed afterwards.
class Hives
{
public:
    Hives()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessel-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        dir_ = pattern;
    }
    ~Hives() { std::filesystem::remove_all(dir_); }
    std::unique_ptr<RegistryBackend> Make(bool sqlite) const
    {
        if (!sqlite)
            return std::make_unique<MemoryBackend>();
        return std::make_unique<SqliteBackend>(
            SqliteOptions{dir_ + "/user.db", dir_ + "/machine.db", 5000, {}});
    }

private:
    std::string dir_;
};

void ApplyPass(benchmark::State& state)
{
    Hives hives;
    auto backend = hives.Make(state.range(0) == 1);
    const Ticks ticks(state.range(1) == 1);
    NoMessages messages;
    ApplyTweaks(*backend, ticks, messages); // the hives and keys exist, as after the first login
    for (auto _ : state)
        ApplyTweaks(*backend, ticks, messages);
}

void StateLoad(benchmark::State& state)
{
    Hives hives;
    auto backend = hives.Make(state.range(0) == 1);
    NoMessages messages;
    ApplyTweaks(*backend, Ticks(true), messages);
    Ticks ticks(false);
    for (auto _ : state)
        LoadState(*backend, ticks);
}

void Options(benchmark::internal::Benchmark* b)
{
    b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
}

BENCHMARK(ApplyPass)->ArgNames({"sqlite", "ticked"})->ArgsProduct({{0, 1}, {1, 0}})->Apply(Options);
BENCHMARK(StateLoad)->ArgNames({"sqlite"})->Arg(0)->Arg(1)->Apply(Options);

} // namespace

BENCHMARK_MAIN();
