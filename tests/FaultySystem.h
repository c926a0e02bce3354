#pragma once
// The file system for tests of everything that writes through the safe-write. It passes every
// call on to the system that was in force when it was made, counting the calls as steps (from
// 1), and fails, shortens or ends the process at the steps a test chooses. It is in force for
// as long as it exists.
//
//     FaultySystem faults;
//     faults.failStep(3, ENOSPC); // the third call fails with "No space left on device"

#include "SafeWriteSystem.h"

#include <map>
#include <string>
#include <vector>

class FaultySystem final : public safewrite::System
{
public:
    FaultySystem();

    // Step `step` fails with `error` (an errno value for the int), touching nothing; a close
    // releases its handle all the same, as both systems do.
    void failStep(int step, std::error_code error);
    void failStep(int step, int error);
    // Step `step`, a write, writes only the first `bytes` bytes it is given (0: none).
    void shortWrite(int step, std::size_t bytes);
    // The process ends at once (no clean-up of any kind) when step `step` begins.
    void killAt(int step);
    // Every new name ends in safewrite::kRandomLength zeros instead of random characters.
    void fixNames() { fixedNames_ = true; }

    // The steps so far: "create", "write", "sync", "close", "rename", "link", "remove",
    // "sync folder".
    const std::vector<std::string>& steps() const { return steps_; }

    std::error_code createNew(const std::filesystem::path& path, std::intptr_t& handle) override;
    std::error_code writeSome(std::intptr_t handle, std::span<const std::uint8_t> bytes,
                              std::size_t& written) override;
    std::error_code sync(std::intptr_t handle) override;
    std::error_code close(std::intptr_t handle) override;
    std::error_code rename(const std::filesystem::path& from,
                           const std::filesystem::path& to) override;
    std::error_code hardLink(const std::filesystem::path& existing,
                             const std::filesystem::path& link) override;
    bool cannotLink(std::error_code error) const override { return real_.cannotLink(error); }
    bool alreadyExists(std::error_code error) const override { return real_.alreadyExists(error); }
    std::error_code remove(const std::filesystem::path& path) override;
    std::error_code syncFolder(const std::filesystem::path& folder) override;
    void randomBytes(std::span<std::uint8_t> bytes) override;
    // Not steps: what a save looks at and holds around its steps.
    bool isOwnFile(const std::filesystem::path& path) override { return real_.isOwnFile(path); }
    std::error_code lock(const std::filesystem::path& path, std::intptr_t& handle,
                         bool& busy) override
    {
        return real_.lock(path, handle, busy);
    }
    void unlock(const std::filesystem::path& path, std::intptr_t handle) override
    {
        real_.unlock(path, handle);
    }

private:
    struct Plan
    {
        std::error_code error;
        bool shortWrite = false;
        std::size_t bytes = 0;
    };
    Plan next(const char* step);

    safewrite::System& real_;
    safewrite::ScopedSystem inForce_;
    std::vector<std::string> steps_;
    std::map<int, Plan> plans_;
    int kill_ = 0; // 0: no step kills
    bool fixedNames_ = false;
};
