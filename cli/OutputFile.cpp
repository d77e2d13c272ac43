#include "cli/OutputFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessel {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const fs::path& path, int error)
{
    const std::u8string name = path.u8string();
    throw std::runtime_error("cannot write " + std::string(name.begin(), name.end()) + ": " +
                             std::strerror(error));
}

#ifdef _WIN32

int OpenNew(const fs::path& path)
{
    return ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}

int OpenExisting(const fs::path&)
{
    return -1;
}

long WriteSome(int fd, const char* data, std::size_t size)
{
    return ::_write(fd, data, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
}

bool FlushAndClose(int fd)
{
    const bool flushed = ::_commit(fd) == 0;
    return ::_close(fd) == 0 && flushed;
}

bool Replace(const fs::path& from, const fs::path& to)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    errno = EACCES;
    return false;
}

std::string ProcessTag()
{
    return std::to_string(GetCurrentProcessId());
}

#else

// Created with the modes a new file gets (0666 less the umask); an existing
// regular file's modes are kept.
int OpenNew(const fs::path& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
}

// A device or FIFO at the path is the reader itself: written to as it is.
int OpenExisting(const fs::path& path)
{
    struct stat st
    {
    };
    if (::lstat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode) || S_ISLNK(st.st_mode) || S_ISDIR(st.st_mode))
        return -1;
    return ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
}

long WriteSome(int fd, const char* data, std::size_t size)
{
    return static_cast<long>(::write(fd, data, size));
}

bool FlushAndClose(int fd)
{
    struct stat st
    {
    };
    const bool flushed = ::fstat(fd, &st) == 0 && (!S_ISREG(st.st_mode) || ::fsync(fd) == 0);
    const int error = errno;
    const bool closed = ::close(fd) == 0;
    if (!flushed)
        errno = error;
    return flushed && closed;
}

bool Replace(const fs::path& from, const fs::path& to)
{
    struct stat st
    {
    };
    if (::lstat(to.c_str(), &st) == 0 && S_ISREG(st.st_mode))
        ::chmod(from.c_str(), st.st_mode & 07777);
    return ::rename(from.c_str(), to.c_str()) == 0;
}

std::string ProcessTag()
{
    return std::to_string(::getpid());
}

#endif

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const long n = WriteSome(fd, bytes.data(), bytes.size());
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

void WriteFileReplacing(const fs::path& path, std::string_view bytes)
{
    if (const int fd = OpenExisting(path); fd >= 0) {
        if (!WriteAll(fd, bytes) || !FlushAndClose(fd))
            Fail(path, errno);
        return;
    }
    const fs::path dir = path.parent_path();
    // Beside its final name, so that the rename never crosses file systems.
    fs::path temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temporary = dir / path.filename();
        temporary += ".tmp-" + ProcessTag() + "-" + std::to_string(attempt);
        fd = OpenNew(temporary);
        if (fd < 0 && (errno != EEXIST || attempt == 99))
            Fail(path, errno);
    }
    if (!WriteAll(fd, bytes)) {
        const int error = errno;
        FlushAndClose(fd);
        std::error_code ec;
        fs::remove(temporary, ec);
        Fail(path, error);
    }
    if (!FlushAndClose(fd) || !Replace(temporary, path)) {
        const int error = errno;
        std::error_code ec;
        fs::remove(temporary, ec);
        Fail(path, error);
    }
}

} // namespace tessel
