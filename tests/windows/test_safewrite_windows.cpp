// The safe-write on Windows, without Qt: the test command builds it with mingw-w64 and runs it
// under Wine (run-under-wine.sh beside this file); it runs on Windows itself too. One line per
// check, then "N passed, N failed"; exit status 1 when a check failed.
//
// Usage: test_safewrite_windows.exe <empty folder>
// Where the runner planted Unix links in "<folder>\exclusive creation" (".x000000000000" to
// "victim", ".y000000000000" to nothing), creating through them is refused too.

#include "FaultySystem.h"
#include "SafeWrite.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what);
}

// All of a file, read sharing everything as a program beside ours would; with `error`, the
// system's reason when it cannot be opened.
std::string read(const fs::path& path, DWORD* error = nullptr)
{
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, all, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (error)
        *error = file == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    if (file == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string text(1 << 17, '\0');
    DWORD count = 0;
    ::ReadFile(file, text.data(), DWORD(text.size()), &count, nullptr);
    ::CloseHandle(file);
    text.resize(count);
    return text;
}

void put(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

void write(const fs::path& path, const std::string& text)
{
    safewrite::writeFile(path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

// The names in a folder other than `kept`, as "a b ".
std::string others(const fs::path& folder, const fs::path& kept = "target.mdb")
{
    std::string names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().filename() != kept)
            names += safewrite::displayPath(entry.path().filename()) + " ";
    return names;
}

// A reader finds the old file or the new one, complete, at every moment (or, while the rename
// runs, a sharing violation to try again after); a replace waits out the reader's short holds.
// The name is outside ASCII, so only the wide-character calls find it.
void replaces(const fs::path& folder)
{
    const fs::path target = folder / u8"Zoë Łódź 日本.mdb";
    const std::string versions[] = {std::string(65536, 'a'), std::string(65536, 'b')};
    write(target, versions[0]);
    std::atomic<bool> done = false;
    int reads = 0, torn = 0;
    std::jthread reader([&] {
        for (DWORD error = 0; !done; ++reads, std::this_thread::sleep_for(10ms)) {
            const std::string seen = read(target, &error);
            torn += error ? error != ERROR_SHARING_VIOLATION
                          : seen != versions[0] && seen != versions[1];
        }
    });
    std::string failure;
    for (int k = 1; k <= 300 && failure.empty(); ++k) {
        try {
            write(target, versions[k % 2]);
            if (read(target) != versions[k % 2])
                failure = "replace " + std::to_string(k) + " is not there";
        } catch (const safewrite::Error& error) {
            failure = "replace " + std::to_string(k) + ": " + error.what();
        }
    }
    done = true;
    reader.join();
    check(failure.empty(), failure);
    check(torn == 0, std::to_string(torn) + " of " + std::to_string(reads) + " reads torn");
    check(others(folder, target.filename()).empty(), "left: " + others(folder, target.filename()));
}

// No new file is made where the name is taken: by a file, or (where the runner planted them)
// by a link to a file or to nothing.
void exclusiveCreation(const fs::path& folder)
{
    put(folder / ".z000000000000", "taken");
    const bool planted = fs::exists(folder / "victim");
    FaultySystem faults;
    faults.fixNames();
    for (const char letter : std::string(planted ? "zxy" : "z")) {
        const std::string prefix = {'.', letter};
        try {
            (void)safewrite::NewFile::create(folder, prefix, "shown.mdb");
            throw std::runtime_error("created " + prefix + "000000000000");
        } catch (const safewrite::Error& error) {
            check(safewrite::System::platform().alreadyExists(error.code()), error.what());
        }
    }
    check(!planted || read(folder / "victim") == "victim", "the link's target changed");
    check(!fs::exists(folder / "nowhere"), "a file was created through the dangling link");
}

void keepAndMoveAside(const fs::path& folder)
{
    const fs::path target = folder / "target.mdb";
    put(target, "old");
    bool copied = true;
    const fs::path linked = safewrite::keepAside(target, folder, ".k", copied);
    check(!copied, "a copy was kept where a hard link can be made");
    write(target, "new");
    check(read(linked) == "old" && read(target) == "new", "the kept file holds " + read(linked));
    {
        FaultySystem noLinks;
        noLinks.failStep(1, std::error_code(ERROR_NOT_SUPPORTED, std::system_category()));
        const fs::path copy = safewrite::keepAside(target, folder, ".c", copied);
        check(copied && read(copy) == "new", "without hard links: " + read(copy));
    }
    const fs::path moved = safewrite::moveAside(target, folder, ".m");
    check(!fs::exists(target) && read(moved) == "new", "moved aside: " + read(moved));
    safewrite::remove(target); // gone already: no error
}

// A failed step leaves the old file (or, once renamed, the new one) and nothing beside it. A
// file still open cannot be removed on Windows, so this also checks that handles close first.
void faultAtEachStep(const fs::path& folder)
{
    const fs::path target = folder / "target.mdb";
    FaultySystem counter;
    write(target, "new");
    const std::vector<std::string> steps = counter.steps();
    const auto renamed = std::find(steps.begin(), steps.end(), "rename") - steps.begin() + 1;
    for (int n = 1; n <= int(steps.size()); ++n) {
        const std::string at = "step " + std::to_string(n) + " (" + steps[n - 1] + "): ";
        put(target, "old");
        FaultySystem faults;
        faults.failStep(n, std::error_code(ERROR_DISK_FULL, std::system_category()));
        try {
            write(target, "new");
            throw std::runtime_error(at + "no error");
        } catch (const safewrite::Error& error) {
            check(error.code().value() == ERROR_DISK_FULL, at + error.what());
        }
        check(read(target) == (n > renamed ? "new" : "old"), at + read(target));
        check(others(folder).empty(), at + "left: " + others(folder));
    }
}

// The sync reaches the system: a handle that cannot write has nothing to flush and is refused.
void syncReachesTheSystem(const fs::path& folder)
{
    put(folder / "file", "x");
    const HANDLE file = ::CreateFileW((folder / "file").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const std::error_code error =
        safewrite::System::platform().sync(reinterpret_cast<std::intptr_t>(file));
    ::CloseHandle(file);
    check(error.value() == ERROR_ACCESS_DENIED, "flushing a read-only handle: " + error.message());
}

// A file another program holds open (as a database tool does, sharing no deletion) is replaced
// once it lets go within about a second; held longer, the old file stays and the error says
// why. Other refusals are not waited out.
void heldOpen(const fs::path& folder)
{
    const fs::path target = folder / "target.mdb";
    for (const auto hold : {200ms, 1800ms}) {
        const std::string at = "held for " + std::to_string(hold / 1ms) + " ms: ";
        const HANDLE file = ::CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        std::jthread holder([=] {
            std::this_thread::sleep_for(hold);
            ::CloseHandle(file);
        });
        const auto start = std::chrono::steady_clock::now();
        std::error_code code;
        try {
            write(target, std::to_string(hold / 1ms));
        } catch (const safewrite::Error& error) {
            code = error.code();
        }
        const auto waited = std::chrono::steady_clock::now() - start;
        holder.join();
        const bool refused =
            code.value() == ERROR_ACCESS_DENIED || code.value() == ERROR_SHARING_VIOLATION;
        check(hold < 1s ? !code : refused && waited >= 900ms,
              at + code.message() + " after " + std::to_string(waited / 1ms) + " ms");
        check(read(target) == "200", at + read(target));
        check(others(folder).empty(), at + "left: " + others(folder));
    }
    const auto start = std::chrono::steady_clock::now();
    try {
        safewrite::rename(folder / "missing", target);
    } catch (const safewrite::Error&) {
    }
    check(std::chrono::steady_clock::now() - start < 500ms, "a missing file was waited for");
}

// A lock keeps out every other taker, in this process too, until it goes, and its file with it.
void locks(const fs::path& folder)
{
    const fs::path path = folder / "target.lock";
    {
        const std::optional<safewrite::Lock> held = safewrite::Lock::take(path, 0ms);
        check(held && !safewrite::Lock::take(path, 100ms), "taken twice at once");
    }
    check(others(folder).empty(), "left: " + others(folder));
    check(safewrite::Lock::take(path, 0ms).has_value(), "not taken again once released");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: test_safewrite_windows <empty folder>\n");
        return 2;
    }
    struct Case
    {
        const char* name; // also its folder's
        void (*run)(const fs::path&);
    };
    const Case cases[] = {{"a reader during 300 replaces of a name outside ASCII", replaces},
                          {"exclusive creation", exclusiveCreation},
                          {"keep aside and move aside", keepAndMoveAside},
                          {"a fault at each step", faultAtEachStep},
                          {"sync reaches the system", syncReachesTheSystem},
                          {"a file held open", heldOpen},
                          {"locks", locks}};
    int failed = 0;
    for (const Case& test : cases) {
        const auto start = std::chrono::steady_clock::now();
        std::string failure;
        try {
            const fs::path folder = fs::path(argv[1]) / test.name;
            fs::create_directories(folder);
            test.run(folder);
        } catch (const std::exception& error) {
            failure = error.what();
        }
        failed += !failure.empty();
        const long long time = (std::chrono::steady_clock::now() - start) / 1ms;
        std::printf(failure.empty() ? "ok    %s (%lld ms)\n" : "FAIL  %s (%lld ms): %s\n",
                    test.name, time, failure.c_str());
    }
    std::printf("%d passed, %d failed\n", int(std::size(cases)) - failed, failed);
    return failed == 0 ? 0 : 1;
}
