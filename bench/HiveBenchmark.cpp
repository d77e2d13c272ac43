// Opening the default store and a login-sized state load (the password and
// every mirror value), on a user hive with only the program's values and on
// one that also holds 1,000,000 unrelated values. Opening must not grow with
// the hive: read the ratio of the two lines. Run: build/bench/tessel_bench
#include "tweaks/DefaultBackend.h"
#include "tweaks/PasswordStore.h"
#include "tweaks/SqliteBackend.h"
#include "tweaks/TRegistry.h"
#include "tweaks/TweakPasses.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace tessel;

class Unticked final : public TweakTicks
{
public:
    bool IsTicked(const TweakEntry&) const override { return false; }
    void SetTicked(const TweakEntry&, bool) override {}
};

class NoMessages final : public MessageSink
{
public:
    void ShowMessage(std::string_view) override { std::abort(); }
};

// A user and a machine hive after the first login, optionally with a million
// unrelated values beside the program's; built once per run.
class LoggedInHives
{
public:
    explicit LoggedInHives(long unrelated)
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "tessel-hive-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        dir_ = pattern;
        {
            SqliteBackend backend({User(), Machine(), 5000, {}});
            NoMessages messages;
            EnsurePassword(backend, {});
            ApplyTweaks(backend, Unticked(), messages);
            TRegistry registry(backend);
            registry.OpenKeyCreating("Software\\Unrelated");
        }
        if (unrelated > 0) {
            sqlite3* db = nullptr;
            sqlite3_open(User().c_str(), &db);
            const std::string sql =
                "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                std::to_string(unrelated) +
                ") INSERT INTO vals SELECT (SELECT id FROM keys WHERE fold = 'UNRELATED'), 'v' || i, 'V' || "
                "i, 3,"
                " randomblob(16) FROM n; COMMIT;";
            if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
                std::abort();
            sqlite3_close(db);
        }
    }
    ~LoggedInHives() { std::filesystem::remove_all(dir_); }
    std::string User() const { return dir_ + "/user/user.db"; }
    std::string Machine() const { return dir_ + "/machine/machine.db"; }

private:
    std::string dir_;
};

const LoggedInHives& Hives(bool large)
{
    static const LoggedInHives fresh(0);
    static const LoggedInHives million(1000000);
    return large ? million : fresh;
}

void OpenAndLoadState(benchmark::State& state)
{
    const LoggedInHives& hives = Hives(state.range(0) == 1);
    ::setenv("TESSEL_HKCU_DB", hives.User().c_str(), 1);
    ::setenv("TESSEL_HKLM_DB", hives.Machine().c_str(), 1);
    NoMessages messages;
    Unticked ticks;
    for (auto _ : state) {
        auto backend = MakeDefaultBackend();
        if (!Login(*backend, "", ticks, messages, {}))
            std::abort();
    }
}

BENCHMARK(OpenAndLoadState)
    ->ArgNames({"million"})
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
