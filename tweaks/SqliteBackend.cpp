#include "tweaks/SqliteBackend.h"

#include "tweaks/NameFolding.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace tessel {
namespace {

namespace fs = std::filesystem;

long MapResult(int rc)
{
    switch (rc & 0xFF) {
    case SQLITE_OK:
    case SQLITE_DONE:
    case SQLITE_ROW:
        return status::Success;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return status::Busy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return status::AccessDenied;
    case SQLITE_FULL:
        return status::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return status::BadDatabase;
    case SQLITE_TOOBIG:
        return status::InvalidParameter;
    default:
        return status::Io;
    }
}

struct BlobArg
{
    const std::uint8_t* data;
    std::uint32_t size;
};

// A prepared statement, reset after every use.
class Statement
{
public:
    Statement(sqlite3* db, const char* sql)
    {
        if (sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK)
            stmt_ = nullptr;
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool Ok() const { return stmt_ != nullptr; }
    sqlite3_stmt* Get() const { return stmt_; }

    // Binds and steps once; the statement stays current until Reset.
    template <typename... Args> int Run(const Args&... args)
    {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        int index = 1;
        (Bind(index++, args), ...);
        return sqlite3_step(stmt_);
    }
    void Reset() { sqlite3_reset(stmt_); }

private:
    void Bind(int i, long long v) { sqlite3_bind_int64(stmt_, i, v); }
    void Bind(int i, std::uint32_t v) { sqlite3_bind_int64(stmt_, i, v); }
    void Bind(int i, const std::string& v)
    {
        sqlite3_bind_text(stmt_, i, v.data(), static_cast<int>(v.size()), SQLITE_STATIC);
    }
    void Bind(int i, const BlobArg& v)
    {
        // An empty blob stays a zero-length value, never NULL.
        if (v.size == 0)
            sqlite3_bind_zeroblob(stmt_, i, 0);
        else
            sqlite3_bind_blob(stmt_, i, v.data, static_cast<int>(v.size), SQLITE_STATIC);
    }

    sqlite3_stmt* stmt_ = nullptr;
};

long AccessError(int error)
{
    return (error == EACCES || error == EPERM || error == EROFS) ? status::AccessDenied : status::Io;
}

// Why a hive could not be used: the status the store answers, and for people
// the file, the operation and the system's reason.
struct Failure
{
    long rc = status::Success;
    std::string reason;
    bool Ok() const { return rc == status::Success; }
};

Failure SystemFailure(const std::string& file, const char* operation, int error)
{
    return {AccessError(error), file + ": " + operation + ": " + std::strerror(error)};
}

Failure Refusal(long rc, const std::string& file, const std::string& why)
{
    return {rc, file + ": refused: " + why};
}

std::string Octal(mode_t mode)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode & 07777));
    return text;
}

// Reads the file header without letting SQLite near a file that may not be ours.
Failure CheckHeader(const std::string& path)
{
    unsigned char header[100];
    // Never waits on a FIFO that took the file's place since it was checked.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return SystemFailure(path, "open", errno);
    struct stat st
    {
    };
    const bool sized = ::fstat(fd, &st) == 0;
    if (!sized || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Refusal(status::AccessDenied, path, "not a regular file");
    }
    const ssize_t got = ::read(fd, header, sizeof header);
    ::close(fd);
    if (got != static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
        return Refusal(status::BadDatabase, path, "not an SQLite database");
    const auto id =
        static_cast<std::uint32_t>(header[68] << 24 | header[69] << 16 | header[70] << 8 | header[71]);
    if (id != static_cast<std::uint32_t>(kHiveApplicationId))
        return Refusal(status::BadDatabase, path, "not a Tessel hive (its application_id differs)");
    // A file cut short: its header promises more pages than it holds, and no
    // WAL beside it could hold them.
    const std::uint32_t pageSize = header[16] << 8 | header[17];
    const std::uint64_t pages =
        static_cast<std::uint32_t>(header[28] << 24 | header[29] << 16 | header[30] << 8 | header[31]);
    const bool sizeValid = std::memcmp(header + 24, header + 92, 4) == 0;
    struct stat wal
    {
    };
    if (sized && sizeValid && ::stat((path + "-wal").c_str(), &wal) != 0 &&
        pages * (pageSize == 1 ? 65536u : pageSize) > static_cast<std::uint64_t>(st.st_size))
        return Refusal(status::BadDatabase, path, "damaged (shorter than its header says)");
    return {};
}

Failure EnsureDirectory(const fs::path& dir, bool privateDir)
{
    std::error_code ec;
    if (dir.empty() || fs::is_directory(dir, ec))
        return {};
    if (Failure f = EnsureDirectory(dir.parent_path(), privateDir); !f.Ok())
        return f;
    if (::mkdir(dir.c_str(), privateDir ? 0700 : 0755) != 0 && errno != EEXIST)
        return SystemFailure(dir.string(), "create folder", errno);
    return {};
}

// The rules a hive's files must meet before anything is read from them.
// `privateFile`: the user hive, which holds the password, is treated as
// OpenSSH treats a private key.
Failure CheckOwnership(const std::string& file, const struct stat& st, bool privateFile)
{
    const uid_t me = ::geteuid();
    if (!S_ISREG(st.st_mode))
        return Refusal(status::AccessDenied, file, "not a regular file");
    if (privateFile) {
        if (st.st_uid != me)
            return Refusal(status::AccessDenied, file,
                           "owned by another account (uid " + std::to_string(st.st_uid) + ")");
        if (st.st_mode & 077)
            return Refusal(status::AccessDenied, file,
                           "readable or writable by group or others (mode " + Octal(st.st_mode) + ")");
    } else if (st.st_uid != 0 && st.st_uid != me) {
        return Refusal(status::AccessDenied, file,
                       "owned by another ordinary account (uid " + std::to_string(st.st_uid) + ")");
    }
    return {};
}

Failure CheckHiveFiles(const std::string& path, bool privateFile)
{
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) != 0)
        return SystemFailure(path, "inspect", errno);
    if (Failure f = CheckOwnership(path, st, privateFile); !f.Ok())
        return f;
    if (privateFile) {
        for (const char* suffix : {"-wal", "-shm"}) {
            const std::string side = path + suffix;
            struct stat sideSt
            {
            };
            if (::lstat(side.c_str(), &sideSt) != 0) {
                if (errno == ENOENT)
                    continue;
                return SystemFailure(side, "inspect", errno);
            }
            if (Failure f = CheckOwnership(side, sideSt, true); !f.Ok())
                return f;
        }
        const std::string dir = fs::path(path).parent_path().string();
        struct stat dirSt
        {
        };
        if (::stat(dir.c_str(), &dirSt) != 0)
            return SystemFailure(dir, "inspect", errno);
        if (dirSt.st_mode & S_IWOTH)
            return Refusal(status::AccessDenied, path,
                           "its folder " + dir + " is writable by others (mode " + Octal(dirSt.st_mode) +
                               ")");
    }
    return {};
}

