// The file-system calls on Linux, macOS and other POSIX systems.
#include "SafeWriteSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safewrite {
namespace {

std::error_code lastError()
{
    return std::error_code(errno, std::generic_category());
}

std::error_code result(int value)
{
    return value == 0 ? std::error_code() : lastError();
}

int descriptor(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

class PosixSystem final : public System
{
public:
    std::error_code createNew(const std::filesystem::path& path, std::intptr_t& handle) override
    {
        int fd = -1;
        do {
            fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0)
            return lastError();
        handle = fd;
        return {};
    }

    std::error_code writeSome(std::intptr_t handle, std::span<const std::uint8_t> bytes,
                              std::size_t& written) override
    {
        ssize_t count = -1;
        do {
            count = ::write(descriptor(handle), bytes.data(), bytes.size());
        } while (count < 0 && errno == EINTR);
        if (count < 0)
            return lastError();
        written = static_cast<std::size_t>(count);
        return {};
    }

    std::error_code sync(std::intptr_t handle) override
    {
#ifdef F_FULLFSYNC
        // macOS: fsync leaves the data in the drive's cache; this asks the drive to write it.
        if (::fcntl(descriptor(handle), F_FULLFSYNC) == 0)
            return {};
#endif
        return result(::fsync(descriptor(handle)));
    }

    std::error_code close(std::intptr_t handle) override
    {
        // Not retried on EINTR: the descriptor is released whatever close says.
        return result(::close(descriptor(handle)));
    }

    std::error_code rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override
    {
        return result(::rename(from.c_str(), to.c_str()));
    }

    std::error_code hardLink(const std::filesystem::path& existing,
                             const std::filesystem::path& link) override
    {
        // Flags 0: a link is linked itself, not what it points to.
        return result(::linkat(AT_FDCWD, existing.c_str(), AT_FDCWD, link.c_str(), 0));
    }

    bool cannotLink(std::error_code error) const override
    {
        // EPERM: a file system without hard links (FAT), or links to others' files forbidden.
        const int value = error.value();
        return value == EPERM || value == EXDEV || value == EMLINK || value == ENOSYS ||
               value == ENOTSUP || value == EOPNOTSUPP;
    }

    bool alreadyExists(std::error_code error) const override
    {
        return error.value() == EEXIST;
    }

    std::error_code remove(const std::filesystem::path& path) override
    {
        if (::unlink(path.c_str()) == 0 || errno == ENOENT)
            return {};
        return lastError();
    }

    std::error_code syncFolder(const std::filesystem::path& folder) override
    {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return lastError();
        // EINVAL: the file system cannot sync a folder (its renames are durable without it).
        const int synced = ::fsync(fd);
        const std::error_code error =
            synced == 0 || errno == EINVAL ? std::error_code() : lastError();
        ::close(fd);
        return error;
    }

    void randomBytes(std::span<std::uint8_t> bytes) override
    {
        if (::getentropy(bytes.data(), bytes.size()) != 0)
            throw std::system_error(lastError(), "no random numbers from the system");
    }

    bool isOwnFile(const std::filesystem::path& path) override
    {
        struct stat entry = {};
        return ::lstat(path.c_str(), &entry) == 0 && S_ISREG(entry.st_mode) &&
               entry.st_uid == ::geteuid();
    }

    std::error_code lock(const std::filesystem::path& path, std::intptr_t& handle,
                         bool& busy) override
    {
        busy = false;
        while (true) {
            int fd = -1;
            do {
                fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
            } while (fd < 0 && errno == EINTR);
            if (fd < 0)
                return lastError();
            struct stat held = {};
            if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || held.st_uid != ::geteuid()) {
                ::close(fd);
                return std::make_error_code(std::errc::operation_not_permitted);
            }
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
                const std::error_code error = lastError();
                ::close(fd);
                busy = error == std::errc::operation_would_block;
                return busy ? std::error_code() : error;
            }
            // The holder before may have removed the file between our open and our lock, and
            // another save may have made it anew: only the file under the name counts.
            struct stat named = {};
            if (::lstat(path.c_str(), &named) == 0 && sameFile(named, held)) {
                handle = fd;
                return {};
            }
            ::close(fd);
        }
    }

    void unlock(const std::filesystem::path& path, std::intptr_t handle) override
    {
        struct stat held = {}, named = {};
        if (::fstat(descriptor(handle), &held) == 0 && ::lstat(path.c_str(), &named) == 0 &&
            sameFile(named, held))
            ::unlink(path.c_str());
        ::close(descriptor(handle));
    }
};

} // namespace

System& System::platform()
{
    static PosixSystem real;
    return real;
}

} // namespace safewrite
