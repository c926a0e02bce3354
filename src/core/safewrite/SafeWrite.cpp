#include "SafeWrite.h"

#include "SafeWriteSystem.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>
#include <vector>

namespace safewrite {
namespace {

std::string randomName()
{
    static constexpr std::string_view alphabet = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::array<std::uint8_t, kRandomLength> bytes{};
    System::current().randomBytes(bytes);
    std::string name;
    for (std::uint8_t byte : bytes)
        name += alphabet[byte % alphabet.size()]; // 252 of 256 byte values: near-uniform
    return name;
}

// How often a new name is tried before the folder counts as full of taken names.
constexpr int kAttempts = 16;

} // namespace

Error::Error(std::string action, std::filesystem::path path, std::error_code code)
    : std::runtime_error(action + " \"" + displayPath(path) + "\": " + code.message()),
      action_(std::move(action)), path_(std::move(path)), code_(code)
{
}

std::string Error::reason() const
{
    return code_.message();
}

std::string displayPath(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

NewFile::NewFile(std::filesystem::path path, std::filesystem::path shownAs, std::intptr_t handle)
    : path_(std::move(path)), shownAs_(std::move(shownAs)), handle_(handle)
{
}

NewFile::NewFile(NewFile&& other) noexcept
    : path_(std::move(other.path_)), shownAs_(std::move(other.shownAs_)), handle_(other.handle_),
      open_(std::exchange(other.open_, false)), owned_(std::exchange(other.owned_, false))
{
}

NewFile::~NewFile()
{
    closeQuietly();
    if (owned_)
        (void)System::current().remove(path_);
}

void NewFile::closeQuietly()
{
    if (open_)
        (void)System::current().close(handle_);
    open_ = false;
}

NewFile NewFile::create(const std::filesystem::path& folder, std::string_view prefix,
                        const std::filesystem::path& shownAs)
{
    std::error_code error;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path path = folder / (std::string(prefix) + randomName());
        std::intptr_t handle = 0;
        error = System::current().createNew(path, handle);
        if (!error)
            return NewFile(path, shownAs, handle);
        if (!System::current().alreadyExists(error))
            break;
    }
    throw Error("Could not create", shownAs, error);
}

void NewFile::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        std::size_t written = 0;
        const std::error_code error = System::current().writeSome(handle_, bytes, written);
        if (error || written == 0) {
            closeQuietly();
            throw Error("Could not write", shownAs_,
                        error ? error : std::make_error_code(std::errc::no_space_on_device));
        }
        bytes = bytes.subspan(written);
    }
}

void NewFile::finish(bool sync)
{
    if (sync) {
        if (const std::error_code error = System::current().sync(handle_)) {
            closeQuietly();
            throw Error("Could not write", shownAs_, error);
        }
    }
    open_ = false;
    if (const std::error_code error = System::current().close(handle_))
        throw Error("Could not write", shownAs_, error);
}

void NewFile::moveTo(const std::filesystem::path& target)
{
    safewrite::rename(path_, target);
    owned_ = false;
}

std::filesystem::path NewFile::release()
{
    closeQuietly();
    owned_ = false;
    return path_;
}

void writeFile(const std::filesystem::path& target, std::span<const std::uint8_t> bytes, bool sync)
{
    const std::filesystem::path folder =
        target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
    NewFile file = NewFile::create(folder, ".", target);
    file.write(bytes);
    file.finish(sync);
    file.moveTo(target);
    if (sync)
        syncFolder(folder);
}

void rename(const std::filesystem::path& from, const std::filesystem::path& to)
{
    if (const std::error_code error = System::current().rename(from, to)) {
        // Said of the file the person knows of: one that is there is replaced, one that is not
        // yet there is created.
        std::error_code ignored;
        const bool there = std::filesystem::exists(std::filesystem::symlink_status(to, ignored));
        throw Error(there ? "Could not replace" : "Could not create", to, error);
    }
}

void remove(const std::filesystem::path& path)
{
    if (const std::error_code error = System::current().remove(path))
        throw Error("Could not remove", path, error);
}

void syncFolder(const std::filesystem::path& folder)
{
    if (const std::error_code error = System::current().syncFolder(folder))
        throw Error("Could not write the folder", folder, error);
}

std::filesystem::path keepAside(const std::filesystem::path& existing,
                                const std::filesystem::path& folder, std::string_view prefix,
                                bool& copied)
{
    std::error_code error;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path aside = folder / (std::string(prefix) + randomName());
        error = System::current().hardLink(existing, aside);
        if (!error) {
            copied = false;
            return aside;
        }
        if (!System::current().alreadyExists(error))
            break;
    }
    if (!System::current().cannotLink(error))
        throw Error("Could not keep a copy of", existing, error);

    errno = 0;
    std::ifstream in(existing, std::ios::binary);
    if (!in) {
        const int reason = errno != 0 ? errno : EIO;
        throw Error("Could not read", existing, std::error_code(reason, std::generic_category()));
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        throw Error("Could not read", existing, std::make_error_code(std::errc::io_error));
    NewFile copy = NewFile::create(folder, prefix, existing);
    copy.write(bytes);
    copy.finish();
    copied = true;
    return copy.release();
}

std::filesystem::path moveAside(const std::filesystem::path& existing,
                                const std::filesystem::path& folder, std::string_view prefix)
{
    std::filesystem::path aside;
    std::error_code ignored;
    int attempt = 0;
    do {
        aside = folder / (std::string(prefix) + randomName());
    } while (std::filesystem::exists(std::filesystem::symlink_status(aside, ignored)) &&
             ++attempt < kAttempts);
    safewrite::rename(existing, aside);
    return aside;
}

bool isOwnFile(const std::filesystem::path& path)
{
    return System::current().isOwnFile(path);
}

std::optional<Lock> Lock::take(const std::filesystem::path& path,
                               std::chrono::milliseconds patience)
{
    const auto until = std::chrono::steady_clock::now() + patience;
    while (true) {
        std::intptr_t handle = 0;
        bool busy = false;
        if (const std::error_code error = System::current().lock(path, handle, busy))
            throw Error("Could not lock", path, error);
        if (!busy)
            return Lock(path, handle);
        if (std::chrono::steady_clock::now() >= until)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Lock::Lock(std::filesystem::path path, std::intptr_t handle)
    : path_(std::move(path)), handle_(handle)
{
}

Lock::Lock(Lock&& other) noexcept
    : path_(std::move(other.path_)), handle_(other.handle_),
      held_(std::exchange(other.held_, false))
{
}

Lock& Lock::operator=(Lock&& other) noexcept
{
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        handle_ = other.handle_;
        held_ = std::exchange(other.held_, false);
    }
    return *this;
}

Lock::~Lock()
{
    release();
}

void Lock::release()
{
    if (held_)
        System::current().unlock(path_, handle_);
    held_ = false;
}

} // namespace safewrite
