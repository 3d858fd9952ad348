// Directory search and the files the runtime writes, on POSIX systems.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

#include <string>
#include <string_view>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/platform/posix/file_calls.h"
#include "runtime/platform/utf8.h"
#include "runtime/platform/whole_file_steps.h"

namespace rt::platform {
namespace {

// open takes its mode through "...", which a table entry cannot.
constexpr FileCalls kSystemCalls = {
    .open = [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
    .write = ::write,
    .fsync = ::fsync,
    .close = ::close,
    .rename = ::rename,
    .link = ::link,
    .unlink = ::unlink,
};

int Descriptor(const File& file) { return static_cast<int>(file.handle); }

// "*" matches any run of characters, "?" exactly one; every other byte stands for itself
// (no bracket sets, no escapes), so a name with "[" or "\" in it is matched literally.
// Backtracking only to the latest "*" bounds the work by name length times pattern
// length, however many stars a pattern has.
bool MatchesPattern(std::string_view pattern, std::string_view name) {
  constexpr size_t kNoStar = std::string_view::npos;
  size_t p = 0, n = 0;
  size_t after_star = kNoStar, star_name = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      after_star = ++p;
      star_name = n;
    } else if (p < pattern.size() && pattern[p] == '?') {
      ++p;
      n += Utf8CharacterLength(name.substr(n));
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (after_star != kNoStar) {
      star_name += Utf8CharacterLength(name.substr(star_name));
      p = after_star;
      n = star_name;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

bool FolderHasMatch(const std::string& folder, std::string_view pattern) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return false;
  bool found = false;
  while (!found) {
    const dirent* entry = readdir(dir);
    if (!entry) break;
    found = MatchesPattern(pattern, entry->d_name);
  }
  closedir(dir);
  return found;
}

bool EntryExists(const std::string& path) {
  if (path.empty()) return false;
  const size_t slash = path.rfind('/');
  const std::string_view last = slash == std::string::npos
                                    ? std::string_view(path)
                                    : std::string_view(path).substr(slash + 1);
  if (last.find_first_of("*?") != std::string_view::npos) {
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    return FolderHasMatch(folder, last);
  }
  // lstat: the entry itself counts, as a directory search would list it, even when it is
  // a symbolic link that leads nowhere.
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

// Read-only is the one attribute with a Linux counterpart: the write permission bits.
// Setting it takes write permission from everyone; clearing it gives the owner write
// permission back and leaves group and others as they are.
//
// Hidden, system and archive have none. A file is hidden here by a leading dot in its
// name, which an attribute must not change (the program finds its library by name);
// there is no system flag, and no archive flag for backup tools to clear. They are
// accepted and leave the file as it is.
bool ApplyAttributes(const std::string& path, int32_t attributes) {
  struct stat status;
  if (path.empty() || stat(path.c_str(), &status) != 0) return false;
  mode_t mode = status.st_mode & 07777;
  if (attributes & 0x01) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode |= S_IWUSR;
  }
  return chmod(path.c_str(), mode) == 0;
}

}  // namespace

const FileCalls& SystemFileCalls() { return kSystemCalls; }

bool AnyEntryMatches(const std::string& path) { return EntryExists(GbkToUtf8(path)); }

// Other openers are kept out with an exclusive advisory lock (flock), the nearest Linux
// notion of denying other openers reading and writing: programs that take a shared or
// exclusive lock before touching the file wait for the complete content, others are not
// stopped. The lock is taken before truncating, so a locked reader never sees the file
// emptied under it, and a file someone else holds locked is a failure rather than a wait.
// O_NONBLOCK keeps a FIFO without a reader from blocking the open forever; ftruncate then
// refuses anything that is not a regular file, where O_NONBLOCK has no effect.
File OpenEmptiedForWriting(const std::string& path) {
  const int fd =
      Calls().open(GbkToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return {};
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ftruncate(fd, 0) != 0) {
    Calls().close(fd);
    return {};
  }
  return {fd};
}

// A link that leads nowhere is replaced by the file, as before there were links to follow;
// whatever cannot be looked at is left to the writing, which then says why.
bool ReplacementTarget(const std::string& path, std::string* target) {
  *target = path;
  const std::string native = GbkToUtf8(path);
  struct stat entry, followed;
  if (lstat(native.c_str(), &entry) != 0 || S_ISREG(entry.st_mode)) return true;
  if (!S_ISLNK(entry.st_mode)) return false;
  if (stat(native.c_str(), &followed) != 0) return true;
  if (!S_ISREG(followed.st_mode)) return false;
  char* resolved = realpath(native.c_str(), nullptr);
  if (resolved) *target = Utf8ToGbk(resolved);
  std::free(resolved);
  return true;
}

// The umask takes from the mode what the user keeps from others; code is kept from
// their writing whatever the umask.
File CreateExclusively(const std::string& path, NewFileAccess access, bool* taken) {
  const mode_t mode = access == NewFileAccess::kAsAnyNewFile ? 0666 : 0644;
  const int fd =
      Calls().open(GbkToUtf8(path).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  *taken = fd < 0 && errno == EEXIST;
  return {fd};
}

bool WriteAll(const File& file, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t written = Calls().write(Descriptor(file), data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool Sync(const File& file) { return Calls().fsync(Descriptor(file)) == 0; }

bool Close(File& file) {
  const bool closed = Calls().close(Descriptor(file)) == 0;
  file = {};
  return closed;
}

bool NameReplacing(const std::string& from, const std::string& to) {
  return Calls().rename(GbkToUtf8(from).c_str(), GbkToUtf8(to).c_str()) == 0;
}

// A hard link fails when the name is taken, where a rename would replace what is there;
// a file system without hard links renames without replacing instead.
bool NameWithoutReplacing(const std::string& from, const std::string& to) {
  const std::string source = GbkToUtf8(from), target = GbkToUtf8(to);
  if (Calls().link(source.c_str(), target.c_str()) == 0) {
    Calls().unlink(source.c_str());
    return true;
  }
  if (errno == EEXIST) return false;
  return renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0;
}

// A new name is on the disk only once its folder is synced too.
void SyncFolderOf(const std::string& path) {
  const size_t name_start = FileNameStart(path);
  const std::string folder = name_start == 0 ? "." : GbkToUtf8(path.substr(0, name_start));
  const int fd = Calls().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return;
  Calls().fsync(fd);
  Calls().close(fd);
}

void RemoveOldFilesBeside(const std::string& path,
                          const std::function<bool(std::string_view)>& is_leftover,
                          std::chrono::seconds age) {
  const size_t name_start = FileNameStart(path);
  const std::string folder = name_start == 0 ? "." : GbkToUtf8(path.substr(0, name_start));
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  const time_t written_before = time(nullptr) - static_cast<time_t>(age.count());
  while (const dirent* entry = readdir(dir)) {
    struct stat status;
    if (!is_leftover(Utf8ToGbk(entry->d_name)) ||
        fstatat(dirfd(dir), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    if (S_ISREG(status.st_mode) && status.st_uid == geteuid() && status.st_mtime < written_before)
      unlinkat(dirfd(dir), entry->d_name, 0);
  }
  closedir(dir);
}

// The file system of each file written at once: one wait for the disk where there would
// be one a file.
bool SyncClosedFiles(std::span<const std::string> paths) {
  std::string synced_folder;
  for (const std::string& path : paths) {
    const size_t name_start = FileNameStart(path);
    const std::string folder = name_start == 0 ? "." : GbkToUtf8(path.substr(0, name_start));
    if (folder == synced_folder) continue;
    const int fd = Calls().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool synced = ::syncfs(fd) == 0;
    Calls().close(fd);
    if (!synced) return false;
    synced_folder = folder;
  }
  return true;
}

bool RemoveFile(const std::string& path) { return Calls().unlink(GbkToUtf8(path).c_str()) == 0; }

size_t FileNameStart(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

bool SetAttributes(const std::string& path, int32_t attributes) {
  return ApplyAttributes(GbkToUtf8(path), attributes);
}

}  // namespace rt::platform
