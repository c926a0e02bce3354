#pragma once
// Timing helpers for the benchmarks: repeated runs, medians with their range, and one table
// row per measurement with the ratio to a baseline measured in the same run.

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct Sample
{
    double median = 0, min = 0, max = 0;
};

// Runs `body` `runs` times (after one warm-up run unless `warmUp` is false) and returns the
// milliseconds it took.
inline Sample measure(int runs, const std::function<void()>& body, bool warmUp = true)
{
    if (warmUp)
        body();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        body();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

// Runs `body` `runs` times after one warm-up; `body` returns the milliseconds of the part it
// times itself (its set-up excluded).
inline Sample measureTimed(int runs, const std::function<double()>& body)
{
    body();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(body());
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.front(), times.back()};
}

inline double elapsedMs(const QElapsedTimer& timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

inline void printHeader()
{
    std::printf("%-44s %12s %19s %12s %8s %10s\n", "measurement", "median", "min-max", "baseline",
                "ratio", "target");
}

inline void printRow(const std::string& name, const Sample& value, const Sample& baseline,
                     const std::string& target, const char* unit = "ms")
{
    char range[64];
    std::snprintf(range, sizeof range, "%.3f-%.3f", value.min, value.max);
    if (baseline.median > 0) {
        std::printf("%-44s %9.3f %-2s %19s %9.3f %-2s %7.2fx %10s\n", name.c_str(), value.median,
                    unit, range, baseline.median, unit, value.median / baseline.median,
                    target.c_str());
    } else {
        std::printf("%-44s %9.3f %-2s %19s %12s %8s %10s\n", name.c_str(), value.median, unit,
                    range, "-", "-", target.c_str());
    }
    std::fflush(stdout);
}
