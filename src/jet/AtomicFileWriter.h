#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>

namespace jet {

// Writes a file so that it appears complete or not at all: the bytes go to "<target>.tmp"
// beside it, which is flushed (and synced), closed and then renamed over the target. On any
// failure the temporary file is removed and Error names the step, the path and the system's
// reason; the target is then untouched (a file that was there stays as it was).
class AtomicFileWriter
{
public:
    using StepHook = std::function<void(std::string_view step)>;

    AtomicFileWriter(std::filesystem::path target, StepHook beforeStep, bool syncToDisk);

    static std::filesystem::path temporaryPath(const std::filesystem::path& target);
    void write(std::span<const std::uint8_t> bytes) const;

private:
    std::filesystem::path target_;
    StepHook beforeStep_;
    bool syncToDisk_;
};

} // namespace jet