// Removes what an earlier creation killed half way left behind. A temporary
// hive is held under flock while it is built, so one that can be locked has
// no owner any more.
void RemoveStaleTemporaries(const std::string& path)
{
    const fs::path file(path);
    const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const std::string prefix = file.filename().string() + ".new-";
    std::error_code ec;
    std::vector<fs::path> stale;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            stale.push_back(entry.path());
        ::close(fd);
    }
    for (const fs::path& temporary : stale)
        for (const char* suffix : {"-wal", "-shm", "-journal", ""})
            ::unlink((temporary.string() + suffix).c_str());
    // Side files whose temporary has already gone.
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0 || name.size() <= prefix.size() + 6)
            continue;
        const std::string suffix = name.substr(prefix.size() + 6);
        if ((suffix == "-wal" || suffix == "-shm" || suffix == "-journal") &&
            !fs::exists(dir / name.substr(0, prefix.size() + 6), ec))
            ::unlink(entry.path().c_str());
    }
}

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS keys(
    id     INTEGER PRIMARY KEY,
    parent INTEGER NOT NULL,
    name   TEXT NOT NULL,
    fold   TEXT NOT NULL,
    UNIQUE(parent, fold));
CREATE TABLE IF NOT EXISTS vals(
    key  INTEGER NOT NULL,
    name TEXT NOT NULL,
    fold TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    PRIMARY KEY(key, fold)) WITHOUT ROWID;
INSERT OR IGNORE INTO keys(id, parent, name, fold) VALUES(1, 0, '', '');
)sql";

constexpr long long kRootId = 1;

// Waits on a busy hive for up to the timeout, on the options' clock.
struct BusyWait
{
    int timeoutMs = 0;
    HiveClock clock;
    std::chrono::milliseconds started{};

    static int Handler(void* self, int attempt)
    {
        auto& wait = *static_cast<BusyWait*>(self);
        const auto now = wait.clock.now();
        if (attempt == 0)
            wait.started = now;
        const auto left = std::chrono::milliseconds(wait.timeoutMs) - (now - wait.started);
        if (left <= std::chrono::milliseconds(0))
            return 0;
        // Short steps first, as SQLite's own busy timeout does.
        static constexpr int kSteps[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
        const int step =
            kSteps[std::min<std::size_t>(static_cast<std::size_t>(attempt), std::size(kSteps) - 1)];
        wait.clock.sleep(std::min(left, std::chrono::milliseconds(step)));
        return 1;
    }
};

} // namespace

// One hive file, its connection and its statements.
class SqliteBackend::Database
{
public:
    ~Database()
    {
        statements_.clear();
        sqlite3_close_v2(db_);
    }

