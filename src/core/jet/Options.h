#pragma once

#include <chrono>
#include <functional>

namespace jet {

struct Options
{
    // Date stored in the catalog rows of the user tables (creation/update), taken when the
    // table is appended and stored as local wall-clock time, whole seconds. Default: now.
    std::function<std::chrono::system_clock::time_point()> clock;
    // Whether close() forces the file to the disk (fsync) before renaming it over the target.
    // Benchmarks turn it off to time the writer rather than the disk.
    bool syncToDisk = true;
};

} // namespace jet
