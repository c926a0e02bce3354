#pragma once
// Writing files so that a reader finds either the old file or the complete new one, never a
// part: the bytes go to a new file beside the target, which is synced, closed and renamed over
// the target, and then the folder is synced.
//
// Every file this library creates is created new and exclusive (never through a link that
// someone planted, never over an existing file) under a name of fixed length: a caller's prefix
// and kRandomLength random letters and digits. A new file that is not finished and moved into
// place is removed again.
//
//     safewrite::writeFile("/data/out.bin", bytes);

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace safewrite {

// A failed file-system step: what was being done, to which file, and the system's reason.
// what() reads: Could not write "/data/out.bin": No space left on device
class Error : public std::runtime_error
{
public:
    Error(std::string action, std::filesystem::path path, std::error_code code);

    const std::string& action() const { return action_; }
    const std::filesystem::path& path() const { return path_; }
    std::error_code code() const { return code_; }
    std::string reason() const; // the system's words for code()

private:
    std::string action_;
    std::filesystem::path path_;
    std::error_code code_;
};

// A path as UTF-8 text, for messages.
std::string displayPath(const std::filesystem::path& path);

inline constexpr std::size_t kRandomLength = 12;

// A file created new and exclusive in a folder; removed on destruction unless moved into place
// or released.
class NewFile
{
public:
    // Creates "<folder>/<prefix><random>". Errors name `shownAs` (the file the user knows of,
    // usually the target) rather than the random name.
    static NewFile create(const std::filesystem::path& folder, std::string_view prefix,
                          const std::filesystem::path& shownAs);

    NewFile(NewFile&& other) noexcept;
    NewFile& operator=(NewFile&&) = delete;
    ~NewFile();

    const std::filesystem::path& path() const { return path_; }

    // Writes all bytes, however many calls the system needs; a call that makes no progress
    // counts as a full disk.
    void write(std::span<const std::uint8_t> bytes);
    // Syncs the bytes to the disk (unless `sync` is false) and closes the file.
    void finish(bool sync = true);
    // Renames the finished file over `target`; from then on it is no longer removed here.
    void moveTo(const std::filesystem::path& target);
    // Keeps the file (finished or not) where it is and returns its name.
    std::filesystem::path release();

private:
    NewFile(std::filesystem::path path, std::filesystem::path shownAs, std::intptr_t handle);
    void closeQuietly();

    std::filesystem::path path_;
    std::filesystem::path shownAs_;
    std::intptr_t handle_;
    bool open_ = true;
    bool owned_ = true;
};

// Writes `bytes` at `target` through a new file beside it, then syncs the folder.
void writeFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
               bool sync = true);

// Renames `from` over `to` (a link at `to` is replaced, not followed).
void rename(const std::filesystem::path& from, const std::filesystem::path& to);

// Removes a file or link (never what a link points to); a name that is already gone is fine.
void remove(const std::filesystem::path& path);

// Syncs the folder itself, so that renames and new names in it survive a power failure.
void syncFolder(const std::filesystem::path& folder);

// Gives `existing` a second name "<folder>/<prefix><random>": a hard link (of a link itself
// when `existing` is one), or, where the file system has no hard links, a synced copy of what
// it holds. Returns the new name; `copied` says which it was.
std::filesystem::path keepAside(const std::filesystem::path& existing,
                                const std::filesystem::path& folder, std::string_view prefix,
                                bool& copied);

// Renames `existing` to a new name "<folder>/<prefix><random>" and returns that name.
std::filesystem::path moveAside(const std::filesystem::path& existing,
                                const std::filesystem::path& folder, std::string_view prefix);

// Whether `path` is a plain file of this user's: something a save of this program could have
// made, unlike a link, a folder or a file of someone else's that happens to have such a name.
bool isOwnFile(const std::filesystem::path& path);

// An exclusive lock that the file `path` stands for, held until the object goes: the lock file
// is then removed. A process that ends, however it ends, releases its locks.
class Lock
{
public:
    // Takes the lock, waiting up to `patience` while another process holds it; nothing when it
    // is still held then. Throws Error when the lock file cannot be made or is not a plain file
    // of this user's.
    static std::optional<Lock> take(const std::filesystem::path& path,
                                    std::chrono::milliseconds patience);

    Lock(Lock&& other) noexcept;
    Lock& operator=(Lock&& other) noexcept;
    ~Lock();

private:
    Lock(std::filesystem::path path, std::intptr_t handle);
    void release();

    std::filesystem::path path_;
    std::intptr_t handle_;
    bool held_ = true;
};

} // namespace safewrite
