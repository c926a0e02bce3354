#include "FaultySystem.h"

#include <algorithm>
#include <cstdlib>

FaultySystem::FaultySystem() : real_(safewrite::System::current()), inForce_(*this) {}

void FaultySystem::failStep(int step, std::error_code error)
{
    plans_[step].error = error;
}

void FaultySystem::failStep(int step, int error)
{
    failStep(step, std::error_code(error, std::generic_category()));
}

void FaultySystem::shortWrite(int step, std::size_t bytes)
{
    plans_[step].shortWrite = true;
    plans_[step].bytes = bytes;
}

void FaultySystem::killAt(int step)
{
    kill_ = step;
}

FaultySystem::Plan FaultySystem::next(const char* step)
{
    steps_.emplace_back(step);
    const int number = int(steps_.size());
    if (number == kill_)
        std::_Exit(0);
    const auto plan = plans_.find(number);
    return plan == plans_.end() ? Plan{} : plan->second;
}

std::error_code FaultySystem::createNew(const std::filesystem::path& path, std::intptr_t& handle)
{
    const Plan plan = next("create");
    return plan.error ? plan.error : real_.createNew(path, handle);
}

std::error_code FaultySystem::writeSome(std::intptr_t handle, std::span<const std::uint8_t> bytes,
                                        std::size_t& written)
{
    const Plan plan = next("write");
    if (plan.error)
        return plan.error;
    if (plan.shortWrite)
        bytes = bytes.first(std::min(plan.bytes, bytes.size()));
    if (bytes.empty()) {
        written = 0;
        return {};
    }
    return real_.writeSome(handle, bytes, written);
}

std::error_code FaultySystem::sync(std::intptr_t handle)
{
    const Plan plan = next("sync");
    return plan.error ? plan.error : real_.sync(handle);
}

std::error_code FaultySystem::close(std::intptr_t handle)
{
    const Plan plan = next("close");
    const std::error_code error = real_.close(handle);
    return plan.error ? plan.error : error;
}

std::error_code FaultySystem::rename(const std::filesystem::path& from,
                                     const std::filesystem::path& to)
{
    const Plan plan = next("rename");
    return plan.error ? plan.error : real_.rename(from, to);
}

std::error_code FaultySystem::hardLink(const std::filesystem::path& existing,
                                       const std::filesystem::path& link)
{
    const Plan plan = next("link");
    return plan.error ? plan.error : real_.hardLink(existing, link);
}

std::error_code FaultySystem::remove(const std::filesystem::path& path)
{
    const Plan plan = next("remove");
    return plan.error ? plan.error : real_.remove(path);
}

std::error_code FaultySystem::syncFolder(const std::filesystem::path& folder)
{
    const Plan plan = next("sync folder");
    return plan.error ? plan.error : real_.syncFolder(folder);
}

void FaultySystem::randomBytes(std::span<std::uint8_t> bytes)
{
    if (fixedNames_)
        std::fill(bytes.begin(), bytes.end(), std::uint8_t(0));
    else
        real_.randomBytes(bytes);
}
