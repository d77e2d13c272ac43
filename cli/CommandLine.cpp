#include "cli/CommandLine.h"

#include "access/PasswordStore.h"
#include "cli/Completion.h"
#include "cli/FleetExport.h"
#include "cli/Profile.h"
#include "cli/Terminal.h"
#include "tweaks/DefaultBackend.h"
#include "tweaks/GbkCodec.h"
#include "tweaks/NameFolding.h"
#include "tweaks/RealState.h"
#include "tweaks/RecordedPasses.h"
#include "tweaks/TRegistry.h"
#include "tweaks/TweakCatalogue.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace tessel {
namespace {

struct Options
{
    std::string on;
    std::string off;
    std::string profile;
    bool passwordStdin = false;
    std::string format;
    bool current = false;
    std::string output;
    bool json = false;
    std::string rows;
    std::string since;
};

// The numbered messages of the passes, one a line on standard error.
class ErrorStreamMessages final : public MessageSink
{
public:
    explicit ErrorStreamMessages(std::ostream& err) : err_(err) {}
    void ShowMessage(std::string_view text) override
    {
        err_ << text << '\n';
        ++count;
    }
    int count = 0;

private:
    std::ostream& err_;
};

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw UsageError("cannot read " + path + ": " + std::strerror(errno));
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// The ticks a command works from: the profile or the mirror as the base (or
// nothing ticked), then the rows named by --on and --off.
class TickRequest
{
public:
    explicit TickRequest(const Options& options)
    {
        if (!options.on.empty())
            SetRows(on_, options.on, true, "--on");
        if (!options.off.empty())
            SetRows(off_, options.off, true, "--off");
        for (std::string_view name : on_.Ticked())
            if (off_.Ticked().count(name) && options.on != "all" && options.off != "all")
                throw UsageError("row " + std::string(name) + " is named by both --on and --off");
        if (options.on == "all" && options.off == "all")
            throw UsageError("--on all and --off all contradict each other");
        if (!options.profile.empty())
            profile_ = ReadProfile(ReadFile(options.profile), options.profile);
    }

    bool HasProfile() const { return profile_.has_value(); }

    // `base` holds the mirror's ticks when there is no profile.
    TickChoice Resolve(TickChoice base) const
    {
        TickChoice ticks = profile_ ? *profile_ : std::move(base);
        for (const TweakEntry& row : Catalogue()) {
            if (on_.IsTicked(row))
                ticks.SetTicked(row, true);
            if (off_.IsTicked(row))
                ticks.SetTicked(row, false);
        }
        return ticks;
    }

private:
    TickChoice on_;
    TickChoice off_;
    std::optional<TickChoice> profile_;
};

// The password is kept in code page 936; the command line reads UTF-8.
std::string PasswordBytes(const std::string& utf8)
{
    std::string gbk;
    if (!Utf16ToGbk(Utf8ToUtf16(utf8), gbk))
        throw UsageError("the password holds characters that the stored password cannot (it is kept in GBK)");
    return gbk;
}

std::string ObtainPassword(const Options& options, CommandIo& io, std::string_view command)
{
    if (options.passwordStdin) {
        std::string line;
        std::getline(io.in, line);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return PasswordBytes(line);
    }
    if (io.askPassword)
        if (std::optional<std::string> typed = io.askPassword())
            return PasswordBytes(*typed);
    throw UsageError(std::string(command) +
                     " needs the password: give it on standard input with --password-stdin, or run "
                     "tessel in a terminal to be asked");
}

// The registry, opened when a command first needs it and kept for the error report.
struct Session
{
    CommandIo& io;
    std::unique_ptr<RegistryBackend> registry;
    std::optional<ChangeLog> log;
    std::unique_ptr<SettingNotifier> notifier;

    RegistryBackend& Registry()
    {
        if (!registry)
            registry = io.openRegistry();
        return *registry;
    }

    // Changes made here are logged as the command line's.
    ChangeContext Context()
    {
        if (!io.logPath.empty() && !log)
            log.emplace(io.logPath);
        if (!notifier)
            notifier = MakeSystemNotifier();
        ChangeContext context;
        context.source = ChangeSource::CommandLine;
        context.log = log ? &*log : nullptr;
        context.notifier = notifier.get();
        return context;
    }