    static Failure Open(const std::string& path, bool privateFile, const SqliteOptions& options,
                        std::unique_ptr<Database>& out)
    {
        const fs::path file(path);
        if (Failure f = EnsureDirectory(file.parent_path(), privateFile); !f.Ok())
            return f;
        // Only where nothing at all is, not even a dangling symlink, is a hive made.
        struct stat st
        {
        };
        if (::lstat(path.c_str(), &st) != 0) {
            if (errno != ENOENT)
                return SystemFailure(path, "inspect", errno);
            if (Failure f = CreateHive(path, privateFile, options); !f.Ok())
                return f;
        } else if (S_ISLNK(st.st_mode) && ::stat(path.c_str(), &st) != 0) {
            return Refusal(status::AccessDenied, path, "a symlink to nothing; no hive is made through it");
        }
        // A symlink to a hive is followed; the checks and SQLite's side files
        // then belong to the file it points to.
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved))
            return SystemFailure(path, "resolve", errno);
        const std::string real = resolved;
        // Failures name the path as given, and where it leads when that differs.
        auto named = [&](Failure f) {
            if (real != path)
                f.reason = path + " -> " + f.reason;
            return f;
        };
        if (Failure f = CheckHiveFiles(real, privateFile); !f.Ok())
            return named(f);
        const std::string dir = fs::path(real).parent_path().string();
        if (::access(real.c_str(), W_OK) != 0)
            return named(SystemFailure(real, "open for writing", errno));
        if (::access(dir.c_str(), W_OK) != 0)
            return named(SystemFailure(dir, "write in folder", errno));
        if (Failure f = CheckHeader(real); !f.Ok())
            return named(f);
        if (Failure f = Validate(real, options); !f.Ok())
            return named(f);

        std::unique_ptr<Database> db;
        if (Failure f = Connect(real, options, false, db); !f.Ok())
            return f;
        // The shared hive keeps its side files when the last writer closes:
        // readers who may not write its folder need them to be there.
        if (!privateFile) {
            int persist = 1;
            sqlite3_file_control(db->db_, "main", SQLITE_FCNTL_PERSIST_WAL, &persist);
        }
        if (sqlite3_exec(db->db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK ||
            !db->Prepare(true))
            return {status::BadDatabase, real + ": open: " + sqlite3_errmsg(db->db_)};
        out = std::move(db);
        return {};
    }

    // Reads a hive this account may not write. The same rules as for writing
    // come first, so nothing is opened, created or changed beside a hive that
    // they refuse, and nothing waits on a file that is not a regular one.
    static Failure OpenReadOnly(const std::string& path, bool privateFile, const SqliteOptions& options,
                                std::unique_ptr<Database>& out)
    {
        struct stat st
        {
        };
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? Failure{status::FileNotFound, path + ": no hive yet"}
                                   : SystemFailure(path, "inspect", errno);
        char resolved[PATH_MAX];
        if (!::realpath(path.c_str(), resolved))
            return errno == ENOENT ? Refusal(status::AccessDenied, path, "a symlink to nothing")
                                   : SystemFailure(path, "resolve", errno);
        const std::string real = resolved;
        auto named = [&](Failure f) {
            if (real != path)
                f.reason = path + " -> " + f.reason;
            return f;
        };
        if (Failure f = CheckHiveFiles(real, privateFile); !f.Ok())
            return named(f);
        if (Failure f = CheckHeader(real); !f.Ok())
            return named(f);
        if (Failure f = Validate(real, options, &out); !f.Ok())
            return named(f);
        return {};
    }

    long FindKey(const std::vector<std::string>& folds, long long& id)
    {
        if (const long rc = Enter(); rc != status::Success)
            return rc;
        id = kRootId;
        std::string path;
        for (const std::string& fold : folds) {
            if (batched_) {
                path += fold;
                path += '\\';
                if (const auto known = keyIds_.find(path); known != keyIds_.end()) {
                    id = known->second;
                    continue;
                }
            }
            const int rc = findChild_->Run(id, fold);
            if (rc == SQLITE_DONE) {
                findChild_->Reset();
                return status::FileNotFound;
            }
            if (rc != SQLITE_ROW) {
                findChild_->Reset();
                return MapResult(rc);
            }
            id = sqlite3_column_int64(findChild_->Get(), 0);
            findChild_->Reset();
            if (batched_)
                keyIds_.emplace(path, id);
        }
        return status::Success;
    }

    long CreateKey(const std::vector<std::string>& names, const std::vector<std::string>& folds,
                   long long& id)
    {
        const long found = FindKey(folds, id);
        if (found != status::FileNotFound)
            return found;
        if (batched_ && inTransaction_)
            return CreateMissingKeys(names, folds, id);
        if (const long rc = Exec(*begin_); rc != status::Success)
            return rc;
        if (const long rc = CreateMissingKeys(names, folds, id); rc != status::Success) {
            Exec(*rollback_);
            return rc;
        }
        if (const long rc = Exec(*commit_); rc != status::Success) {
            Exec(*rollback_);
            return rc;
        }
        return status::Success;
    }

    // Walks the path inside the current transaction, adding the keys it lacks.
    long CreateMissingKeys(const std::vector<std::string>& names, const std::vector<std::string>& folds,
                           long long& id)
    {
        id = kRootId;
        std::string path;
        for (std::size_t i = 0; i < folds.size(); ++i) {
            path += folds[i];
            path += '\\';
            int rc = findChild_->Run(id, folds[i]);
            if (rc == SQLITE_ROW) {
                id = sqlite3_column_int64(findChild_->Get(), 0);
                findChild_->Reset();
                continue;
            }
            findChild_->Reset();
            if (rc == SQLITE_DONE) {
                rc = RunWrite(*insertChild_, id, names[i], folds[i]);
                insertChild_->Reset();
                id = sqlite3_last_insert_rowid(db_);
                if (rc == SQLITE_DONE && batched_)
                    keyIds_.emplace(path, id);
            } else if (batched_) {
                NoteFailure(rc);
            }
            if (rc != SQLITE_DONE)
                return MapResult(rc);
        }
        return status::Success;
    }

    long Query(long long key, const std::string& fold, RegValue& value)
    {
        if (const long rc = Enter(); rc != status::Success)
            return rc;
        const int rc = query_->Run(key, fold, static_cast<long long>(limits::ValueDataBytes));
        if (rc == SQLITE_ROW) {
            sqlite3_stmt* s = query_->Get();
            value.type = static_cast<std::uint32_t>(sqlite3_column_int64(s, 0));
            // Data beyond the registry's limit was not written by a store:
            // it is never loaded.
            const long long length = sqlite3_column_int64(s, 1);
            if (length > static_cast<long long>(limits::ValueDataBytes)) {
                value.unloadedSize = static_cast<std::uint32_t>(std::min<long long>(length, UINT32_MAX));
                query_->Reset();
                return status::Success;
            }
            const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(s, 2));
            value.data.assign(bytes, bytes + sqlite3_column_bytes(s, 2));
            query_->Reset();
            return status::Success;
        }
        query_->Reset();
        if (rc != SQLITE_DONE) {
            if (batched_)
                NoteFailure(rc);
            return MapResult(rc);
        }
        return KeyMissingOr(key, status::FileNotFound);
    }

    long Set(long long key, const std::string& name, const std::string& fold, std::uint32_t type,
             const std::uint8_t* data, std::uint32_t size)
    {
        if (const long rc = Enter(); rc != status::Success)
            return rc;
        // In a batch a value that already holds these bytes is not written
        // again: the pass then writes only what it changes.
        if (batched_ && same_) {
            const int same = same_->Run(key, fold, type, BlobArg{data, size});
            same_->Reset();
            if (same == SQLITE_ROW)
                return status::Success;
        }
        const int rc = RunWrite(*upsert_, key, name, fold, type, BlobArg{data, size});
        upsert_->Reset();
        if (rc != SQLITE_DONE)
            return MapResult(rc);
        // Another program deleted the key: never bring it back behind its back.
        return sqlite3_changes(db_) == 0 ? status::KeyDeleted : status::Success;
    }

    long Delete(long long key, const std::string& fold)
    {
        if (const long rc = Enter(); rc != status::Success)
            return rc;
        if (batched_ && present_) {
            const int present = present_->Run(key, fold);
            present_->Reset();
            if (present == SQLITE_DONE)
                return KeyMissingOr(key, status::FileNotFound);
        }
        const int rc = RunWrite(*delete_, key, fold);
        delete_->Reset();
        if (rc != SQLITE_DONE)
            return MapResult(rc);
        return sqlite3_changes(db_) > 0 ? status::Success : KeyMissingOr(key, status::FileNotFound);
    }

