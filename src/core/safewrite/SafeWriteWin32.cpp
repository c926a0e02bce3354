// The file-system calls on Windows, through the wide-character API.
#include "SafeWriteSystem.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <iterator>

namespace safewrite {
namespace {

std::error_code lastError()
{
    return std::error_code(static_cast<int>(::GetLastError()), std::system_category());
}

std::error_code result(BOOL done)
{
    return done ? std::error_code() : lastError();
}

HANDLE fileHandle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

class Win32System final : public System
{
public:
    std::error_code createNew(const std::filesystem::path& path, std::intptr_t& handle) override
    {
        // CREATE_NEW fails on any existing name, a link or a dangling link included.
        const HANDLE file =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return lastError();
        handle = reinterpret_cast<std::intptr_t>(file);
        return {};
    }

    std::error_code writeSome(std::intptr_t handle, std::span<const std::uint8_t> bytes,
                              std::size_t& written) override
    {
        const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD count = 0;
        if (!::WriteFile(fileHandle(handle), bytes.data(), size, &count, nullptr))
            return lastError();
        written = count;
        return {};
    }

    std::error_code sync(std::intptr_t handle) override
    {
        return result(::FlushFileBuffers(fileHandle(handle)));
    }

    std::error_code close(std::intptr_t handle) override
    {
        return result(::CloseHandle(fileHandle(handle)));
    }

    std::error_code rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override
    {
        // While another program holds either file open (a database tool reading the last
        // save, a virus scanner looking at the new file) the rename is refused until it lets
        // go, which is usually soon: such refusals are tried again for about a second.
        static constexpr DWORD waits[] = {10, 20, 40, 80, 150, 200, 250, 250}; // ms
        std::size_t attempt = 0;
        while (!::MoveFileExW(from.c_str(), to.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            const DWORD error = ::GetLastError();
            const bool heldOpen = error == ERROR_SHARING_VIOLATION ||
                                  error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
            if (!heldOpen || attempt == std::size(waits))
                return std::error_code(static_cast<int>(error), std::system_category());
            ::Sleep(waits[attempt++]);
        }
        return {};
    }

    std::error_code hardLink(const std::filesystem::path& existing,
                             const std::filesystem::path& link) override
    {
        return result(::CreateHardLinkW(link.c_str(), existing.c_str(), nullptr));
    }

    bool cannotLink(std::error_code error) const override
    {
        const int value = error.value();
        return value == ERROR_NOT_SUPPORTED || value == ERROR_INVALID_FUNCTION ||
               value == ERROR_NOT_SAME_DEVICE || value == ERROR_TOO_MANY_LINKS ||
               value == ERROR_ACCESS_DENIED;
    }

    bool alreadyExists(std::error_code error) const override
    {
        return error.value() == ERROR_FILE_EXISTS || error.value() == ERROR_ALREADY_EXISTS;
    }

    std::error_code remove(const std::filesystem::path& path) override
    {
        if (::DeleteFileW(path.c_str()))
            return {};
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {};
        return std::error_code(static_cast<int>(error), std::system_category());
    }

    std::error_code syncFolder(const std::filesystem::path&) override
    {
        // Windows has no folder sync; the renames are written through (MOVEFILE_WRITE_THROUGH).
        return {};
    }

    void randomBytes(std::span<std::uint8_t> bytes) override
    {
        const NTSTATUS status =
            ::BCryptGenRandom(nullptr, bytes.data(), static_cast<ULONG>(bytes.size()),
                              BCRYPT_USE_SYSTEM_PREFERRED_RNG);
        if (status != 0)
            throw std::system_error(std::make_error_code(std::errc::io_error),
                                    "no random numbers from the system");
    }

    bool isOwnFile(const std::filesystem::path& path) override
    {
        // Who may remove a file is a matter of its access list on Windows: a plain file is enough.
        const DWORD attributes = ::GetFileAttributesW(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               !(attributes &
                 (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
    }

    std::error_code lock(const std::filesystem::path& path, std::intptr_t& handle,
                         bool& busy) override
    {
        // Opened unshared, the file is the lock; it goes when its handle closes, also when the
        // process is ended.
        busy = false;
        const HANDLE file = ::CreateFileW(
            path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT,
            nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD error = ::GetLastError();
            // A lock file being deleted as its holder closes it refuses access for a moment.
            busy = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED;
            return busy ? std::error_code()
                        : std::error_code(static_cast<int>(error), std::system_category());
        }
        handle = reinterpret_cast<std::intptr_t>(file);
        return {};
    }

    void unlock(const std::filesystem::path&, std::intptr_t handle) override
    {
        ::CloseHandle(fileHandle(handle));
    }
};

} // namespace

System& System::platform()
{
    static Win32System real;
    return real;
}

} // namespace safewrite
