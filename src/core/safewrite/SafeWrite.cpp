#include "SafeWrite.h"

#include "SafeWriteFaults.h"
#include "SafeWriteSystem.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <utility>
#include <vector>

namespace safewrite {
namespace {

Faults* active = nullptr;

// Runs one file-system step, unless the test seam makes it fail.
template <typename Call> std::error_code step(const char* name, Call&& call)
{
    const Faults::Plan plan = Faults::next(name);
    if (plan.error != 0)
        return std::error_code(plan.error, std::generic_category());
    return call();
}

std::string randomName()
{
    if (const std::string* fixed = Faults::fixedName())
        return *fixed;
    static constexpr std::string_view alphabet = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::array<std::uint8_t, kRandomLength> bytes{};
    system::randomBytes(bytes);
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

Faults::Faults()
{
    if (active != nullptr)
        throw std::logic_error("safewrite::Faults: one is installed already");
    active = this;
}

Faults::~Faults()
{
    active = nullptr;
}

void Faults::failStep(int step, int error)
{
    plans_[step].error = error;
}

void Faults::shortWrite(int step, std::size_t bytes)
{
    plans_[step].shortWrite = true;
    plans_[step].bytes = bytes;
}

void Faults::killAt(int step)
{
    kill_ = step;
}

void Faults::fixNames(std::string random)
{
    fixedName_ = std::move(random);
    hasFixedName_ = true;
}

Faults::Plan Faults::next(const char* step)
{
    if (active == nullptr)
        return {};
    active->steps_.emplace_back(step);
    const int number = int(active->steps_.size());
    if (active->kill_ > 0 && number == active->kill_)
        std::_Exit(0);
    const auto plan = active->plans_.find(number);
    return plan == active->plans_.end() ? Plan{} : plan->second;
}

const std::string* Faults::fixedName()
{
    return active != nullptr && active->hasFixedName_ ? &active->fixedName_ : nullptr;
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
        (void)step("remove", [&] { return system::remove(path_); });
}

void NewFile::closeQuietly()
{
    if (open_)
        (void)system::close(handle_);
    open_ = false;
}

NewFile NewFile::create(const std::filesystem::path& folder, std::string_view prefix,
                        const std::filesystem::path& shownAs)
{
    std::error_code error;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path path = folder / (std::string(prefix) + randomName());
        std::intptr_t handle = 0;
        error = step("create", [&] { return system::createNew(path, handle); });
        if (!error)
            return NewFile(path, shownAs, handle);
        if (!system::alreadyExists(error))
            break;
    }
    throw Error("Could not create", shownAs, error);
}

void NewFile::write(std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        std::size_t written = 0;
        std::error_code error;
        const Faults::Plan plan = Faults::next("write");
        if (plan.error != 0) {
            error = std::error_code(plan.error, std::generic_category());
        } else {
            const auto part =
                plan.shortWrite ? bytes.first(std::min(plan.bytes, bytes.size())) : bytes;
            if (!part.empty())
                error = system::writeSome(handle_, part, written);
        }
        if (!error && written == 0)
            error = std::make_error_code(std::errc::no_space_on_device);
        if (error) {
            closeQuietly();
            throw Error("Could not write", shownAs_, error);
        }
        bytes = bytes.subspan(written);
    }
}

void NewFile::finish(bool sync)
{
    if (sync) {
        if (const std::error_code error = step("sync", [&] { return system::sync(handle_); })) {
            closeQuietly();
            throw Error("Could not write", shownAs_, error);
        }
    }
    open_ = false;
    if (const std::error_code error = step("close", [&] { return system::close(handle_); }))
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
    if (const std::error_code error = step("rename", [&] { return system::rename(from, to); }))
        throw Error("Could not replace", to, error);
}

void remove(const std::filesystem::path& path)
{
    if (const std::error_code error = step("remove", [&] { return system::remove(path); }))
        throw Error("Could not remove", path, error);
}

void syncFolder(const std::filesystem::path& folder)
{
    if (const std::error_code error =
            step("sync folder", [&] { return system::syncFolder(folder); }))
        throw Error("Could not write the folder", folder, error);
}

std::filesystem::path keepAside(const std::filesystem::path& existing,
                                const std::filesystem::path& folder, std::string_view prefix,
                                bool& copied)
{
    std::error_code error;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        const std::filesystem::path aside = folder / (std::string(prefix) + randomName());
        error = step("link", [&] { return system::hardLink(existing, aside); });
        if (!error) {
            copied = false;
            return aside;
        }
        if (!system::alreadyExists(error))
            break;
    }
    if (!system::cannotLink(error))
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

} // namespace safewrite