private:
    Database() = default;

    static Failure Connect(const std::string& path, const SqliteOptions& options, bool readOnly,
                           std::unique_ptr<Database>& out)
    {
        auto db = std::unique_ptr<Database>(new Database);
        const char* vfs = options.vfs.empty() ? nullptr : options.vfs.c_str();
        const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
        if (const int rc = sqlite3_open_v2(path.c_str(), &db->db_, flags, vfs); rc != SQLITE_OK)
            return {MapResult(rc), path + ": open: " + sqlite3_errstr(rc)};
        sqlite3_extended_result_codes(db->db_, 1);
        db->wait_ = BusyWait{options.busyTimeoutMs, options.clock};
        sqlite3_busy_handler(db->db_, &BusyWait::Handler, &db->wait_);
        out = std::move(db);
        return {};
    }

    // Reads what marks a Tessel hive on a connection that cannot write, so a
    // file that is refused, and a WAL beside it, stay exactly as they were.
    // Damage beyond that is reported by SQLite where it is met.
    // A reader keeps the connection that validated the hive (`keep`), so its
    // statements are prepared once.
    static Failure Validate(const std::string& path, const SqliteOptions& options,
                            std::unique_ptr<Database>* keep = nullptr)
    {
        // Opening a WAL database makes its side files; a hive we refuse must
        // be left without any it did not have.
        std::vector<std::string> madeFiles;
        for (const char* suffix : {"-wal", "-shm"})
            if (::access((path + suffix).c_str(), F_OK) != 0)
                madeFiles.push_back(path + suffix);
        Failure result;
        {
            std::unique_ptr<Database> db;
            result = Connect(path, options, true, db);
            if (result.Ok()) {
                const long rc = db->CheckSchema();
                if (rc == status::BadDatabase)
                    result = Refusal(rc, path, "not a Tessel hive of this version, or damaged");
                else if (rc != status::Success)
                    result = {rc, path + ": read: " + sqlite3_errmsg(db->db_)};
            }
            if (result.Ok() && keep)
                *keep = std::move(db);
        }
        // Only for a file that is not a hive: a busy one may be another program's live WAL.
        if (result.rc == status::BadDatabase)
            for (const std::string& made : madeFiles)
                ::unlink(made.c_str());
        return result;
    }

    // A new hive is built whole beside its final name and linked into place,
    // so a failure half way never leaves a file that later opens would refuse.
    static Failure CreateHive(const std::string& path, bool privateFile, const SqliteOptions& options)
    {
        RemoveStaleTemporaries(path);
        std::string temporary = path + ".new-XXXXXX";
        const int fd = ::mkstemp(temporary.data());
        if (fd < 0)
            return SystemFailure(path + ".new-XXXXXX", "create", errno);
        // Held until the end: marks the temporary as in use for RemoveStaleTemporaries.
        ::flock(fd, LOCK_EX);
        // The user hive holds the password: never world-readable, not even briefly.
        ::fchmod(fd, privateFile ? 0600 : 0644);
        Failure result;
        {
            std::unique_ptr<Database> db;
            result = Connect(temporary, options, false, db);
            if (result.Ok())
                if (const long rc = db->Initialise(); rc != status::Success)
                    result = {rc, temporary + ": build hive: " + sqlite3_errmsg(db->db_)};
        }
        struct stat st
        {
        };
        if (result.Ok() && ::stat((temporary + "-wal").c_str(), &st) == 0)
            result = {status::Io, temporary + ": build hive: the final checkpoint did not go through"};
        // link() never replaces anything: whatever another program has put
        // there meanwhile is validated as found.
        if (result.Ok() && ::link(temporary.c_str(), path.c_str()) != 0 && errno != EEXIST)
            result = SystemFailure(path, "create", errno);
        for (const char* suffix : {"-wal", "-shm", "-journal", ""})
            ::unlink((temporary + suffix).c_str());
        ::close(fd);
        return result;
    }

    long Initialise()
    {
        char* error = nullptr;
        std::string sql = "PRAGMA journal_mode=WAL;BEGIN IMMEDIATE;";
        sql += kSchema;
        sql +=
            "PRAGMA application_id=" + std::to_string(kHiveApplicationId) + ";PRAGMA user_version=1;COMMIT;";
        int rc = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error);
        sqlite3_free(error);
        if (rc != SQLITE_OK) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            return MapResult(rc);
        }
        rc = sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
        return MapResult(rc);
    }

    long CheckSchema()
    {
        // Plain pragmas and the statements themselves: cheaper to prepare than
        // one query over the pragma functions and the schema table.
        long long marks[2] = {-1, -1};
        const char* pragmas[2] = {"PRAGMA application_id", "PRAGMA user_version"};
        for (int i = 0; i < 2; ++i) {
            sqlite3_stmt* check = nullptr;
            int rc = sqlite3_prepare_v2(db_, pragmas[i], -1, &check, nullptr);
            if (rc == SQLITE_OK) {
                rc = sqlite3_step(check);
                if (rc == SQLITE_ROW)
                    marks[i] = sqlite3_column_int64(check, 0);
            }
            sqlite3_finalize(check);
            if (rc != SQLITE_ROW)
                return TransientOr(rc);
        }
        if (marks[0] != kHiveApplicationId || marks[1] != 1)
            return status::BadDatabase;
        // Statements that do not prepare (a missing table or column, a view
        // in a table's place) mean the same.
        if (!Prepare())
            return TransientOr(sqlite3_errcode(db_));
        const int rc = keyExists_->Run(kRootId);
        keyExists_->Reset();
        return rc == SQLITE_ROW ? status::Success : rc == SQLITE_DONE ? status::BadDatabase : TransientOr(rc);
    }

    // A hive that is busy or cannot be read now is not refused for it.
    static long TransientOr(int rc)
    {
        const int primary = rc & 0xFF;
        if (primary == SQLITE_BUSY || primary == SQLITE_LOCKED || primary == SQLITE_IOERR ||
            primary == SQLITE_CANTOPEN || primary == SQLITE_NOMEM || primary == SQLITE_READONLY)
            return MapResult(rc);
        return status::BadDatabase;
    }

    // A writer adds what only its batched writes use.
    bool Prepare(bool writer = false)
    {
        auto make = [this](const char* sql) {
            statements_.push_back(std::make_unique<Statement>(db_, sql));
            return statements_.back()->Ok() ? statements_.back().get() : nullptr;
        };
        findChild_ = make("SELECT id FROM keys WHERE parent=?1 AND fold=?2");
        insertChild_ = make("INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
        keyExists_ = make("SELECT 1 FROM keys WHERE id=?1");
        query_ = make("SELECT type, length(data), CASE WHEN length(data) <= ?3 THEN data END FROM vals "
                      "WHERE key=?1 AND fold=?2");
        upsert_ = make("INSERT INTO vals(key, name, fold, type, data) SELECT ?1, ?2, ?3, ?4, ?5 "
                       "WHERE EXISTS(SELECT 1 FROM keys WHERE id=?1) "
                       "ON CONFLICT(key, fold) DO UPDATE SET type=excluded.type, data=excluded.data");
        delete_ = make("DELETE FROM vals WHERE key=?1 AND fold=?2");
        begin_ = make("BEGIN IMMEDIATE");
        beginRead_ = make("BEGIN");
        commit_ = make("COMMIT");
        rollback_ = make("ROLLBACK");
        dataVersion_ = make("PRAGMA data_version");
        if (writer) {
            holdLocks_ = make("PRAGMA locking_mode=EXCLUSIVE");
            releaseLocks_ = make("PRAGMA locking_mode=NORMAL");
            touch_ = make("SELECT 1 FROM keys LIMIT 1");
            same_ = make("SELECT 1 FROM vals WHERE key=?1 AND fold=?2 AND type=?3 AND data=?4 "
                         "AND EXISTS(SELECT 1 FROM keys WHERE id=?1)");
            present_ = make("SELECT 1 FROM vals WHERE key=?1 AND fold=?2");
        }
        for (const auto& s : statements_)
            if (!s->Ok())
                return false;
        return true;
    }

    long Exec(Statement& statement)
    {
        const int rc = statement.Run();
        statement.Reset();
        return MapResult(rc);
    }

    long KeyMissingOr(long long key, long otherwise)
    {
        const int rc = keyExists_->Run(key);
        keyExists_->Reset();
        if (rc == SQLITE_ROW)
            return otherwise;
        return rc == SQLITE_DONE ? status::KeyDeleted : MapResult(rc);
    }

    sqlite3* db_ = nullptr;
    BusyWait wait_;
    std::vector<std::unique_ptr<Statement>> statements_;
    Statement* findChild_ = nullptr;
    Statement* insertChild_ = nullptr;
    Statement* keyExists_ = nullptr;
    Statement* query_ = nullptr;
    Statement* upsert_ = nullptr;
    Statement* delete_ = nullptr;
    Statement* begin_ = nullptr;
    Statement* beginRead_ = nullptr;
    Statement* commit_ = nullptr;
    Statement* rollback_ = nullptr;
    Statement* same_ = nullptr;
    Statement* present_ = nullptr;
    Statement* dataVersion_ = nullptr;
    Statement* holdLocks_ = nullptr;
    Statement* releaseLocks_ = nullptr;
    Statement* touch_ = nullptr;
    bool holding_ = false;
    bool heldOff_ = false; // another connection had the hive open in this batch

    // A batch that writes keeps SQLite's file locks from its first write to
    // its end: every row still commits on its own, but without taking and
    // dropping the WAL's locks around each commit. Other programs wait for
    // the batch as they wait for any writer.
    void HoldLocks()
    {
        if (holding_ || heldOff_ || !holdLocks_)
            return;
        Exec(*holdLocks_);
        holding_ = true;
    }

    // Every connection to a WAL hive keeps a shared lock on it while it is
    // open, so the hive cannot be held while another program has it open,
    // even idle: waiting would only end in the busy timeout. The batch then
    // writes as any writer does.
    void GiveUpHolding()
    {
        holding_ = false;
        heldOff_ = true;
        Exec(*releaseLocks_);
    }

    // The locks go at the next access after the mode is back to normal.
    void ReleaseLocks()
    {
        heldOff_ = false;
        if (!holding_)
            return;
        holding_ = false;
        Exec(*releaseLocks_);
        Exec(*touch_);
    }

public:
    // Within a batch (SqliteBackend::BeginBatch) statements share one
    // transaction: begun for reading when first needed, made a write
    // transaction by the first write, and committed by Commit. Keys found or
    // made are remembered while no other connection changes the hive.
    int batched_ = 0;
    bool inTransaction_ = false;
    bool wrote_ = false;
    long lost_ = status::Success; // SQLite took back a transaction that held writes
    long long seenVersion_ = -1;
    std::unordered_map<std::string, long long> keyIds_;

    long Enter()
    {
        if (!batched_ || inTransaction_)
            return status::Success;
        if (const long rc = Exec(*beginRead_); rc != status::Success)
            return rc;
        inTransaction_ = true;
        wrote_ = false;
        const int rc = dataVersion_->Run();
        const long long version = rc == SQLITE_ROW ? sqlite3_column_int64(dataVersion_->Get(), 0) : -2;
        dataVersion_->Reset();
        // Another program committed since: what it deleted may be remembered.
        if (version != seenVersion_)
            keyIds_.clear();
        seenVersion_ = version;
        return status::Success;
    }

    // Runs a statement that writes. A read transaction that cannot become a
    // write transaction (another connection wrote or is writing, or has the
    // hive open while this one tries to hold it) starts again as one that
    // waits for the lock.
    template <typename... Args> int RunWrite(Statement& statement, const Args&... args)
    {
        if (batched_)
            HoldLocks();
        int rc = statement.Run(args...);
        if (batched_ && inTransaction_ && !wrote_ && (rc & 0xFF) == SQLITE_BUSY) {
            statement.Reset();
            Exec(*commit_);
            inTransaction_ = false;
            if (holding_)
                GiveUpHolding();
            if (Exec(*begin_) != status::Success)
                return rc;
            inTransaction_ = true;
            rc = statement.Run(args...);
        }
        if (batched_ && inTransaction_) {
            if (rc == SQLITE_DONE || rc == SQLITE_ROW)
                wrote_ = true;
            else
                NoteFailure(rc);
        }
        return rc;
    }

    // SQLite takes back the whole transaction after some failures (a full
    // disk, an I/O error): the writes before it in the batch are gone.
    void NoteFailure(int rc)
    {
        if (inTransaction_ && sqlite3_get_autocommit(db_)) {
            inTransaction_ = false;
            if (wrote_ && lost_ == status::Success)
                lost_ = MapResult(rc);
            wrote_ = false;
            keyIds_.clear();
        }
    }

    // Stores the batch's writes; a read transaction stays open for what follows.
    long Commit()
    {
        long rc = lost_;
        lost_ = status::Success;
        if (inTransaction_ && wrote_) {
            if (const long commit = Exec(*commit_); commit != status::Success) {
                Exec(*rollback_);
                keyIds_.clear();
                if (rc == status::Success)
                    rc = commit;
            }
            inTransaction_ = false;
            wrote_ = false;
        }
        return rc;
    }

    long EndBatch()
    {
        const long rc = Commit();
        if (inTransaction_)
            Exec(*commit_);
        inTransaction_ = false;
        if (--batched_ == 0) {
            keyIds_.clear();
            ReleaseLocks();
        }
        return rc;
    }
};

