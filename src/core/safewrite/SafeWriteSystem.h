#pragma once
// The file-system calls of one system (SafeWritePosix.cpp or SafeWriteWin32.cpp), each giving
// the system's error code. A handle is a file descriptor or a Windows HANDLE.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <system_error>

namespace safewrite::system {

// Creates a new file for writing; fails when the name exists in any form (file, folder, link,
// dangling link) and never follows a link.
std::error_code createNew(const std::filesystem::path& path, std::intptr_t& handle);
std::error_code writeSome(std::intptr_t handle, std::span<const std::uint8_t> bytes,
                          std::size_t& written);
std::error_code sync(std::intptr_t handle);
std::error_code close(std::intptr_t handle);
std::error_code rename(const std::filesystem::path& from, const std::filesystem::path& to);
// A second name of `existing` (of the link itself when it is one).
std::error_code hardLink(const std::filesystem::path& existing, const std::filesystem::path& link);
// Whether hardLink failed because the file system cannot link (so a copy has to do).
bool cannotLink(std::error_code error);
bool alreadyExists(std::error_code error);
std::error_code remove(const std::filesystem::path& path); // gone already: no error
std::error_code syncFolder(const std::filesystem::path& folder);
void randomBytes(std::span<std::uint8_t> bytes);

} // namespace safewrite::system
