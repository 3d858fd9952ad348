// Libraries loaded at run time, on POSIX systems: the one place where the runtime asks the
// system to load one, look an export up and release it.
//
// A library named by its path is loaded only when the file is sound: a complete regular
// file that no other user could have written (owned by the running user or by root, and
// writable by neither group nor others), under a name that no other user could have put
// there as a symbolic link. What is refused never runs: the checks are made
// on the open file, and the library is loaded from that very file.
#include <dlfcn.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt::platform {
namespace {

constexpr unsigned char kNativeClass = sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32;

bool ReadAt(int fd, void* into, size_t size, uint64_t at) {
  return pread(fd, into, size, static_cast<off_t>(at)) == static_cast<ssize_t>(size);
}

bool Within(uint64_t offset, uint64_t length, uint64_t size) {
  return offset <= size && length <= size - offset;
}

// Whether the file holds every byte its ELF headers describe: both header tables and each
// segment to be loaded. A cut file would be mapped in part, and the first touch past its
// end would kill the process.
bool HoldsWholeElf(int fd, uint64_t size) {
  ElfW(Ehdr) header;
  if (!ReadAt(fd, &header, sizeof header, 0) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
      header.e_ident[EI_CLASS] != kNativeClass || header.e_phentsize != sizeof(ElfW(Phdr)))
    return false;
  if (!Within(header.e_phoff, uint64_t{header.e_phnum} * sizeof(ElfW(Phdr)), size)) return false;
  if (header.e_shnum != 0 &&
      !Within(header.e_shoff, uint64_t{header.e_shnum} * header.e_shentsize, size))
    return false;
  for (uint64_t i = 0; i < header.e_phnum; ++i) {
    ElfW(Phdr) segment;
    if (!ReadAt(fd, &segment, sizeof segment, header.e_phoff + i * sizeof segment)) return false;
    if (segment.p_type == PT_LOAD && !Within(segment.p_offset, segment.p_filesz, size))
      return false;
  }
  return true;
}

bool NoOtherUserCouldWrite(const struct stat& status) {
  const bool owned = status.st_uid == geteuid() || status.st_uid == 0;
  return owned && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

bool IsSound(int fd) {
  struct stat status;
  return fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && NoOtherUserCouldWrite(status) &&
         HoldsWholeElf(fd, static_cast<uint64_t>(status.st_size));
}

// A symbolic link under the name is followed only when the link, too, is the running
// user's or root's: whoever planted it would choose which library it leads to.
bool EntryIsTrusted(const std::string& path, struct stat* entry) {
  if (lstat(path.c_str(), entry) != 0) return false;
  return !S_ISLNK(entry->st_mode) || entry->st_uid == geteuid() || entry->st_uid == 0;
}

bool SameEntry(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_uid == b.st_uid;
}

// Only a regular file is opened at all: opening a FIFO would wait for a writer, and
// opening a device may do something. The open file and the entry are checked again, as
// either may have been swapped meanwhile.
int OpenSoundFile(const std::string& path) {
  struct stat entry, status, entry_after;
  if (!EntryIsTrusted(path, &entry) || stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
    return -1;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd >= 0 &&
      (!IsSound(fd) || lstat(path.c_str(), &entry_after) != 0 || !SameEntry(entry, entry_after))) {
    close(fd);
    return -1;
  }
  return fd;
}

std::string DescriptorPath(int fd) { return "/proc/self/fd/" + std::to_string(fd); }

void* Open(const std::string& name) { return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL); }

// Whether a library is loaded under that name or from that file.
bool StillLoaded(const std::string& name) {
  void* module = dlopen(name.c_str(), RTLD_LAZY | RTLD_NOLOAD);
  if (module) dlclose(module);
  return module != nullptr;
}

}  // namespace

Library LoadLibraryFile(const std::string& path) {
  const int fd = OpenSoundFile(GbkToUtf8(path));
  if (fd < 0) return {};
  void* module = Open(DescriptorPath(fd));
  if (!module) {
    close(fd);
    return {};
  }
  return {module, fd};
}

Library LoadLibraryByName(const std::string& name) { return {Open(GbkToUtf8(name)), -1}; }

// Shared objects have no export ordinals: a "#n" name never resolves.
void* FindExport(const Library& library, const std::string& export_name) {
  if (!library.module || (!export_name.empty() && export_name[0] == '#')) return nullptr;
  return dlsym(library.module, export_name.c_str());
}

// A library that stays loaded (one that cannot be unloaded, or one another handle still
// holds) keeps the descriptor's name as its own. The descriptor then stays open: a file
// opened later under the same number would be taken for that library.
void ReleaseLibrary(Library& library) {
  if (library.module) dlclose(library.module);
  const int fd = static_cast<int>(library.file);
  if (fd >= 0 && !StillLoaded(DescriptorPath(fd))) close(fd);
  library = {};
}

bool NamesItsFolder(std::string_view library_name) {
  return library_name.find('/') != std::string_view::npos;
}

std::span<const char* const> SystemLibraries() {
  static constexpr const char* kLibraries[] = {"libc.so.6", "libm.so.6", "libX11.so.6",
                                               "libfontconfig.so.1"};
  return kLibraries;
}

}  // namespace rt::platform