SqliteBackend::SqliteBackend(SqliteOptions options) : options_(std::move(options)) {}

std::string SqliteBackend::CreateSharedHive(const std::string& path)
{
    SqliteOptions options;
    options.machinePath = path;
    std::unique_ptr<Database> db;
    if (Failure f = Database::Open(path, false, options, db); !f.Ok())
        return f.reason;
    // A first read makes the side files, which then stay (persistent WAL).
    RegValue unnamed;
    if (const long rc = db->Query(kRootId, "", unnamed); rc != status::Success && rc != status::FileNotFound)
        return path + ": read: error " + std::to_string(rc);
    return {};
}

SqliteBackend::~SqliteBackend() = default;

SqliteOptions SqliteBackend::DefaultOptions()
{
    SqliteOptions options;
    auto env = [](const char* name) -> std::string {
        const char* value = std::getenv(name);
        return value ? value : "";
    };
    options.userPath = env("TESSEL_HKCU_DB");
    if (options.userPath.empty()) {
        std::string config = env("XDG_CONFIG_HOME");
        if (config.empty() || config.front() != '/') {
            std::string home = env("HOME");
            if (home.empty())
                if (const passwd* pw = ::getpwuid(::getuid()))
                    home = pw->pw_dir;
            config = home + "/.config";
        }
        options.userPath = config + "/tessel/user.db";
    }
    options.machinePath = env("TESSEL_HKLM_DB");
    if (options.machinePath.empty())
        options.machinePath = "/var/lib/tessel/machine.db";
    return options;
}

