#pragma once
// Test seam of the file-system steps: while a Faults object exists, every step this library
// takes is counted (from 1) and recorded, and chosen steps fail. It installs itself when made
// and removes itself when it goes out of scope; one at a time.
//
//     safewrite::Faults faults;
//     faults.failStep(3, ENOSPC);   // the third step fails with "No space left on device"

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace safewrite {

class Faults
{
public:
    Faults();
    ~Faults();
    Faults(const Faults&) = delete;
    Faults& operator=(const Faults&) = delete;

    // Step `step` fails with the errno value `error`, touching nothing.
    void failStep(int step, int error);
    // Step `step`, a write, writes only the first `bytes` bytes it is given (0: none).
    void shortWrite(int step, std::size_t bytes);
    // The process ends at once (no clean-up of any kind) when step `step` begins.
    void killAt(int step);
    // New names use `random` instead of random characters (kRandomLength of them).
    void fixNames(std::string random);

    // The steps taken so far: "create", "write", "sync", "close", "rename", "link", "remove",
    // "sync folder".
    const std::vector<std::string>& steps() const { return steps_; }

    // Used by the library: counts a step and says how it is to go.
    struct Plan
    {
        int error = 0;
        bool shortWrite = false;
        std::size_t bytes = 0;
    };
    static Plan next(const char* step);
    static const std::string* fixedName();

private:
    std::vector<std::string> steps_;
    std::map<int, Plan> plans_;
    int kill_ = 0; // 0: no step kills
    std::string fixedName_;
    bool hasFixedName_ = false;
};

} // namespace safewrite
