#include "runtime/core/file_commands.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>

#include "runtime/platform/gbk.h"
#include "runtime/core/heap.h"

namespace rt {
namespace {

// The first argument as a UTF-8 path; empty when it is missing, not a text or empty.
std::string PathArgument(int argc, const Value* args) {
  if (argc < 1 || args[0].type != kText || !TextOf(args[0])) return {};
  return GbkToUtf8(TextOf(args[0]));
}

// Bytes in one character of a UTF-8 name: the lead byte and the continuation bytes after
// it. A stray byte counts as a character of its own, so odd names still match sensibly.
size_t CharacterLength(std::string_view text, size_t at) {
  size_t length = 1;
  while (at + length < text.size() &&
         (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
    ++length;
  return length;
}

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
      n += CharacterLength(name, n);
    } else if (p < pattern.size() && pattern[p] == name[n]) {
      ++p;
      ++n;
    } else if (after_star != kNoStar) {
      star_name += CharacterLength(name, star_name);
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

bool AllByteArrays(int argc, const Value* args) {
  for (int i = 1; i < argc; ++i) {
    if (args[i].type != kBytes) return false;
  }
  return true;
}

// Opens the file for writing, locked and empty; -1 on failure.
//
// Other openers are kept out with an exclusive advisory lock (flock), the nearest Linux
// notion of denying other openers reading and writing: programs that take a shared or
// exclusive lock before touching the file wait for the complete content, others are not
// stopped. The lock is taken before truncating, so a locked reader never sees the file
// emptied under it, and a file someone else holds locked is a failure rather than a wait.
// O_NONBLOCK keeps a FIFO without a reader from blocking the open forever; ftruncate then
// refuses anything that is not a regular file, where O_NONBLOCK has no effect.
int OpenLockedAndEmpty(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  if (fd < 0) return -1;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ftruncate(fd, 0) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool WriteArraysTo(int fd, int argc, const Value* args) {
  bool written = true;
  for (int i = 1; i < argc && written; ++i) {
    const void* block = AddressOf(args[i]);
    written = WriteAll(fd, BytesData(block), BytesCount(block));
  }
  return written;
}

// The path, when the arguments are a path and byte arrays. They are checked before the
// file is touched: a wrong argument must not cost the file its old content.
std::string PathToWrite(int argc, const Value* args) {
  return AllByteArrays(argc, args) ? PathArgument(argc, args) : std::string();
}

bool WriteArrays(int argc, const Value* args) {
  const std::string path = PathToWrite(argc, args);
  if (path.empty()) return false;
  const int fd = OpenLockedAndEmpty(path);
  if (fd < 0) return false;
  const bool written = WriteArraysTo(fd, argc, args);
  const bool closed = close(fd) == 0;
  return written && closed;
}

// Creates a temporary file beside `path`, hidden by its leading dot, exclusively: no
// other file is ever opened by mistake. Whatever the umask, neither group nor others may
// write it, as it may hold code to be loaded. -1 when no free name was found.
int CreateTemporaryBeside(const std::string& path, std::string* temporary) {
  const size_t slash = path.rfind('/');
  const size_t name_start = slash == std::string::npos ? 0 : slash + 1;
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", random());
    *temporary = path.substr(0, name_start) + "." + path.substr(name_start) + suffix;
    const int fd = open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// Gives the complete temporary file the name unless something exists under it. A hard
// link fails when the name is taken, where a rename would replace what is there; a file
// system without hard links renames without replacing instead. The temporary name goes.
bool GiveNameWithoutReplacing(const std::string& temporary, const std::string& path) {
  const bool linked = link(temporary.c_str(), path.c_str()) == 0;
  if (linked || errno == EEXIST) {
    unlink(temporary.c_str());
    return linked;
  }
  if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0) return true;
  unlink(temporary.c_str());
  return false;
}

// The name never shows part of the content: the content is complete and on the disk
// before the name is given.
bool WriteNew(int argc, const Value* args) {
  const std::string path = PathToWrite(argc, args);
  std::string temporary;
  const int fd = path.empty() ? -1 : CreateTemporaryBeside(path, &temporary);
  if (fd < 0) return false;
  const bool written = WriteArraysTo(fd, argc, args) && fsync(fd) == 0;
  if (close(fd) == 0 && written) return GiveNameWithoutReplacing(temporary, path);
  unlink(temporary.c_str());
  return false;
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
  if (attributes & kAttrReadOnly) {
    mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
  } else {
    mode |= S_IWUSR;
  }
  return chmod(path.c_str(), mode) == 0;
}

}  // namespace

void FileExists(Value* result, int argc, const Value* args) {
  *result = MakeBool(EntryExists(PathArgument(argc, args)));
}

void WriteBytesToFile(Value* result, int argc, const Value* args) {
  *result = MakeBool(WriteArrays(argc, args));
}

void WriteNewFile(Value* result, int argc, const Value* args) {
  *result = MakeBool(WriteNew(argc, args));
}

void SetFileAttr(Value* result, int argc, const Value* args) {
  const bool applied =
      argc >= 2 && ApplyAttributes(PathArgument(argc, args), IntOf(args[1]) & kAttrMask);
  *result = MakeBool(applied);
}

}  // namespace rt