std::string SqliteBackend::Diagnosis() const
{
    std::string text = diagnoses_[0];
    if (!diagnoses_[1].empty())
        text += (text.empty() ? "" : "\n") + diagnoses_[1];
    return text;
}

HiveClock HiveClock::Steady()
{
    return {[] {
                return std::chrono::duration_cast<std::chrono::milliseconds>(
                    std::chrono::steady_clock::now().time_since_epoch());
            },
            [](std::chrono::milliseconds d) { std::this_thread::sleep_for(d); }};
}

const std::string& SqliteBackend::PathOf(Hive hive) const
{
    return hive == Hive::CurrentUser ? options_.userPath : options_.machinePath;
}

const SqliteBackend::OpenKey* SqliteBackend::Find(Handle key) const
{
    const auto it = open_.find(key);
    return it == open_.end() ? nullptr : &it->second;
}

long SqliteBackend::DoCreateKey(Hive hive, std::string_view path, std::uint32_t, Handle& key)
{
    auto& db = databases_[static_cast<int>(hive)];
    if (!db) {
        Failure f = Database::Open(PathOf(hive), hive == Hive::CurrentUser, options_, db);
        if (!f.Ok()) {
            diagnoses_[static_cast<int>(hive)] = std::move(f.reason);
            return f.rc;
        }
        diagnoses_[static_cast<int>(hive)].clear();
        db->batched_ = batchDepth_;
    }
    std::vector<std::string> names;
    std::vector<std::string> folds;
    for (const std::string_view part : SplitKeyPath(path)) {
        names.push_back(AnsiToUtf8(part));
        folds.push_back(FoldUtf8(names.back()));
    }
    long long id = 0;
    if (const long rc = db->CreateKey(names, folds, id); rc != status::Success)
        return rc;
    key = next_++;
    open_[key] = OpenKey{hive, id};
    return status::Success;
}

