#include "runtime/core/file_commands.h"

#include <cstdio>
#include <random>
#include <string>

#include "runtime/core/heap.h"
#include "runtime/core/runtime_state.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace rt {
namespace {

// The first argument as a path; empty when it is missing, not a text or empty.
std::string PathArgument(int argc, const Value* args) {
  if (argc < 1 || args[0].type != kText || !TextOf(args[0])) return {};
  return TextOf(args[0]);
}

bool AllByteArrays(int argc, const Value* args) {
  for (int i = 1; i < argc; ++i) {
    if (args[i].type != kBytes) return false;
  }
  return true;
}

bool WriteArraysTo(const platform::File& file, int argc, const Value* args) {
  bool written = true;
  for (int i = 1; i < argc && written; ++i) {
    const void* block = AddressOf(args[i]);
    written = platform::WriteAll(file, BytesData(block), BytesCount(block));
  }
  return written;
}

// The path, when the arguments are a path and byte arrays. They are checked before the
// file is touched: a wrong argument must not cost the file its old content.
std::string PathToWrite(int argc, const Value* args) {
  return AllByteArrays(argc, args) ? PathArgument(argc, args) : std::string();
}

// Keeps the system's reason for a failed write of `path`, taken at once: a library then
// missing beside the program is reported with it. False, for the writer to return.
bool Failed(const std::string& path) {
  std::string reason = platform::LastFailureText();
  if (RuntimeState* state = RuntimeIfAny()) state->failed_write = FailedWrite{path, std::move(reason)};
  return false;
}

bool WriteArrays(int argc, const Value* args) {
  const std::string path = PathToWrite(argc, args);
  if (path.empty()) return false;
  platform::File file = platform::OpenEmptiedForWriting(path);
  if (!file.open()) return Failed(path);
  const bool written = WriteArraysTo(file, argc, args) || Failed(path);
  const bool closed = platform::Close(file) || Failed(path);
  return written && closed;
}

// Creates a temporary file beside `path`, hidden by its leading dot, exclusively: no
// other file is ever opened by mistake. Not open when no free name was found.
platform::File CreateTemporaryBeside(const std::string& path, std::string* temporary) {
  const size_t separator = FindLastAsciiCharacter(path, platform::FolderSeparator());
  const size_t name_start = separator == std::string::npos ? 0 : separator + 1;
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", random());
    *temporary = path.substr(0, name_start) + "." + path.substr(name_start) + suffix;
    bool taken = false;
    platform::File file = platform::CreateExclusively(*temporary, &taken);
    if (file.open() || !taken) return file;
  }
  return {};
}

// The name never shows part of the content: the content is complete and on the disk
// before the name is given, and the temporary name goes whatever happens.
bool WriteNew(int argc, const Value* args) {
  const std::string path = PathToWrite(argc, args);
  if (path.empty()) return false;
  std::string temporary;
  platform::File file = CreateTemporaryBeside(path, &temporary);
  if (!file.open()) return Failed(path);
  const bool written = (WriteArraysTo(file, argc, args) && platform::Sync(file)) || Failed(path);
  const bool closed = platform::Close(file) || Failed(path);
  if (written && closed) return platform::NameWithoutReplacing(temporary, path) || Failed(path);
  platform::RemoveFile(temporary);
  return false;
}

}  // namespace

void FileExists(Value* result, int argc, const Value* args) {
  *result = MakeBool(platform::AnyEntryMatches(PathArgument(argc, args)));
}

void WriteBytesToFile(Value* result, int argc, const Value* args) {
  *result = MakeBool(WriteArrays(argc, args));
}

void WriteNewFile(Value* result, int argc, const Value* args) {
  *result = MakeBool(WriteNew(argc, args));
}

std::optional<std::string> WhyWritingFailed(const std::string& path) {
  RuntimeState* state = RuntimeIfAny();
  if (!state || !state->failed_write || state->failed_write->path != path) return std::nullopt;
  return state->failed_write->reason;
}

void SetFileAttr(Value* result, int argc, const Value* args) {
  const bool applied =
      argc >= 2 && platform::SetAttributes(PathArgument(argc, args), IntOf(args[1]) & kAttrMask);
  *result = MakeBool(applied);
}

}  // namespace rt
