#include "runtime/core/file_commands.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "runtime/core/heap.h"
#include "runtime/core/runtime_state.h"
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

// The bytes of the byte arrays after the path.
std::vector<std::span<const uint8_t>> ByteArrays(int argc, const Value* args) {
  std::vector<std::span<const uint8_t>> arrays;
  for (int i = 1; i < argc; ++i) {
    const void* block = AddressOf(args[i]);
    arrays.emplace_back(BytesData(block), BytesCount(block));
  }
  return arrays;
}

// The path, when the arguments are a path and byte arrays. They are checked before the
// file is touched: a wrong argument must not cost the file its old content.
std::string PathToWrite(int argc, const Value* args) {
  return AllByteArrays(argc, args) ? PathArgument(argc, args) : std::string();
}

// Keeps the system's reason for a failed write of `path`: a library then missing beside
// the program is reported with it. False, for the writer to return.
bool Failed(const std::string& path, std::string reason) {
  if (RuntimeState* state = RuntimeIfAny())
    state->failed_write = FailedWrite{path, std::move(reason)};
  return false;
}

// The reason taken at once, before another call can change the system's note of it.
bool Failed(const std::string& path) { return Failed(path, platform::LastFailureText()); }

bool WriteArrays(int argc, const Value* args) {
  const std::string path = PathToWrite(argc, args);
  if (path.empty()) return false;
  platform::File file = platform::OpenEmptiedForWriting(path);
  if (!file.open()) return Failed(path);
  bool written = true;
  for (std::span<const uint8_t> array : ByteArrays(argc, args))
    written = written && (platform::WriteAll(file, array.data(), array.size()) || Failed(path));
  const bool closed = platform::Close(file) || Failed(path);
  return written && closed;
}

bool WriteNew(int argc, const Value* args) {
  const std::string path = PathToWrite(argc, args);
  if (path.empty()) return false;
  std::string reason;
  return platform::CreateFileAtomically(path, ByteArrays(argc, args), &reason) ||
         Failed(path, std::move(reason));
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