long SqliteBackend::DoOpenKey(Hive hive, std::string_view path, Handle& key)
{
    const int h = static_cast<int>(hive);
    Database* db = databases_[h].get();
    if (!db) {
        if (!readers_[h]) {
            Failure f =
                Database::OpenReadOnly(PathOf(hive), hive == Hive::CurrentUser, options_, readers_[h]);
            if (!f.Ok()) {
                // A hive that does not exist yet is no fault.
                if (f.rc != status::FileNotFound)
                    diagnoses_[h] = std::move(f.reason);
                return f.rc;
            }
            readers_[h]->batched_ = batchDepth_;
        }
        db = readers_[h].get();
    }
    std::vector<std::string> folds;
    for (const std::string_view part : SplitKeyPath(path))
        folds.push_back(FoldName(part));
    long long id = 0;
    if (const long rc = db->FindKey(folds, id); rc != status::Success)
        return rc;
    key = next_++;
    open_[key] = OpenKey{hive, id, db != databases_[h].get()};
    return status::Success;
}

SqliteBackend::Database* SqliteBackend::DatabaseOf(const OpenKey& open) const
{
    const int h = static_cast<int>(open.hive);
    return open.readOnly ? readers_[h].get() : databases_[h].get();
}

long SqliteBackend::DoQueryValue(Handle key, std::string_view name, RegValue& value)
{
    const OpenKey* open = Find(key);
    if (!open)
        return status::InvalidHandle;
    return DatabaseOf(*open)->Query(open->id, FoldName(name), value);
}

