#pragma once
// The file-system calls the safe-write makes, each giving the system's error code: the one
// interface between this library and the system. System::platform() is the real one
// (SafeWritePosix.cpp or SafeWriteWin32.cpp). A ScopedSystem puts another in force for its
// lifetime, so that a test can fail, shorten or stop any call the library makes.
//
//     MySystem mine;                       // derived from System, usually wrapping current()
//     safewrite::ScopedSystem scope(mine); // every safe-write call goes through `mine`

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

namespace safewrite {

// A handle is a file descriptor or a Windows HANDLE.
class System
{
public:
    // The real file system of the platform this is built for.
    static System& platform();
    // The one in force: the platform's unless a ScopedSystem says otherwise.
    static System& current();

    System() = default;
    System(const System&) = delete;
    System& operator=(const System&) = delete;
    virtual ~System() = default;

    // Creates a new file for writing; fails when the name exists in any form (file, folder,
    // link, dangling link) and never follows a link.
    virtual std::error_code createNew(const std::filesystem::path& path, std::intptr_t& handle) = 0;
    virtual std::error_code writeSome(std::intptr_t handle, std::span<const std::uint8_t> bytes,
                                      std::size_t& written) = 0;
    virtual std::error_code sync(std::intptr_t handle) = 0;
    // Releases the handle whatever it returns.
    virtual std::error_code close(std::intptr_t handle) = 0;
    // Renames `from` over `to`, replacing a file or link there.
    virtual std::error_code rename(const std::filesystem::path& from,
                                   const std::filesystem::path& to) = 0;
    // A second name of `existing` (of the link itself when it is one).
    virtual std::error_code hardLink(const std::filesystem::path& existing,
                                     const std::filesystem::path& link) = 0;
    // Whether hardLink failed because the file system cannot link (so a copy has to do).
    virtual bool cannotLink(std::error_code error) const = 0;
    virtual bool alreadyExists(std::error_code error) const = 0;
    // Removes a file or link itself; a name that is gone already is no error.
    virtual std::error_code remove(const std::filesystem::path& path) = 0;
    virtual std::error_code syncFolder(const std::filesystem::path& folder) = 0;
    virtual void randomBytes(std::span<std::uint8_t> bytes) = 0;

    // Whether `path` is a plain file (not a link, folder, pipe or device) that this user owns:
    // a file this program could have made.
    virtual bool isOwnFile(const std::filesystem::path& path) = 0;
    // Takes the exclusive lock that the file `path` stands for, making the file if need be;
    // `busy` when another process holds it. The system releases a lock when its holder ends,
    // however it ends. Refuses a name that is not a plain file of this user's.
    virtual std::error_code lock(const std::filesystem::path& path, std::intptr_t& handle,
                                 bool& busy) = 0;
    // Releases the lock and removes its file.
    virtual void unlock(const std::filesystem::path& path, std::intptr_t handle) = 0;
};

// Puts `system` in force until it goes out of scope, then the one before it again.
class ScopedSystem
{
public:
    explicit ScopedSystem(System& system);
    ~ScopedSystem();
    ScopedSystem(const ScopedSystem&) = delete;
    ScopedSystem& operator=(const ScopedSystem&) = delete;

private:
    System* previous_;
};

} // namespace safewrite
