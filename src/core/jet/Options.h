#pragma once

#include <chrono>
#include <functional>

namespace jet {

struct Options
{
    // Date stored in the catalog rows of the user tables (creation/update), taken when the
    // table is appended and stored as local wall-clock time, whole seconds. Default: now.
    std::function<std::chrono::system_clock::time_point()> clock;
};

} // namespace jet
