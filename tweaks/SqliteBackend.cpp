#include "tweaks/SqliteBackend.h"

#include "tweaks/NameFolding.h"

#include <sqlite3.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
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

// Reads the file header without letting SQLite near a file that may not be ours.
long CheckHeader(const std::string& path)
{
    unsigned char header[100];
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return AccessError(errno);
    const ssize_t got = ::read(fd, header, sizeof header);
    ::close(fd);
    if (got != static_cast<ssize_t>(sizeof header) || std::memcmp(header, "SQLite format 3", 16) != 0)
        return status::BadDatabase;
    const auto id =
        static_cast<std::uint32_t>(header[68] << 24 | header[69] << 16 | header[70] << 8 | header[71]);
    return id == static_cast<std::uint32_t>(kHiveApplicationId) ? status::Success : status::BadDatabase;
}

long EnsureDirectory(const fs::path& dir, bool privateDir)
{
    std::error_code ec;
    if (dir.empty() || fs::is_directory(dir, ec))
        return status::Success;
    if (const long rc = EnsureDirectory(dir.parent_path(), privateDir); rc != status::Success)
        return rc;
    if (::mkdir(dir.c_str(), privateDir ? 0700 : 0755) != 0 && errno != EEXIST)
        return AccessError(errno);
    return status::Success;
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

    static long Open(const std::string& path, bool privateFile, const SqliteOptions& options,
                     std::unique_ptr<Database>& out)
    {
        const fs::path file(path);
        const fs::path dir = file.parent_path().empty() ? fs::path(".") : file.parent_path();
        if (const long rc = EnsureDirectory(file.parent_path(), privateFile); rc != status::Success)
            return rc;
        if (::access(dir.c_str(), W_OK) != 0)
            return status::AccessDenied;
        struct stat st
        {
        };
        if (::stat(path.c_str(), &st) != 0 || st.st_size == 0) {
            if (const long rc = CreateHive(path, privateFile, options); rc != status::Success)
                return rc;
        } else if (::access(path.c_str(), W_OK) != 0) {
            return status::AccessDenied;
        }
        if (const long rc = CheckHeader(path); rc != status::Success)
            return rc;

        // Opening a WAL database makes its side files; a hive we refuse must
        // be left without any it did not have.
        std::vector<std::string> madeFiles;
        for (const char* suffix : {"-wal", "-shm"})
            if (::access((path + suffix).c_str(), F_OK) != 0)
                madeFiles.push_back(path + suffix);
        std::unique_ptr<Database> db;
        long rc = Connect(path, options, db);
        if (rc == status::Success) {
            // Closing must not fold a WAL into a file we have not accepted as ours.
            sqlite3_db_config(db->db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
            rc = db->Verify();
        }
        if (rc != status::Success) {
            db.reset();
            // Only for a file that is not a hive: a busy one may be another program's live WAL.
            if (rc == status::BadDatabase)
                for (const std::string& file : madeFiles)
                    ::unlink(file.c_str());
            return rc;
        }
        sqlite3_db_config(db->db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
        if (sqlite3_exec(db->db_, "PRAGMA synchronous=NORMAL", nullptr, nullptr, nullptr) != SQLITE_OK)
            return status::Io;
        if (!db->Prepare())
            return status::BadDatabase;
        out = std::move(db);
        return status::Success;
    }

    // Reads a hive without creating it or its side files' folder.
    static long OpenReadOnly(const std::string& path, const SqliteOptions& options,
                             std::unique_ptr<Database>& out)
    {
        struct stat st
        {
        };
        if (::stat(path.c_str(), &st) != 0)
            return errno == ENOENT ? status::FileNotFound : AccessError(errno);
        if (st.st_size == 0)
            return status::FileNotFound;
        if (const long rc = CheckHeader(path); rc != status::Success)
            return rc;
        std::unique_ptr<Database> db;
        long rc = Connect(path, options, db, SQLITE_OPEN_READONLY);
        if (rc == status::Success)
            rc = db->Verify();
        if (rc == status::Success && !db->Prepare())
            rc = status::BadDatabase;
        if (rc == status::Success)
            out = std::move(db);
        return rc;
    }

    long FindKey(const std::vector<std::string>& folds, long long& id)
    {
        id = kRootId;
        for (const std::string& fold : folds) {
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
        }
        return status::Success;
    }

    long CreateKey(const std::vector<std::string>& names, const std::vector<std::string>& folds,
                   long long& id)
    {
        const long found = FindKey(folds, id);
        if (found != status::FileNotFound)
            return found;
        if (const long rc = Exec(*begin_); rc != status::Success)
            return rc;
        id = kRootId;
        for (std::size_t i = 0; i < folds.size(); ++i) {
            int rc = findChild_->Run(id, folds[i]);
            if (rc == SQLITE_ROW) {
                id = sqlite3_column_int64(findChild_->Get(), 0);
                findChild_->Reset();
                continue;
            }
            findChild_->Reset();
            if (rc == SQLITE_DONE) {
                rc = insertChild_->Run(id, names[i], folds[i]);
                insertChild_->Reset();
                id = sqlite3_last_insert_rowid(db_);
            }
            if (rc != SQLITE_DONE) {
                Exec(*rollback_);
                return MapResult(rc);
            }
        }
        if (const long rc = Exec(*commit_); rc != status::Success) {
            Exec(*rollback_);
            return rc;
        }
        return status::Success;
    }

    long Query(long long key, const std::string& fold, RegValue& value)
    {
        const int rc = query_->Run(key, fold);
        if (rc == SQLITE_ROW) {
            sqlite3_stmt* s = query_->Get();
            value.type = static_cast<std::uint32_t>(sqlite3_column_int64(s, 0));
            const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(s, 1));
            value.data.assign(bytes, bytes + sqlite3_column_bytes(s, 1));
            query_->Reset();
            return status::Success;
        }
        query_->Reset();
        if (rc != SQLITE_DONE)
            return MapResult(rc);
        return KeyMissingOr(key, status::FileNotFound);
    }

    long Set(long long key, const std::string& name, const std::string& fold, std::uint32_t type,
             const std::uint8_t* data, std::uint32_t size)
    {
        const int rc = upsert_->Run(key, name, fold, type, BlobArg{data, size});
        upsert_->Reset();
        if (rc != SQLITE_DONE)
            return MapResult(rc);
        // Another program deleted the key: never bring it back behind its back.
        return sqlite3_changes(db_) == 0 ? status::KeyDeleted : status::Success;
    }

    long Delete(long long key, const std::string& fold)
    {
        const int rc = delete_->Run(key, fold);
        delete_->Reset();
        if (rc != SQLITE_DONE)
            return MapResult(rc);
        return sqlite3_changes(db_) > 0 ? status::Success : KeyMissingOr(key, status::FileNotFound);
    }

private:
    Database() = default;

    static long Connect(const std::string& path, const SqliteOptions& options, std::unique_ptr<Database>& out,
                        int mode = SQLITE_OPEN_READWRITE)
    {
        auto db = std::unique_ptr<Database>(new Database);
        const char* vfs = options.vfs.empty() ? nullptr : options.vfs.c_str();
        if (sqlite3_open_v2(path.c_str(), &db->db_, mode | SQLITE_OPEN_NOMUTEX, vfs) != SQLITE_OK)
            return status::BadDatabase;
        sqlite3_extended_result_codes(db->db_, 1);
        sqlite3_busy_timeout(db->db_, options.busyTimeoutMs);
        out = std::move(db);
        return status::Success;
    }

    // A new hive is built whole beside its final name and linked into place,
    // so a failure half way never leaves a file that later opens would refuse.
    static long CreateHive(const std::string& path, bool privateFile, const SqliteOptions& options)
    {
        std::string temporary = path + ".new-XXXXXX";
        const int fd = ::mkstemp(temporary.data());
        if (fd < 0)
            return AccessError(errno);
        // The user hive holds the password: never world-readable, not even briefly.
        ::fchmod(fd, privateFile ? 0600 : 0644);
        ::close(fd);
        auto discard = [&temporary] {
            for (const char* suffix : {"", "-wal", "-shm", "-journal"})
                ::unlink((temporary + suffix).c_str());
        };
        long rc = status::Success;
        {
            std::unique_ptr<Database> db;
            rc = Connect(temporary, options, db);
            if (rc == status::Success)
                rc = db->Initialise();
        }
        struct stat st
        {
        };
        if (rc == status::Success && ::stat((temporary + "-wal").c_str(), &st) == 0)
            rc = status::Io; // the final checkpoint did not go through
        if (rc == status::Success) {
            // link() never replaces a hive another program has just put there;
            // only an empty file is replaced.
            if (::link(temporary.c_str(), path.c_str()) != 0) {
                struct stat existing
                {
                };
                if (errno == EEXIST && ::stat(path.c_str(), &existing) == 0 && existing.st_size == 0)
                    rc =
                        ::rename(temporary.c_str(), path.c_str()) == 0 ? status::Success : AccessError(errno);
                else if (errno != EEXIST)
                    rc = AccessError(errno);
            }
        }
        discard();
        return rc;
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

    long Verify()
    {
        // A damaged hive is refused whole rather than half read.
        sqlite3_stmt* check = nullptr;
        if (sqlite3_prepare_v2(db_, "PRAGMA quick_check", -1, &check, nullptr) != SQLITE_OK)
            return status::BadDatabase;
        const int rc = sqlite3_step(check);
        bool ok = rc == SQLITE_ROW &&
                  std::strcmp(reinterpret_cast<const char*>(sqlite3_column_text(check, 0)), "ok") == 0;
        if (ok)
            ok = sqlite3_step(check) == SQLITE_DONE;
        sqlite3_finalize(check);
        if ((rc & 0xFF) == SQLITE_BUSY)
            return status::Busy;
        return ok ? status::Success : status::BadDatabase;
    }

    bool Prepare()
    {
        auto make = [this](const char* sql) {
            statements_.push_back(std::make_unique<Statement>(db_, sql));
            return statements_.back()->Ok() ? statements_.back().get() : nullptr;
        };
        findChild_ = make("SELECT id FROM keys WHERE parent=?1 AND fold=?2");
        insertChild_ = make("INSERT INTO keys(parent, name, fold) VALUES(?1, ?2, ?3)");
        keyExists_ = make("SELECT 1 FROM keys WHERE id=?1");
        query_ = make("SELECT type, data FROM vals WHERE key=?1 AND fold=?2");
        upsert_ = make("INSERT INTO vals(key, name, fold, type, data) SELECT ?1, ?2, ?3, ?4, ?5 "
                       "WHERE EXISTS(SELECT 1 FROM keys WHERE id=?1) "
                       "ON CONFLICT(key, fold) DO UPDATE SET type=excluded.type, data=excluded.data");
        delete_ = make("DELETE FROM vals WHERE key=?1 AND fold=?2");
        begin_ = make("BEGIN IMMEDIATE");
        commit_ = make("COMMIT");
        rollback_ = make("ROLLBACK");
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
    std::vector<std::unique_ptr<Statement>> statements_;
    Statement* findChild_ = nullptr;
    Statement* insertChild_ = nullptr;
    Statement* keyExists_ = nullptr;
    Statement* query_ = nullptr;
    Statement* upsert_ = nullptr;
    Statement* delete_ = nullptr;
    Statement* begin_ = nullptr;
    Statement* commit_ = nullptr;
    Statement* rollback_ = nullptr;
};

SqliteBackend::SqliteBackend(SqliteOptions options) : options_(std::move(options)) {}

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
        if (const long rc = Database::Open(PathOf(hive), hive == Hive::CurrentUser, options_, db);
            rc != status::Success)
            return rc;
    }
    std::vector<std::string> names;
    std::vector<std::string> folds;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find('\\'), path.size());
        names.push_back(AnsiToUtf8(path.substr(0, end)));
        folds.push_back(FoldUtf8(names.back()));
        path.remove_prefix(std::min(end + 1, path.size()));
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
        if (!readers_[h])
            if (const long rc = Database::OpenReadOnly(PathOf(hive), options_, readers_[h]);
                rc != status::Success)
                return rc;
        db = readers_[h].get();
    }
    std::vector<std::string> folds;
    while (!path.empty()) {
        const std::size_t end = std::min(path.find('\\'), path.size());
        folds.push_back(FoldName(path.substr(0, end)));
        path.remove_prefix(std::min(end + 1, path.size()));
    }
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

namespace {

class DirectoryLock final : public PassLock
{
public:
    explicit DirectoryLock(int fd) : fd_(fd) {}
    ~DirectoryLock() override
    {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }

private:
    int fd_;
};

} // namespace

std::unique_ptr<PassLock> SqliteBackend::LockForPass()
{
    // The lock sits on the user hive's folder: a lock on the file itself would
    // be dropped together with SQLite's own locks when our descriptor closed.
    const fs::path dir = fs::path(options_.userPath).parent_path();
    if (EnsureDirectory(dir, true) != status::Success)
        return nullptr;
    const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.busyTimeoutMs);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // A pass that waits on a message box elsewhere must not freeze this one for good.
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline) {
            ::close(fd);
            return nullptr;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return std::make_unique<DirectoryLock>(fd);
}

} // namespace tessel