    void ReportLogError(const std::string& error)
    {
        if (!error.empty())
            io.err << "tessel: the change log was not written: " << error << '\n';
    }
};

// As the log-in button does: the first-run reset, then the password. False
// for a wrong password.
bool LogIn(const Options& options, std::string_view command, Session& session, TickChoice& mirror,
           MessageSink& messages)
{
    const std::string password = ObtainPassword(options, session.io, command);
    RegistryBackend& registry = session.Registry();
    session.ReportLogError(RecordedFirstRunCheck(registry, messages, session.Context()).logError);
    ErrorStreamMessages loginMessages(session.io.err);
    return Login(registry, password, mirror, loginMessages, nullptr);
}

int Apply(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    const TickRequest request(options);
    ErrorStreamMessages messages(io.err);
    TickChoice mirror;
    if (!LogIn(options, "apply", session, mirror, messages))
        return exitcode::WrongPassword;
    const PassReport report = RecordedApplyTweaks(session.Registry(), request.Resolve(std::move(mirror)),
                                                  messages, session.Context());
    session.ReportLogError(report.logError);
    io.out << "设置成功，重启生效！\n";
    return messages.count ? exitcode::RowsNotOpened : exitcode::Done;
}

std::string_view StateName(RealState state)
{
    switch (state) {
    case RealState::Applied:
        return "applied";
    case RealState::Reverted:
        return "reverted";
    case RealState::Other:
        return "other";
    case RealState::Unreadable:
        return "unreadable";
    }
    return {};
}

int RowNumber(const TweakEntry* tweak)
{
    return static_cast<int>(tweak - Catalogue().data()) + 1;
}

int Status(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    const std::vector<RowState> rows = ClassifyAll(session.Registry());
    if (options.json) {
        nlohmann::json list = nlohmann::json::array();
        for (const RowState& row : rows) {
            nlohmann::json ticked = nullptr;
            if (row.mirror)
                ticked = *row.mirror == 1;
            list.push_back({{"row", RowNumber(row.tweak)},
                            {"name", row.tweak->mirrorValue},
                            {"caption", row.tweak->caption},
                            {"ticked", ticked},
                            {"state", StateName(row.state)}});
        }
        io.out << list.dump(2) << '\n';
        return exitcode::Done;
    }
    for (const RowState& row : rows) {
        const char* ticked = !row.mirror ? "missing" : *row.mirror == 1 ? "ticked" : "unticked";
        io.out << RowNumber(row.tweak) << '\t' << row.tweak->mirrorValue << '\t' << row.tweak->caption << '\t'
               << ticked << '\t' << StateName(row.state) << '\n';
    }
    return exitcode::Done;
}

int RestoreRows(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    std::vector<const TweakEntry*> rows;
    {
        TickChoice named;
        SetRows(named, options.rows.empty() ? "all" : options.rows, true, "--rows");
        for (const TweakEntry& row : Catalogue())
            if (named.IsTicked(row))
                rows.push_back(&row);
    }
    ErrorStreamMessages messages(io.err);
    TickChoice mirror;
    if (!LogIn(options, "restore", session, mirror, messages))
        return exitcode::WrongPassword;
    const RestoreReport report = Restore(session.Registry(), rows, session.Context());
    session.ReportLogError(report.logError);
    int code = messages.count ? exitcode::RowsNotOpened : exitcode::Done;
    for (const RestoreResult& row : report.rows) {
        io.out << RowNumber(row.tweak) << '\t' << row.tweak->mirrorValue << '\t'
               << RestoreOutcomeText(row.outcome) << '\t' << StateName(row.state) << '\n';
        if (row.outcome == RestoreOutcome::OpenFailed && code == exitcode::Done)
            code = exitcode::RowsNotOpened;
        if (row.outcome == RestoreOutcome::StoreError)
            code = exitcode::StoreError;
    }
    return code;
}

int Log(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    std::optional<std::chrono::system_clock::time_point> since;
    if (!options.since.empty()) {
        since = ParseIsoTime(options.since);
        if (!since)
            throw UsageError(
                "--since takes a time such as 2026-01-31T08:00:00Z or 2026-01-31T16:00:00+08:00");
    }
    const std::vector<ChangeRecord> records =
        io.logPath.empty() ? std::vector<ChangeRecord>{} : ChangeLog(io.logPath).Read(since);
    if (options.json) {
        io.out << "[";
        for (std::size_t i = 0; i < records.size(); ++i)
            io.out << (i ? ",\n " : "\n ") << ToJsonLine(records[i]);
        io.out << (records.empty() ? "]\n" : "\n]\n");
        return exitcode::Done;
    }
    for (const ChangeRecord& record : records)
        io.out << RecordText(record) << '\n';
    return exitcode::Done;
}

void WriteOutput(const std::string& bytes, const std::string& path, CommandIo& io)
{
    if (path.empty() || path == "-") {
        io.out << bytes;
        io.out.flush();
        return;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path + ": " + std::strerror(errno));
}

int Export(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    const TickRequest request(options);
    if (options.current && request.HasProfile())
        throw UsageError("--current and --profile each give the ticks to start from; name one");
    TickChoice base;
    if (options.current) {
        LoadState(session.Registry(), base);
    }
    const TickChoice ticks = request.Resolve(std::move(base));
    std::string bytes;
    if (options.format == "json") {
        bytes = WriteProfile(ticks);
    } else {
        const std::vector<PlannedValue> plan = PlanApply(ticks);
        bytes = options.format == "reg" ? ToRegFile(plan) : ToAnsiblePlaybook(plan);
    }
    WriteOutput(bytes, options.output, io);
    return exitcode::Done;
}

constexpr const char* kListHelp = "comma-separated row numbers or mirror names, or all";

void AddTickOptions(CLI::App& command, Options& options)
{
    command.add_option("--on", options.on, "tick these rows: " + std::string(kListHelp))->type_name("LIST");
    command.add_option("--off", options.off, "untick these rows: " + std::string(kListHelp))
        ->type_name("LIST");
    command
        .add_option("--profile", options.profile,
                    "start from the ticks of a profile (see export --format json)")
        ->type_name("FILE");
}

} // namespace

