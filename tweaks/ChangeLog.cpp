#include "tweaks/ChangeLog.h"

#include "tweaks/TweakDescriptions.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string_view>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessel {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

constexpr std::string_view kSources[] = {"window", "command line"};
constexpr std::string_view kOperations[] = {"pass", "reset", "restore"};
constexpr std::string_view kOutcomes[] = {"done", "open failed", "store error"};

template <typename Enum, std::size_t N>
std::optional<Enum> EnumOf(const Json& json, const char* field, const std::string_view (&names)[N])
{
    const auto it = json.find(field);
    if (it == json.end() || !it->is_string())
        return std::nullopt;
    for (std::size_t i = 0; i < N; ++i)
        if (it->get_ref<const std::string&>() == names[i])
            return static_cast<Enum>(i);
    return std::nullopt;
}

std::string HexBytes(const std::vector<std::uint8_t>& data)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (std::uint8_t byte : data) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return hex;
}

std::optional<std::vector<std::uint8_t>> BytesOfHex(const std::string& hex)
{
    auto digit = [](char c) -> int {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    if (hex.size() % 2)
        return std::nullopt;
    std::vector<std::uint8_t> data;
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = digit(hex[i]);
        const int low = digit(hex[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        data.push_back(static_cast<std::uint8_t>(high << 4 | low));
    }
    return data;
}

Json StateJson(const ValueState& state)
{
    if (!state.present)
        return "absent";
    return Json{{"kind", KindName(state.value.type)},
                {"type", state.value.type},
                {"bytes", HexBytes(state.value.data)}};
}

std::optional<ValueState> StateOf(const Json& json)
{
    ValueState state;
    if (json.is_string() && json.get_ref<const std::string&>() == "absent")
        return state;
    if (!json.is_object() || !json.contains("type") || !json["type"].is_number_unsigned() ||
        !json.contains("bytes") || !json["bytes"].is_string())
        return std::nullopt;
    const auto bytes = BytesOfHex(json["bytes"].get<std::string>());
    if (!bytes)
        return std::nullopt;
    state.present = true;
    state.value.type = json["type"].get<std::uint32_t>();
    state.value.data = *bytes;
    return state;
}

std::string StringField(const Json& json, const char* field)
{
    const auto it = json.find(field);
    return it != json.end() && it->is_string() ? it->get<std::string>() : std::string();
}

// A line longer than this is not a record (a record holds at most two 1 MiB values in hex).
constexpr std::size_t kMaxLine = 5u << 20;

#ifdef _WIN32

std::string Reason(const fs::path& file, int error)
{
    const std::u8string name = file.u8string();
    return std::string(name.begin(), name.end()) + ": " + std::strerror(error);
}

// Windows keeps %LOCALAPPDATA% to its account; the file is used as it is.
std::string AppendToLog(const fs::path& file, const fs::path& first, const fs::path& second,
                        std::uintmax_t limit, std::string text)
{
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    const std::uintmax_t size = fs::file_size(file, ec);
    if (!ec && size > 0 && size + text.size() > limit) {
        fs::remove(second, ec);
        if (fs::exists(first, ec))
            fs::rename(first, second, ec);
        if (!ec)
            fs::rename(file, first, ec);
        if (ec)
            return ec.message();
    }
    const int fd = ::_wopen(file.c_str(), _O_RDWR | _O_APPEND | _O_CREAT | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return Reason(file, errno);
    char last = '\n';
    if (::_lseeki64(fd, -1, SEEK_END) >= 0 && ::_read(fd, &last, 1) == 1 && last != '\n')
        text.insert(text.begin(), '\n');
    const int written = ::_write(fd, text.data(), static_cast<unsigned>(text.size()));
    const int error = errno;
    const bool closed = ::_close(fd) == 0;
    if (written < 0)
        return Reason(file, error);
    if (static_cast<std::size_t>(written) != text.size() || !closed)
        return Reason(file, ENOSPC);
    return {};
}

int OpenForReading(const fs::path& file, std::string& error)
{
    const int fd = ::_wopen(file.c_str(), _O_RDONLY | _O_BINARY);
    if (fd < 0 && errno != ENOENT)
        error = Reason(file, errno);
    return fd;
}

long ReadSome(int fd, char* buffer, unsigned size)
{
    return ::_read(fd, buffer, size);
}

void CloseFile(int fd)
{
    ::_close(fd);
}

#else

std::string Refused(const fs::path& file, const std::string& why)
{
    return file.string() + ": refused: " + why;
}

std::string Octal(mode_t mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// Every folder the log needs, created for its owner alone.
bool MakePrivateDirectories(const fs::path& dir)
{
    std::error_code ec;
    if (dir.empty() || fs::is_directory(dir, ec))
        return true;
    if (!MakePrivateDirectories(dir.parent_path()))
        return false;
    return ::mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST;
}

// The rules of the user hive: the file is this account's and private to it.
std::string CheckFile(const fs::path& file, const struct stat& st)
{
    if (!S_ISREG(st.st_mode))
        return Refused(file, "not a regular file");
    if (st.st_uid != ::geteuid())
        return Refused(file, "owned by another account (uid " + std::to_string(st.st_uid) + ")");
    if (st.st_mode & 077)
        return Refused(file, "readable or writable by group or others (mode " + Octal(st.st_mode) + ")");
    return {};
}

// The log's folder, open, when others may not write it; -1 and the reason otherwise.
int OpenFolder(const fs::path& file, std::string& error)
{
    const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat st
    {
    };
    if (fd < 0 || ::fstat(fd, &st) != 0) {
        error = dir.string() + ": " + std::strerror(errno);
    } else if (st.st_mode & S_IWOTH) {
        error = Refused(file, "its folder " + dir.string() + " is writable by others (mode " +
                                  Octal(st.st_mode) + ")");
    } else {
        return fd;
    }
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// Opens the log without following a symlink and without waiting on a FIFO,
// and checks what it found before anything is written.
int OpenChecked(int dir, const fs::path& file, int flags, struct stat& st, std::string& error)
{
    const std::string name = file.filename().string();
    const int fd = ::openat(dir, name.c_str(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == ELOOP)
            error = Refused(file, "a symlink");
        else if (errno != ENOENT || (flags & O_CREAT))
            error = file.string() + ": " + std::strerror(errno);
        return -1;
    }
    if (::fstat(fd, &st) != 0)
        error = file.string() + ": " + std::strerror(errno);
    else
        error = CheckFile(file, st);
    if (!error.empty()) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Appends under an flock on the log itself. A rotation renames the file while
// its lock is held, so a program that was waiting on the old file opens the
// new one instead of writing where nobody reads.
std::string AppendToLog(const fs::path& file, const fs::path& first, const fs::path& second,
                        std::uintmax_t limit, std::string text)
{
    if (!MakePrivateDirectories(file.parent_path()))
        return file.parent_path().string() + ": " + std::strerror(errno);
    std::string error;
    const int dir = OpenFolder(file, error);
    if (dir < 0)
        return error;
    const std::string name = file.filename().string();
    for (int attempt = 0; attempt < 16; ++attempt) {
        struct stat st
        {
        };
        const int fd = OpenChecked(dir, file, O_RDWR | O_APPEND | O_CREAT, st, error);
        if (fd < 0)
            break;
        struct stat named
        {
        };
        if (::flock(fd, LOCK_EX) != 0 || ::fstat(fd, &st) != 0 ||
            ::fstatat(dir, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0 || named.st_ino != st.st_ino ||
            named.st_dev != st.st_dev) {
            ::close(fd);
            continue;
        }
        const auto size = static_cast<std::uintmax_t>(st.st_size);
        if (size > 0 && size + text.size() > limit) {
            // The oldest file goes; the others move up one place.
            const std::string one = first.filename().string(), two = second.filename().string();
            ::unlinkat(dir, two.c_str(), 0);
            if (::renameat(dir, one.c_str(), dir, two.c_str()) != 0 && errno != ENOENT)
                error = first.string() + ": " + std::strerror(errno);
            else if (::renameat(dir, name.c_str(), dir, one.c_str()) != 0)
                error = file.string() + ": " + std::strerror(errno);
            ::close(fd);
            if (!error.empty())
                break;
            continue;
        }
        char last = '\n';
        if (size > 0 && ::pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
            text.insert(text.begin(), '\n');
        const ssize_t written = ::write(fd, text.data(), text.size());
        const int writeError = errno;
        ::close(fd);
        if (written < 0)
            error = file.string() + ": " + std::strerror(writeError);
        else if (static_cast<std::size_t>(written) != text.size())
            error = file.string() + ": short write (" + std::strerror(ENOSPC) + ")";
        ::close(dir);
        return error;
    }
    ::close(dir);
    return error.empty() ? file.string() + ": changed while being opened" : error;
}

int OpenForReading(const fs::path& file, std::string& error)
{
    // A log that was never written, or was not rotated yet, holds no records.
    struct stat st
    {
    };
    if (::lstat(file.c_str(), &st) != 0 && errno == ENOENT)
        return -1;
    const int dir = OpenFolder(file, error);
    if (dir < 0)
        return -1;
    const int fd = OpenChecked(dir, file, O_RDONLY, st, error);
    ::close(dir);
    // Reads wait for data from here on; a regular file always has it.
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

long ReadSome(int fd, char* buffer, unsigned size)
{
    return static_cast<long>(::read(fd, buffer, size));
}

void CloseFile(int fd)
{
    ::close(fd);
}

#endif

// Hands over each line of the file; a line beyond kMaxLine is skipped whole.
std::string EachLine(const fs::path& file, const std::function<void(const std::string&)>& each)
{
    std::string error;
    const int fd = OpenForReading(file, error);
    if (fd < 0)
        return error;
    std::string line;
    bool overlong = false;
    char buffer[65536];
    long got = 0;
    while ((got = ReadSome(fd, buffer, sizeof buffer)) > 0) {
        std::string_view chunk(buffer, static_cast<std::size_t>(got));
        while (!chunk.empty()) {
            const std::size_t end = chunk.find('\n');
            const std::string_view part = chunk.substr(0, end);
            if (!overlong && line.size() + part.size() <= kMaxLine)
                line.append(part);
            else
                overlong = true;
            if (end == std::string_view::npos)
                break;
            if (!overlong)
                each(line);
            line.clear();
            overlong = false;
            chunk.remove_prefix(end + 1);
        }
    }
    if (got < 0)
        error = file.string() + ": " + std::strerror(errno);
    else if (!overlong && !line.empty())
        each(line);
    CloseFile(fd);
    return error;
}

} // namespace

std::string_view SourceName(ChangeSource source)
{
    return kSources[static_cast<int>(source)];
}

std::string_view OperationName(ChangeOperation operation)
{
    return kOperations[static_cast<int>(operation)];
}

std::string_view OutcomeName(ChangeOutcome outcome)
{
    return kOutcomes[static_cast<int>(outcome)];
}

std::string RecordText(const ChangeRecord& record)
{
    static constexpr std::string_view kSourceTexts[] = {"窗口", "命令行"};
    static constexpr std::string_view kOperationTexts[] = {"应用", "首次重置", "恢复"};
    static constexpr std::string_view kOutcomeTexts[] = {"完成", "无法打开", "写入失败"};
    auto state = [](const std::optional<ValueState>& value) -> std::string {
        if (!value)
            return "?";
        return value->present ? ValueText(value->value) : std::string("不存在");
    };
    std::string text = record.time + "  " + record.account + "  " +
                       std::string(kSourceTexts[static_cast<int>(record.source)]) + "  " +
                       std::string(kOperationTexts[static_cast<int>(record.operation)]) + "  #" +
                       std::to_string(record.row) + " " + record.tweak + "\n    " +
                       std::string(HiveName(record.hive)) + '\\' + record.key + '\\' +
                       (record.value.empty() ? std::string("(默认)") : record.value) + "\n    " +
                       state(record.before) + " → " + state(record.after) + "  " +
                       std::string(kOutcomeTexts[static_cast<int>(record.outcome)]);
    if (record.error)
        text += "（错误 " + std::to_string(record.error) + "）";
    if (!record.message.empty())
        text += "  " + record.message;
    return text;
}

std::string ToJsonLine(const ChangeRecord& record)
{
    Json json{{"time", record.time},
              {"account", record.account},
              {"source", SourceName(record.source)},
              {"operation", OperationName(record.operation)},
              {"row", record.row},
              {"tweak", record.tweak},
              {"hive", HiveName(record.hive)},
              {"key", record.key},
              {"value", record.value}};
    if (record.before)
        json["old"] = StateJson(*record.before);
    if (record.after)
        json["new"] = StateJson(*record.after);
    json["outcome"] = OutcomeName(record.outcome);
    if (record.error)
        json["error"] = record.error;
    if (!record.message.empty())
        json["message"] = record.message;
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::optional<ChangeRecord> FromJsonLine(const std::string& line)
{
    const Json json = Json::parse(line, nullptr, false);
    if (!json.is_object())
        return std::nullopt;
    ChangeRecord record;
    const auto source = EnumOf<ChangeSource>(json, "source", kSources);
    const auto operation = EnumOf<ChangeOperation>(json, "operation", kOperations);
    const auto outcome = EnumOf<ChangeOutcome>(json, "outcome", kOutcomes);
    const std::string hive = StringField(json, "hive");
    if (!source || !operation || !outcome ||
        (hive != HiveName(Hive::CurrentUser) && hive != HiveName(Hive::LocalMachine)))
        return std::nullopt;
    record.time = StringField(json, "time");
    record.account = StringField(json, "account");
    record.source = *source;
    record.operation = *operation;
    record.outcome = *outcome;
    record.hive = hive == HiveName(Hive::CurrentUser) ? Hive::CurrentUser : Hive::LocalMachine;
    if (json.contains("row") && json["row"].is_number_integer())
        record.row = json["row"].get<int>();
    record.tweak = StringField(json, "tweak");
    record.key = StringField(json, "key");
    record.value = StringField(json, "value");
    if (json.contains("old"))
        record.before = StateOf(json["old"]);
    if (json.contains("new"))
        record.after = StateOf(json["new"]);
    if (json.contains("error") && json["error"].is_number_integer())
        record.error = json["error"].get<long>();
    record.message = StringField(json, "message");
    return record;
}

std::string IsoTime(std::chrono::system_clock::time_point time)
{
    using namespace std::chrono;
    const auto seconds = floor<std::chrono::seconds>(time);
    const auto day = floor<days>(seconds);
    const year_month_day date(day);
    const hh_mm_ss clock(seconds - day);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                  static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    return buffer;
}

std::optional<std::chrono::system_clock::time_point> ParseIsoTime(std::string_view text)
{
    using namespace std::chrono;
    auto number = [&text](std::size_t at, std::size_t length) -> int {
        if (at + length > text.size())
            return -1;
        int value = 0;
        for (std::size_t i = at; i < at + length; ++i) {
            if (text[i] < '0' || text[i] > '9')
                return -1;
            value = value * 10 + (text[i] - '0');
        }
        return value;
    };
    // A bare date means its midnight in UTC.
    const int y = number(0, 4), mo = number(5, 2), d = number(8, 2);
    if (y < 0 || mo < 0 || d < 0 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    const year_month_day date{year(y), month(static_cast<unsigned>(mo)), day(static_cast<unsigned>(d))};
    if (!date.ok())
        return std::nullopt;
    sys_seconds result = sys_days(date);
    if (text.size() == 10)
        return result;
    const int h = number(11, 2), mi = number(14, 2), s = number(17, 2);
    if ((text[10] != 'T' && text[10] != ' ') || h < 0 || h > 23 || mi < 0 || mi > 59 || s < 0 || s > 60 ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    result += hours(h) + minutes(mi) + seconds(s);
    std::size_t at = 19;
    // Fractions of a second are read past; the log keeps whole seconds.
    if (at < text.size() && text[at] == '.')
        while (++at < text.size() && text[at] >= '0' && text[at] <= '9') {
        }
    const std::string_view zone = text.substr(std::min(at, text.size()));
    if (zone == "Z")
        return result;
    if (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && zone[3] == ':') {
        const int zh = number(at + 1, 2), zm = number(at + 4, 2);
        if (zh < 0 || zh > 23 || zm < 0 || zm > 59)
            return std::nullopt;
        const auto offset = hours(zh) + minutes(zm);
        return zone[0] == '+' ? result - offset : result + offset;
    }
    return std::nullopt;
}

namespace {

std::string LookUpAccount()
{
#ifdef _WIN32
    wchar_t name[257];
    DWORD size = 257;
    if (!GetUserNameW(name, &size))
        return {};
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, name, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes > 0 ? bytes - 1 : 0, '\0');
    if (bytes > 1)
        WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8.data(), bytes, nullptr, nullptr);
    return utf8;
#else
    if (const passwd* pw = ::getpwuid(::geteuid()))
        return pw->pw_name;
    return std::to_string(::geteuid());
#endif
}

} // namespace

// The account a process runs as does not change; looking it up costs a round
// of name-service files on every pass.
const std::string& CurrentAccount()
{
    static const std::string account = LookUpAccount();
    return account;
}

ChangeLog::ChangeLog(fs::path file, std::uintmax_t limit) : file_(std::move(file)), limit_(limit) {}

fs::path ChangeLog::DefaultPath()
{
#ifdef _WIN32
    const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
    const fs::path base = local && *local ? fs::path(local) : fs::temp_directory_path();
    return base / "Tessel" / "changes.jsonl";
#else
    auto env = [](const char* name) -> std::string {
        const char* value = std::getenv(name);
        return value ? value : "";
    };
    std::string state = env("XDG_STATE_HOME");
    // Relative paths are invalid in the XDG variables and are ignored.
    if (state.empty() || state.front() != '/') {
        std::string home = env("HOME");
        if (home.empty())
            if (const passwd* pw = ::getpwuid(::getuid()))
                home = pw->pw_dir;
        state = home + "/.local/state";
    }
    return fs::path(state) / "tessel" / "changes.jsonl";
#endif
}

fs::path ChangeLog::Rotated(int n) const
{
    fs::path path = file_;
    path += "." + std::to_string(n);
    return path;
}

std::string ChangeLog::Append(const std::vector<ChangeRecord>& records) const
{
    if (records.empty())
        return {};
    std::string text;
    for (const ChangeRecord& record : records)
        text += ToJsonLine(record) + '\n';
    return AppendToLog(file_, Rotated(1), Rotated(2), limit_, std::move(text));
}

std::string ChangeLog::ReadEach(std::optional<std::chrono::system_clock::time_point> since,
                                const std::function<void(ChangeRecord&&)>& each) const
{
    std::string errors;
    for (const fs::path& path : {Rotated(2), Rotated(1), file_}) {
        std::string error = EachLine(path, [&](const std::string& line) {
            auto record = FromJsonLine(line);
            if (!record)
                return;
            if (since) {
                const auto time = ParseIsoTime(record->time);
                if (!time || *time < *since)
                    return;
            }
            each(std::move(*record));
        });
        if (!error.empty())
            errors += (errors.empty() ? "" : "\n") + error;
    }
    return errors;
}

std::vector<ChangeRecord> ChangeLog::Read(std::optional<std::chrono::system_clock::time_point> since) const
{
    std::vector<ChangeRecord> records;
    ReadEach(since, [&](ChangeRecord&& record) { records.push_back(std::move(record)); });
    return records;
}

} // namespace tessel
