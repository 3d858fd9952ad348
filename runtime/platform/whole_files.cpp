// Files written whole or not at all. The content goes to a temporary file beside the
// target, is synced, and only then takes the target's name: whatever happens meanwhile
// (a full disk, a size limit, the program killed, the power gone), the name holds either
// the whole new content or exactly what it held before. A failure the program sees
// removes the temporary file too; only a program killed meanwhile leaves it, hidden.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/platform/platform.h"
#include "runtime/platform/whole_file_steps.h"

namespace rt::platform {
namespace {

enum class Placement { kReplacing, kWithoutReplacing };

constexpr size_t kRandomDigits = 8;

// A write takes a fraction of a second; one this old was ended before it named its file.
constexpr std::chrono::minutes kLeftoverAge{5};

// ".NAME.xxxxxxxx" beside "NAME": in the same folder, hence on the same file system, as a
// rename needs; hidden by its leading dot where a dot hides. Nothing for an empty path,
// which the system then refuses as it refuses that path.
std::string TemporaryName(const std::string& path, uint32_t random) {
  if (path.empty()) return {};
  const size_t name_start = FileNameStart(path);
  char suffix[16];
  std::snprintf(suffix, sizeof suffix, ".%0*x", static_cast<int>(kRandomDigits), random);
  return path.substr(0, name_start) + "." + path.substr(name_start) + suffix;
}

// Whether `name` is what TemporaryName gives for a file named `of`.
bool IsTemporaryNameOf(std::string_view name, std::string_view of) {
  const size_t digits_start = 1 + of.size() + 1;
  if (name.size() != digits_start + kRandomDigits || name[0] != '.' ||
      name.substr(1, of.size()) != of || name[digits_start - 1] != '.')
    return false;
  return name.substr(digits_start).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// Not open when the system refused, or when no free name was found.
File CreateTemporaryBeside(const std::string& path, NewFileAccess access, std::string* temporary) {
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    *temporary = TemporaryName(path, random());
    bool taken = false;
    File file = CreateExclusively(*temporary, access, &taken);
    if (file.open() || !taken) return file;
  }
  return {};
}

// Keeps the system's description of the failure that just happened, before the clean-up
// can change it.
bool Failed(std::string* reason) {
  if (reason) *reason = LastFailureText();
  return false;
}

bool WritePieces(const File& file, std::span<const std::span<const uint8_t>> pieces) {
  for (std::span<const uint8_t> piece : pieces) {
    if (!WriteAll(file, piece.data(), piece.size())) return false;
  }
  return true;
}

// The content whole and on the disk, and the file closed; the close is checked, as some
// file systems report a failed write only there.
bool Complete(File& file, std::span<const std::span<const uint8_t>> pieces, std::string* reason) {
  if (!WritePieces(file, pieces) || !Sync(file)) {
    Failed(reason);
    Close(file);
    return false;
  }
  return Close(file) || Failed(reason);
}

bool Name(const std::string& temporary, const std::string& path, Placement placement,
          std::string* reason) {
  const bool named = placement == Placement::kReplacing ? NameReplacing(temporary, path)
                                                        : NameWithoutReplacing(temporary, path);
  return named || Failed(reason);
}

bool WriteThroughTemporary(const std::string& path,
                           std::span<const std::span<const uint8_t>> pieces, NewFileAccess access,
                           Placement placement, std::string* reason) {
  std::string temporary;
  File file = CreateTemporaryBeside(path, access, &temporary);
  if (!file.open()) return Failed(reason);
  if (!Complete(file, pieces, reason) || !Name(temporary, path, placement, reason)) {
    RemoveFile(temporary);
    return false;
  }
  SyncFolderOf(path);
  return true;
}

void RemoveAll(const std::vector<std::string>& temporaries, size_t from) {
  for (size_t i = from; i < temporaries.size(); ++i) RemoveFile(temporaries[i]);
}

// Each file's content in a temporary file beside it, closed but not yet synced.
bool WriteTemporaries(std::span<const WholeFile> files, std::vector<std::string>* temporaries,
                      std::string* reason, size_t* failed) {
  for (const WholeFile& whole : files) {
    *failed = temporaries->size();
    std::string temporary;
    File file = CreateTemporaryBeside(whole.path, NewFileAccess::kAsAnyNewFile, &temporary);
    if (!file.open()) return Failed(reason);
    temporaries->push_back(temporary);
    if (!WriteAll(file, whole.bytes.data(), whole.bytes.size())) {
      Failed(reason);
      Close(file);
      return false;
    }
    if (!Close(file)) return Failed(reason);
  }
  return true;
}

}  // namespace

void RemoveLeftoverTemporaries(const std::string& path) {
  const std::string name = path.substr(FileNameStart(path));
  if (name.empty()) return;
  RemoveOldFilesBeside(
      path, [&](std::string_view entry) { return IsTemporaryNameOf(entry, name); }, kLeftoverAge);
}

size_t ReplaceFilesAtomically(std::span<const WholeFile> files, std::string* reason,
                              size_t* failed) {
  // Each file where ReplaceFileAtomically would put it: a link's file, never a FIFO or a
  // device; one that is no regular file refuses the whole group before anything is written.
  std::vector<WholeFile> targets;
  for (const WholeFile& whole : files) {
    std::string target;
    if (!ReplacementTarget(whole.path, &target)) {
      *failed = targets.size();
      if (reason) *reason = kNotARegularFile;
      return 0;
    }
    targets.push_back({std::move(target), whole.bytes});
  }
  files = targets;
  std::vector<std::string> temporaries;
  if (!WriteTemporaries(files, &temporaries, reason, failed)) {
    RemoveAll(temporaries, 0);
    return 0;
  }
  if (!SyncClosedFiles(temporaries)) {
    *failed = 0;
    Failed(reason);
    RemoveAll(temporaries, 0);
    return 0;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    if (!Name(temporaries[i], files[i].path, Placement::kReplacing, reason)) {
      *failed = i;
      RemoveAll(temporaries, i);
      return i;
    }
  }
  // Each folder's new entries on the disk, once a folder.
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string folder = files[i].path.substr(0, FileNameStart(files[i].path));
    if (i == 0 || folder != files[i - 1].path.substr(0, FileNameStart(files[i - 1].path)))
      SyncFolderOf(files[i].path);
  }
  return files.size();
}

bool ReplaceFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                           std::string* reason) {
  std::string target;
  if (!ReplacementTarget(path, &target)) {
    if (reason) *reason = kNotARegularFile;
    return false;
  }
  return WriteThroughTemporary(target, {&bytes, 1}, NewFileAccess::kAsAnyNewFile,
                               Placement::kReplacing, reason);
}

bool CreateFileAtomically(const std::string& path, std::span<const std::span<const uint8_t>> pieces,
                          std::string* reason) {
  return WriteThroughTemporary(path, pieces, NewFileAccess::kOwnerWritesOnly,
                               Placement::kWithoutReplacing, reason);
}

}  // namespace rt::platform
