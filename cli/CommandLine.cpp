#include "cli/CommandLine.h"

#include "cli/Completion.h"
#include "cli/ExportFiles.h"
#include "cli/FleetExport.h"
#include "cli/OutputFile.h"
#include "cli/Profile.h"
#include "cli/Terminal.h"
#include "tweaks/DefaultBackend.h"
#include "tweaks/GbkCodec.h"
#include "tweaks/NameFolding.h"
#include "tweaks/PasswordStore.h"
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
#else
#include "tweaks/SqliteBackend.h"
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

// A profile is a few hundred bytes; anything far larger is not one.
constexpr std::uintmax_t kMaxProfileBytes = 1024 * 1024;

std::string ReadFile(const std::string& path)
{
    std::error_code ec;
    // Checked before opening: a FIFO or a device would never end.
    const auto type = std::filesystem::status(path, ec).type();
    if (!ec && type != std::filesystem::file_type::regular)
        throw UsageError("cannot read " + path + ": not a regular file");
    std::ifstream file(path, std::ios::binary);
    if (ec || !file)
        throw UsageError("cannot read " + path + ": " + std::strerror(errno));
    std::string text;
    char buffer[4096];
    while (file.read(buffer, sizeof buffer) || file.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(file.gcount()));
        if (text.size() > kMaxProfileBytes)
            throw UsageError("cannot read " + path + ": larger than a profile can be (1 MiB)");
    }
    if (file.bad())
        throw UsageError("cannot read " + path + ": " + std::strerror(errno));
    return text;
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
        if (options.on == "all" && options.off == "all")
            throw UsageError("--on all and --off all contradict each other");
        // `--on all --off LIST` ticks all rows but those; every other row that
        // both lists name is a contradiction.
        if (options.on != "all")
            for (std::string_view name : on_.Ticked())
                if (off_.Ticked().count(name))
                    throw UsageError("row " + std::string(name) + " is named by both --on and --off" +
                                     (options.off == "all" ? " (--off all names every row)" : ""));
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

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80         ? 1
                                   : (lead >> 5) == 6  ? 2
                                   : (lead >> 4) == 14 ? 3
                                   : (lead >> 3) == 30 ? 4
                                                       : 0;
        if (length == 0 || i + length > text.size())
            return false;
        std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next >> 6) != 2)
                return false;
            code = code << 6 | (next & 0x3F);
        }
        static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < kLeast[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

// Far more than any password the window's field takes.
constexpr std::size_t kMaxPasswordBytes = 4096;

std::string ObtainPassword(const Options& options, CommandIo& io, std::string_view command)
{
    if (options.passwordStdin) {
        // The first line; the end of input ends it as Enter does, at the
        // terminal as on a closed standard input.
        std::string line;
        char c = 0;
        while (io.in.get(c) && c != '\n') {
            line += c;
            if (line.size() > kMaxPasswordBytes)
                throw UsageError("the password on standard input is longer than " +
                                 std::to_string(kMaxPasswordBytes) + " bytes");
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!IsValidUtf8(line))
            throw UsageError("the password on standard input is not valid UTF-8");
        return PasswordBytes(line);
    }
    if (io.askPassword)
        if (std::optional<std::string> typed = io.askPassword()) {
            if (!IsValidUtf8(*typed))
                throw UsageError("the typed password is not valid UTF-8");
            return PasswordBytes(*typed);
        }
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

    // True when there was an error to report.
    bool ReportLogError(const std::string& error)
    {
        if (!error.empty())
            io.err << "tessel: the change log was not written: " << error << '\n';
        return !error.empty();
    }

    // Held from reading the mirror to logging the pass, so that a pass
    // elsewhere never comes between them.
    std::unique_ptr<PassLock> Lock()
    {
        return Registry().LockForPass([this](const std::string& holder) {
            io.err << "tessel: waiting for another pass to finish"
                   << (holder.empty() ? std::string() : " (the lock is held by " + holder + ")") << "…\n";
            io.err.flush();
        });
    }
};

// As the log-in button does: the first-run reset, then the password. False
// for a wrong password. Runs under the pass lock.
bool LogIn(const std::string& password, Session& session, TickChoice& mirror, MessageSink& messages)
{
    RegistryBackend& registry = session.Registry();
    session.ReportLogError(RecordedFirstRunCheck(registry, messages, session.Context()).logError);
    ErrorStreamMessages loginMessages(session.io.err);
    return Login(registry, password, mirror, loginMessages, nullptr);
}

int Apply(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    const TickRequest request(options);
    const std::string password = ObtainPassword(options, io, "apply");
    ErrorStreamMessages messages(io.err);
    const auto lock = session.Lock();
    TickChoice mirror;
    if (!LogIn(password, session, mirror, messages))
        return exitcode::WrongPassword;
    const PassReport report = RecordedApplyTweaks(session.Registry(), request.Resolve(std::move(mirror)),
                                                  messages, session.Context());
    if (session.ReportLogError(report.logError))
        return exitcode::StoreError;
    if (messages.count)
        return exitcode::RowsNotOpened;
    io.out << "设置成功，重启生效！\n";
    return exitcode::Done;
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
    case RealState::Default:
        return "default";
    case RealState::Unreadable:
        return "unreadable";
    }
    return {};
}