long SqliteBackend::DoSetValue(Handle key, std::string_view name, std::uint32_t type,
                               const std::uint8_t* data, std::uint32_t size)
{
    const OpenKey* open = Find(key);
    if (!open)
        return status::InvalidHandle;
    if (open->readOnly)
        return status::AccessDenied;
    const std::string utf8 = AnsiToUtf8(name);
    return databases_[static_cast<int>(open->hive)]->Set(open->id, utf8, FoldUtf8(utf8), type, data, size);
}

long SqliteBackend::DoDeleteValue(Handle key, std::string_view name)
{
    const OpenKey* open = Find(key);
    if (!open)
        return status::InvalidHandle;
    if (open->readOnly)
        return status::AccessDenied;
    return databases_[static_cast<int>(open->hive)]->Delete(open->id, FoldName(name));
}

long SqliteBackend::DoCloseKey(Handle key)
{
    return open_.erase(key) ? status::Success : status::InvalidHandle;
}

// The machine hive's writes are stored before the user hive's, so a state
// mirror never records a row whose values were not stored.
class SqliteBackend::Batch final : public StoreBatch
{
public:
    explicit Batch(SqliteBackend& owner) : owner_(owner)
    {
        ++owner_.batchDepth_;
        for (Database* db : owner_.Connections())
            ++db->batched_;
    }
    ~Batch() override
    {
        for (Database* db : owner_.Connections())
            if (db->batched_ > 0)
                db->EndBatch();
        --owner_.batchDepth_;
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    long Commit() override
    {
        long rc = status::Success;
        for (Database* db : owner_.Connections())
            if (const long result = db->Commit(); rc == status::Success)
                rc = result;
        return rc;
    }

private:
    SqliteBackend& owner_;
};

std::vector<SqliteBackend::Database*> SqliteBackend::Connections() const
{
    std::vector<Database*> open;
    for (const auto* set : {&databases_, &readers_})
        for (int h : {static_cast<int>(Hive::LocalMachine), static_cast<int>(Hive::CurrentUser)})
            if ((*set)[h])
                open.push_back((*set)[h].get());
    return open;
}

std::unique_ptr<StoreBatch> SqliteBackend::DoBeginBatch()
{
    return std::make_unique<Batch>(*this);
}

namespace {

// Who holds an flock on the file, from /proc/locks where the system has it.
std::string LockHolder(const struct stat& locked)
{
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        // "1: FLOCK  ADVISORY  WRITE 1234 08:01:5678 0 EOF"; waiters carry "->".
        std::istringstream fields(line);
        std::string number, kind, advisory, mode, where;
        long pid = 0;
        if (!(fields >> number >> kind >> advisory >> mode >> pid >> where) || kind != "FLOCK")
            continue;
        unsigned devMajor = 0, devMinor = 0;
        unsigned long long inode = 0;
        if (std::sscanf(where.c_str(), "%x:%x:%llu", &devMajor, &devMinor, &inode) != 3 ||
            inode != locked.st_ino || devMajor != major(locked.st_dev) || devMinor != minor(locked.st_dev))
            continue;
        std::string name;
        std::getline(std::ifstream("/proc/" + std::to_string(pid) + "/comm"), name);
        return "process " + std::to_string(pid) + (name.empty() ? "" : " (" + name + ")");
    }
    return {};
}

} // namespace

// The outermost holder owns the descriptor; nested ones only count.
class SqliteBackend::HeldLock final : public PassLock
{
public:
    explicit HeldLock(SqliteBackend& owner) : owner_(owner) { ++owner_.passLockDepth_; }
    ~HeldLock() override
    {
        if (--owner_.passLockDepth_ == 0) {
            ::flock(owner_.passLockFd_, LOCK_UN);
            ::close(owner_.passLockFd_);
            owner_.passLockFd_ = -1;
        }
    }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    SqliteBackend& owner_;
};

std::unique_ptr<PassLock> SqliteBackend::DoLockForPass(const LockWaitNotice& notice)
{
    if (passLockDepth_ > 0)
        return std::make_unique<HeldLock>(*this);
    // The lock sits on the user hive's folder: a lock on the file itself would
    // be dropped together with SQLite's own locks when our descriptor closed.
    const fs::path dir = fs::path(options_.userPath).parent_path();
    auto refuse = [&](const Failure& f) {
        throw std::runtime_error("the pass lock cannot be taken, nothing was written: " + f.reason);
    };
    if (Failure f = EnsureDirectory(dir, true); !f.Ok())
        refuse(f);
    const std::string name = dir.empty() ? "." : dir.string();
    const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        refuse(SystemFailure(name, "open", errno));
    const auto started = options_.clock.now();
    bool told = false;
    auto step = std::chrono::milliseconds(1);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) {
            const int error = errno;
            ::close(fd);
            refuse(SystemFailure(name, "lock", error));
        }
        // No time limit: a pass that ran without the lock would interleave
        // its rows with the other one's.
        if (!told && options_.clock.now() - started >= std::chrono::milliseconds(options_.lockNoticeMs)) {
            told = true;
            if (notice) {
                struct stat st
                {
                };
                notice(::fstat(fd, &st) == 0 ? LockHolder(st) : std::string());
            }
        }
        options_.clock.sleep(step);
        step = std::min(step * 2, std::chrono::milliseconds(50));
    }
    passLockFd_ = fd;
    return std::make_unique<HeldLock>(*this);
}

} // namespace tessel
