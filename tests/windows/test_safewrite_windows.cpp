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
#include <chrono>
#include <cstdio>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <stop_token>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

void check(bool ok, const std::string& what)
{
    if (!ok)
        throw std::runtime_error(what);
}

// All of a file, read sharing everything as a program beside ours would, or the system's error.
std::string read(const fs::path& path)
{
    const DWORD all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, all, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return "error " + std::to_string(::GetLastError());
    std::string text(1 << 17, '\0');
    DWORD count = 0;
    ::ReadFile(file, text.data(), DWORD(text.size()), &count, nullptr);
    ::CloseHandle(file);
    return text.substr(0, count);
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
    const std::string busy = "error " + std::to_string(ERROR_SHARING_VIOLATION);
    int reads = 0, torn = 0;
    std::jthread reader([&](const std::stop_token& stop) {
        for (; !stop.stop_requested(); ++reads, std::this_thread::sleep_for(10ms)) {
            const std::string seen = read(target);
            torn += seen != versions[0] && seen != versions[1] && seen != busy;
        }
    });
    for (int k = 1; k <= 300; ++k) {
        write(target, versions[k % 2]);
        check(read(target) == versions[k % 2], "replace " + std::to_string(k) + " is not there");
    }
    reader.request_stop();
    reader.join();
    check(torn == 0, std::to_string(torn) + " of " + std::to_string(reads) + " reads torn");
    check(others(folder, target.filename()).empty(), "left: " + others(folder, target.filename()));
}

// No new file is made where the name is taken: by a file, or (where the runner planted them)
// by a link to a file or to nothing.
void exclusiveCreation(const fs::path& folder)
{
    write(folder / ".z000000000000", "taken");
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
    write(target, "old");
    bool copied = true;
    const fs::path linked = safewrite::keepAside(target, folder, ".k", copied);
    write(target, "new");
    check(!copied && read(linked) == "old", "a copy was kept, or a link holding " + read(linked));
    FaultySystem noLinks; // from here on: its first step, the link, fails as without hard links
    noLinks.failStep(1, std::error_code(ERROR_NOT_SUPPORTED, std::system_category()));
    const fs::path copy = safewrite::keepAside(target, folder, ".c", copied);
    check(copied && read(copy) == "new", "without hard links: " + read(copy));
    const fs::path moved = safewrite::moveAside(target, folder, ".m");
    check(!fs::exists(target) && read(moved) == "new", "moved aside: " + read(moved));
    safewrite::remove(target); // gone already: no error
}

// A failed step leaves the old file (or, once renamed, the new one) and nothing beside it.
void faultAtEachStep(const fs::path& folder)
{
    const fs::path target = folder / "target.mdb";
    FaultySystem counter;
    write(target, "new");
    const std::vector<std::string> steps = counter.steps();
    const auto renamed = std::find(steps.begin(), steps.end(), "rename") - steps.begin() + 1;
    for (int n = 1; n <= int(steps.size()); ++n) {
        const std::string at = "step " + std::to_string(n) + " (" + steps[n - 1] + "): ";
        write(target, "old");
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
    const HANDLE file = ::CreateFileW((folder / "file").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
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
    }
    const auto start = std::chrono::steady_clock::now();
    const std::error_code missing =
        safewrite::System::platform().rename(folder / "missing", target);
    check(missing && std::chrono::steady_clock::now() - start < 500ms,
          "a missing file was waited for: " + missing.message());
}

// A lock keeps out every other taker, in this process too, until it goes, and its file with it.
void locks(const fs::path& folder)
{
    const fs::path path = folder / "target.lock";
    {
        const std::optional<safewrite::Lock> held = safewrite::Lock::take(path, 0ms);
        check(held && !safewrite::Lock::take(path, 100ms), "taken twice at once");
    }
    check(others(folder).empty(), "left: " + others(folder)); // its handle was closed
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: test_safewrite_windows <empty folder>\n");
        return 2;
    }
    const std::pair<const char*, void (*)(const fs::path&)> cases[] = {
        {"a reader during 300 replaces of a name outside ASCII", replaces},
        {"exclusive creation", exclusiveCreation},
        {"keep aside and move aside", keepAndMoveAside},
        {"a fault at each step", faultAtEachStep},
        {"sync reaches the system", syncReachesTheSystem},
        {"a file held open", heldOpen},
        {"locks", locks}};
    int failed = 0;
    for (const auto& [name, run] : cases) {
        try {
            const fs::path folder = fs::path(argv[1]) / name; // created by the runner or here
            fs::create_directories(folder);
            run(folder);
            std::printf("ok    %s\n", name);
        } catch (const std::exception& error) {
            std::printf("FAIL  %s: %s\n", name, error.what());
            ++failed;
        }
    }
    std::printf("%d passed, %d failed\n", int(std::size(cases)) - failed, failed);
    return failed == 0 ? 0 : 1;
}