int RowNumber(const TweakEntry* tweak)
{
    return static_cast<int>(RowIndex(*tweak)) + 1;
}

int Status(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    const std::vector<RowState> rows = ClassifyAll(session.Registry());
    // Why rows are unreadable, when a hive was refused.
    if (const std::string diagnosis = session.Registry().Diagnosis(); !diagnosis.empty())
        io.err << diagnosis << '\n';
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
    const std::string password = ObtainPassword(options, io, "restore");
    ErrorStreamMessages messages(io.err);
    const auto lock = session.Lock();
    TickChoice mirror;
    if (!LogIn(password, session, mirror, messages))
        return exitcode::WrongPassword;
    const RestoreReport report = Restore(session.Registry(), rows, session.Context());
    int code = messages.count ? exitcode::RowsNotOpened : exitcode::Done;
    for (const RestoreResult& row : report.rows) {
        io.out << RowNumber(row.tweak) << '\t' << row.tweak->mirrorValue << '\t'
               << RestoreOutcomeText(row.outcome);
        if (row.error)
            io.out << "（错误 " << row.error << "）";
        io.out << '\t' << StateName(row.state) << '\n';
        const bool notRestored = row.outcome == RestoreOutcome::OpenFailed ||
                                 row.outcome == RestoreOutcome::Damaged ||
                                 row.outcome == RestoreOutcome::Unreadable;
        if (notRestored && code == exitcode::Done)
            code = exitcode::RowsNotOpened;
        if (row.outcome == RestoreOutcome::StoreError)
            code = exitcode::StoreError;
    }
    if (session.ReportLogError(report.logError))
        code = exitcode::StoreError;
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
    if (io.logPath.empty())
        return exitcode::Done;
    // Printed as it is read: a log of any size takes no more memory than a line.
    std::size_t count = 0;
    if (options.json)
        io.out << "[";
    const std::string error = ChangeLog(io.logPath).ReadEach(since, [&](ChangeRecord&& record) {
        if (options.json)
            io.out << (count ? ",\n " : "\n ") << ToJsonLine(record);
        else
            io.out << RecordText(record) << '\n';
        ++count;
    });
    if (options.json)
        io.out << (count ? "\n]\n" : "]\n");
    if (!error.empty()) {
        io.err << "tessel: the change log cannot be read: " << error << '\n';
        return exitcode::StoreError;
    }
    return exitcode::Done;
}

// Standard output is checked once for every command, when it is flushed.
void WriteOutput(const std::string& bytes, const std::string& path, CommandIo& io)
{
    if (path.empty() || path == "-")
        io.out << bytes;
    else
        WriteFileReplacing(path, bytes);
}