int RunCommandLine(const std::vector<std::string>& args, CommandIo& io)
{
    CLI::App app(
        "Tessel switches 27 operating-system behaviours on and off through the registry. Without arguments "
        "it opens its window.",
        "tessel");
    app.set_version_flag("--version", kVersionLine, "Print the version and exit");
    app.require_subcommand(1);
    app.footer(
        "Exit codes: 0 done, 1 store error, 2 usage, 3 wrong password, 4 done but some rows could not be "
        "opened.\nRows not named by --on or --off keep the ticks they start from.");
    Options options;

    CLI::App* apply = app.add_subcommand(
        "apply",
        "run the first-run check, check the password, then apply every ticked row and revert the others, "
        "as OK in the window does");
    AddTickOptions(*apply, options);
    apply->add_flag("--password-stdin", options.passwordStdin,
                    "read the password from the first line of standard input");
    apply->footer("Without --profile the rows start from the state mirror (what was last applied).");

    CLI::App* exporter = app.add_subcommand(
        "export",
        "write what `tessel apply` with these ticks would write, for regedit, Ansible or as a profile");
    exporter->add_option("--format", options.format, "reg, ansible or json (a Tessel profile)")
        ->required()
        ->check(CLI::IsMember({"reg", "ansible", "json"}));
    AddTickOptions(*exporter, options);
    exporter->add_flag("--current", options.current, "start from the state mirror (what was last applied)");
    exporter->add_option("-o,--output", options.output, "write to FILE instead of standard output")
        ->type_name("FILE");
    exporter->footer("Without --current or --profile the rows start unticked.");

    CLI::App* status = app.add_subcommand(
        "status", "list every row: number, mirror name, caption, ticked in the mirror, and what the registry "
                  "really holds (applied, reverted, other or unreadable)");
    status->add_flag("--json", options.json, "print a JSON array of {row, name, caption, ticked, state}");

    CLI::App* restore = app.add_subcommand(
        "restore", "put back the values the rows had before Tessel first changed them, after the password");
    restore
        ->add_option("--rows", options.rows,
                     "the rows to restore: " + std::string(kListHelp) + " (default all)")
        ->type_name("LIST");
    restore->add_flag("--password-stdin", options.passwordStdin,
                      "read the password from the first line of standard input");

    CLI::App* log = app.add_subcommand("log", "print the change log, oldest first");
    log->add_flag("--json", options.json, "print a JSON array of the records");
    log->add_option("--since", options.since, "only records at or after TIME (ISO 8601)")->type_name("TIME");

    // Completion scripts for the package, from the definitions above.
    if (args.size() == 2 && args[0] == "--completion") {
        const std::string script = ShellCompletion(app, args[1]);
        (script.empty() ? io.err : io.out)
            << (script.empty() ? "tessel: --completion takes bash or zsh\n" : script);
        return script.empty() ? exitcode::Usage : exitcode::Done;
    }
    if (!args.empty() && !args[0].starts_with('-') &&
        app.get_subcommands([&](CLI::App* command) { return command->get_name() == args[0]; }).empty()) {
        io.err << "tessel: unknown command \"" << args[0] << "\"; see tessel --help\n";
        return exitcode::Usage;
    }
    std::vector<const char*> argv{"tessel"};
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    try {
        app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::ParseError& error) {
        return app.exit(error, io.out, io.err) == 0 ? exitcode::Done : exitcode::Usage;
    }

    Session session{io, nullptr, std::nullopt, nullptr};
    try {
        if (apply->parsed())
            return Apply(options, session);
        if (status->parsed())
            return Status(options, session);
        if (restore->parsed())
            return RestoreRows(options, session);
        if (log->parsed())
            return Log(options, session);
        return Export(options, session);
    } catch (const UsageError& error) {
        io.err << "tessel: " << error.what() << '\n';
        return exitcode::Usage;
    } catch (const std::exception& error) {
        io.err << "tessel: " << error.what() << '\n';
        // Which hive file failed and why, when a hive could not be opened.
        if (const std::string diagnosis = session.registry ? session.registry->Diagnosis() : "";
            !diagnosis.empty())
            io.err << diagnosis << '\n';
        return exitcode::StoreError;
    }
}

int RunCommandLine(int argc, char** argv)
{
#ifdef _WIN32
    // A .reg file goes out byte for byte.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    CommandIo io{std::cin,
                 std::cout,
                 std::cerr,
                 [] { return MakeDefaultBackend(); },
                 [] { return AskPasswordOnTerminal("Password: "); },
                 ChangeLog::DefaultPath()};
    return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), io);
}

} // namespace tessel
