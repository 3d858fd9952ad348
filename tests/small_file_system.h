// What the tests of files written whole need of the file system (POSIX): the entries of a
// folder, and a file system too small for what is written onto it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// The names in the folder, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// The answer of RunOnSmallFileSystem when no file system could be mounted: the test is
// skipped then, as it is when it does not run as root.
inline constexpr int kCannotMount = 77;

// Runs `body` in a child that has a tmpfs of `size` ("64k") on `folder`, in a mount
// namespace of the child's own, so that it goes with the child whatever becomes of the
// test; the body's answer, or kCannotMount. Mounting takes root.
int RunOnSmallFileSystem(const std::filesystem::path& folder, const std::string& size,
                         const std::function<int()>& body);

}  // namespace testing_support