int Export(const Options& options, Session& session)
{
    CommandIo& io = session.io;
    const bool folder = options.format == "pol" || options.format == "admx";
    if (folder && (options.output.empty() || options.output == "-"))
        throw UsageError("--format " + options.format + " writes a folder; name it with -o DIR");
    if (options.format == "admx" &&
        (!options.on.empty() || !options.off.empty() || !options.profile.empty() || options.current))
        throw UsageError(
            "the template holds every row whatever the ticks; --format admx takes no --on, --off, "
            "--profile or --current");
    const TickRequest request(options);
    if (options.current && request.HasProfile())
        throw UsageError("--current and --profile each give the ticks to start from; name one");
    if (options.format == "reg" && io.outIsTerminal && (options.output.empty() || options.output == "-"))
        throw UsageError("a .reg file is UTF-16 and is not shown on a terminal; name a file with -o, or "
                         "redirect standard output");
    TickChoice base;
    // Read with read access only: exporting never creates a hive.
    if (options.current)
        for (const RowState& row : ClassifyAll(session.Registry()))
            base.SetTicked(*row.tweak, row.mirror == 1);
    const TickChoice ticks = request.Resolve(std::move(base));
    if (folder) {
        const ExportFormat format = options.format == "pol" ? ExportFormat::Pol : ExportFormat::Admx;
        WriteExport(options.output, ExportFiles(format, ticks));
        return exitcode::Done;
    }
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
        "Tessel switches " + std::to_string(kTweakCount) +
            " operating-system behaviours on and off through the registry. Without arguments it opens "
            "its window.",
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
        "write what `tessel apply` with these ticks would write, for regedit, Ansible, Group Policy or as a "
        "profile");
    exporter
        ->add_option("--format", options.format,
                     "reg, ansible, json (a Tessel profile), pol (Registry.pol files) or admx (an "
                     "administrative template)")
        ->required()
        ->check(CLI::IsMember({"reg", "ansible", "json", "pol", "admx"}));
    AddTickOptions(*exporter, options);
    exporter->add_flag("--current", options.current, "start from the state mirror (what was last applied)");
    exporter
        ->add_option("-o,--output", options.output,
                     "write to FILE instead of standard output; pol and admx write into the folder DIR")
        ->type_name("FILE|DIR");
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
#ifndef _WIN32
    // The package's install step makes the machine hive through the program's
    // own code, so its schema is written in one place.
    if (args.size() == 2 && args[0] == "--create-machine-hive") {
        if (const std::string error = SqliteBackend::CreateSharedHive(args[1]); !error.empty()) {
            io.err << "tessel: the machine hive was not created: " << error << '\n';
            return exitcode::StoreError;
        }
        return exitcode::Done;
    }
#endif
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

    // An option given an empty value names nothing: never read as "not given".
    for (const CLI::App* command : app.get_subcommands())
        for (const CLI::Option* option : command->get_options())
            if (option->count() > 0 && option->get_items_expected_min() > 0)
                for (const std::string& value : option->results())
                    if (value.empty()) {
                        io.err << "tessel: " << option->get_name() << " needs a value\n";
                        return exitcode::Usage;
                    }

    Session session{io, nullptr, std::nullopt, nullptr};
    try {
        int code = exitcode::Done;
        if (apply->parsed())
            code = Apply(options, session);
        else if (status->parsed())
            code = Status(options, session);
        else if (restore->parsed())
            code = RestoreRows(options, session);
        else if (log->parsed())
            code = Log(options, session);
        else
            code = Export(options, session);
        // Output that did not reach its reader is a failure, whatever was done.
        errno = 0;
        io.out.flush();
        if (!io.out) {
            io.err << "tessel: cannot write to standard output"
                   << (errno ? std::string(": ") + std::strerror(errno) : std::string()) << '\n';
            return exitcode::StoreError;
        }
        return code;
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
                 ChangeLog::DefaultPath(),
                 StandardOutputIsTerminal()};
    return RunCommandLine(std::vector<std::string>(argv + 1, argv + argc), io);
}

} // namespace tessel
