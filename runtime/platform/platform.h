// The operating system's services that the runtime needs, behind one small interface with
// one implementation per system (posix/ here). Nothing else in the program asks the system
// for these.
//
// Paths and names are inside texts (GBK, see gbk.h); each implementation hands the system
// the exact path they stand for, whatever characters or bytes it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rt::platform {

// The program file and the current folder.

// The full path of the program file; empty when the system does not tell.
std::string ProgramFilePath();
// The character between a folder and what it holds in a path.
char FolderSeparator();
// Makes `folder` the current folder; false when the system refuses.
bool EnterFolder(const std::string& folder);
// The current folder's full path; empty when the system does not tell (it was removed).
std::string CurrentFolder();
// The user's home folder; empty when the system knows none.
std::string HomeFolder();

// The command line and the standard streams of a console program.

// The arguments after the program's name, UTF-8, exactly as they were given: where the
// system holds the command line in UTF-16, from there rather than from `argv`, which
// keeps only what the legacy code page has.
std::vector<std::string> ProgramArguments(int argc, char** argv);
// Standard input and output carry their bytes unchanged: no line ends are translated.
void UseBinaryStandardStreams();

// Libraries loaded at run time.

struct Library {
  void* module = nullptr;  // the system's handle; null when nothing is loaded
  intptr_t file = -1;      // what the implementation keeps open while it is loaded
};

// A library named by its path is loaded only when the file is sound: a complete regular
// file that no other user could have written. What is refused never runs.
Library LoadLibraryFile(const std::string& path);
// A bare name, left to the system's library search.
Library LoadLibraryByName(const std::string& name);
void* FindExport(const Library& library, const std::string& export_name);
void ReleaseLibrary(Library& library);
// Whether a library name says where the file is, so that it is loaded only as written.
bool NamesItsFolder(std::string_view library_name);
// The libraries searched, in order, for an export declared without a library name.
std::span<const char* const> SystemLibraries();

// Directory search.

// Whether an entry exists under the path, a file or a folder. When the last component
// holds "*" or "?", it is a pattern that the entries of its folder are matched against.
bool AnyEntryMatches(const std::string& path);

// Files written.

// Files written whole or not at all: the content goes to a new temporary file in the
// target's folder, which is synced and closed before it takes the target's name, so that
// whatever happens meanwhile (a full disk, the program killed, the power gone) the name
// holds the whole new content or what it held before. On failure the temporary file goes
// and nothing else has changed.

// Gives `path` the content `bytes`, replacing any earlier file; a symbolic link to a
// regular file keeps leading to it, and the file it leads to is replaced. A new file gets
// what any new file of the user gets (on POSIX systems 0666 less the umask), whatever the
// earlier one had. Something there that is no regular file (a FIFO, a device, a folder)
// is refused at once, with `kNotARegularFile` as the reason. On failure `reason`, when
// given, receives the system's description of what failed, as an inside text.
inline constexpr const char* kNotARegularFile = "not a regular file";
bool ReplaceFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                           std::string* reason = nullptr);
// Several files replaced whole, each as ReplaceFileAtomically replaces one, with the disk
// waited for once for them all rather than once a file: for many files written at once.
// Returns how many of them, from the first, have their new content: all on success. On
// failure the others keep what they held before, and `reason`, when given, says why the
// file at `failed` could not be written.
struct WholeFile {
  std::string path;
  std::span<const uint8_t> bytes;
};
size_t ReplaceFilesAtomically(std::span<const WholeFile> files, std::string* reason,
                              size_t* failed);
// Creates the file with the pieces one after the other, only when nothing exists under
// `path`: never replaces anything. Neither group nor others may write it, as it may hold
// code. On failure `reason`, when given, receives the system's description.
bool CreateFileAtomically(const std::string& path, std::span<const std::span<const uint8_t>> pieces,
                          std::string* reason = nullptr);

// Removes the temporary files that writes of `path` left behind when the program was
// killed between writing and naming them: only files of that name pattern, of the user's
// own, that no write can still be busy with, as they are older than a few minutes.
void RemoveLeftoverTemporaries(const std::string& path);

struct File {
  intptr_t handle = -1;
  bool open() const { return handle != -1; }
};

// Creates the file or empties it, and keeps other openers out while it is open: written
// in place, what was written stays when a write fails.
File OpenEmptiedForWriting(const std::string& path);
bool WriteAll(const File& file, const uint8_t* data, size_t size);
// Closes the file; false when the system reports a failure of the writing.
bool Close(File& file);
// Applies the attribute bits 0x01 read-only, 0x02 hidden, 0x04 system and 0x20 archive,
// each as the system knows it; true when the system accepted them.
bool SetAttributes(const std::string& path, int32_t attributes);

// Files read.

// Reads the whole file at `path` into `content` when it holds at most `limit` bytes. False
// when it cannot be read or is larger; `reason` then receives why, as an inside text (the
// system's words, or "文件过大" for a file over the limit).
bool ReadFileUpTo(const std::string& path, size_t limit, std::string* content, std::string* reason);

// Failures.

// The system's own words for why the last call of this interface that failed did so, in
// the user's language where the system has it, as an inside text; empty when the system
// gave no reason. Asked at once, before any other call can change the system's note of it.
std::string LastFailureText();

// Texts.

enum class Direction { kToUtf8, kToInside };
// Converts one whole character between GB18030 and UTF-8; false when it has no form on
// the other side.
bool ConvertCharacter(Direction direction, std::string_view character, std::string* out);

// Floating-point arithmetic.

// Round to nearest and every exception masked: a division by zero or an invalid operation
// gives an infinity or not-a-number instead of a trap.
void SetFloatingPointEnvironment();

}  // namespace rt::platform
