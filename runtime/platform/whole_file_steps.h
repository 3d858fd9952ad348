// The steps of writing a file whole, which each system takes its own way (posix/,
// win32/) and whole_files.cpp puts together. Inside the platform layer only.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "runtime/platform/platform.h"

namespace rt::platform {

// Who may write a new file besides its owner.
enum class NewFileAccess {
  kAsAnyNewFile,     // whoever the system lets write the user's new files: documents
  kOwnerWritesOnly,  // neither group nor others, whatever the system's default: code
};

// The file a replacement of `path` writes: `path` itself, or, where it is a symbolic link
// to a regular file, the file the link leads to, so that the link keeps leading to the new
// content, as editors keep it. False when what is there is no regular file (a FIFO, a
// device, a folder), which a rename would replace and an open could wait on for ever.
bool ReplacementTarget(const std::string& path, std::string* target);

// Creates the file only when nothing exists under the path, so that no other file is
// ever opened by mistake; `taken` tells whether that was why it failed.
File CreateExclusively(const std::string& path, NewFileAccess access, bool* taken);
// Waits until what was written is on the disk.
bool Sync(const File& file);
// Waits until what was written to the closed files is on the disk.
bool SyncClosedFiles(std::span<const std::string> paths);
// Gives the file `from` the name `to`, replacing what is there, or only when nothing is
// there. On failure `from` keeps its name.
bool NameReplacing(const std::string& from, const std::string& to);
bool NameWithoutReplacing(const std::string& from, const std::string& to);
// Puts the folder's new entry for `path` on the disk, where the system needs telling. A
// folder that cannot be synced is no failure: the file already stands whole under its
// name, and the earlier one is gone.
void SyncFolderOf(const std::string& path);
bool RemoveFile(const std::string& path);

// Removes the user's own regular files in the folder of `path` whose names `is_leftover`
// accepts (inside texts) and that were last written longer than `age` ago; never a link,
// a folder or another user's file.
void RemoveOldFilesBeside(const std::string& path,
                          const std::function<bool(std::string_view)>& is_leftover,
                          std::chrono::seconds age);

// Where the last component of a path starts, past its folder.
size_t FileNameStart(std::string_view path);

}  // namespace rt::platform
