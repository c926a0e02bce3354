#include "AtomicFileWriter.h"

#include "Error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace jet {
namespace {

std::string systemReason(int error)
{
    return error != 0 ? std::string(std::strerror(error)) : std::string("unknown error");
}

} // namespace

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target, StepHook beforeStep,
                                   bool syncToDisk)
    : target_(std::move(target)), beforeStep_(std::move(beforeStep)), syncToDisk_(syncToDisk)
{
}

std::filesystem::path AtomicFileWriter::temporaryPath(const std::filesystem::path& target)
{
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    return temporary;
}

void AtomicFileWriter::write(std::span<const std::uint8_t> bytes) const
{
    const std::filesystem::path temporary = temporaryPath(target_);
    std::FILE* file = nullptr;
    bool created = false;

    // Undoes what was done so far and reports the step that failed.
    const auto fail = [&](std::string_view step, const std::string& reason) {
        if (file != nullptr)
            std::fclose(file);
        if (created) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
        }
        std::string message = "Could not save the database: step '" + std::string(step) +
                              "' failed for \"" + temporary.string() + "\"";
        if (step == "rename")
            message += " -> \"" + target_.string() + "\"";
        throw Error(message + ": " + reason);
    };
    // Runs the test hook before a step; whatever it throws counts as that step's failure.
    const auto before = [&](std::string_view step) {
        if (!beforeStep_)
            return;
        try {
            beforeStep_(step);
        } catch (const std::exception& injected) {
            fail(step, injected.what());
        } catch (...) {
            fail(step, "failure injected by the caller");
        }
    };

    before("create");
    errno = 0;
    file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        fail("create", systemReason(errno));
    created = true;

    before("write");
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size())
        fail("write", systemReason(errno));

    before("flush");
    errno = 0;
    if (std::fflush(file) != 0)
        fail("flush", systemReason(errno));
#ifndef _WIN32
    if (syncToDisk_ && ::fsync(::fileno(file)) != 0)
        fail("flush", systemReason(errno));
#endif

    before("close");
    errno = 0;
    std::FILE* closing = file;
    file = nullptr; // closed (or unusable) whatever fclose says
    if (std::fclose(closing) != 0)
        fail("close", systemReason(errno));

    before("rename");
    std::error_code error;
    std::filesystem::rename(temporary, target_, error);
    if (error)
        fail("rename", error.message());
}

} // namespace jet
