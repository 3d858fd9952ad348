// The file commands the program uses to put the skin engine library beside itself. They
// take the command record shape, answer with a `Bool` in data low and never report a
// runtime error: every failure is simply false.
//
// Paths are GBK texts (the null address is the empty text) and reach the file system as
// UTF-8. They are native paths, taken exactly as written.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "runtime/core/value.h"

namespace rt {

// The attribute bits SetFileAttr understands; every other bit of its argument is dropped.
constexpr int32_t kAttrReadOnly = 0x01;
constexpr int32_t kAttrHidden = 0x02;
constexpr int32_t kAttrSystem = 0x04;
constexpr int32_t kAttrArchive = 0x20;
constexpr int32_t kAttrMask = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;

// 1 argument: `Text` path. True when an entry exists under the path, a file or a folder
// (a dangling symbolic link is an entry too). When the last path component holds "*" or
// "?", the component is a pattern matched against the entries of its folder: "*" stands
// for any run of characters and "?" for exactly one character; nothing else is special.
void FileExists(Value* result, int argc, const Value* args);

// 1 or more arguments: `Text` path, then `Bytes` arrays. Creates the file or truncates it,
// then writes the arrays in order, skipping empty ones. True when every byte reached the
// file and it closed cleanly; on a failed write what was written stays on disk.
void WriteBytesToFile(Value* result, int argc, const Value* args);

// 1 or more arguments: `Text` path, then `Bytes` arrays. Creates the file only when
// nothing exists under the path, never replacing anything, and so that the name holds
// either the complete content or whatever was there before, even should the program be
// killed or the disk fill meanwhile: the content goes to a temporary file in the same
// folder, is synced, and only then gets the name. True when the file was created with
// every byte; on any failure the temporary file goes. Neither group nor others get write
// permission, whatever the umask.
void WriteNewFile(Value* result, int argc, const Value* args);

// Why the file commands' last failed write, when it was of `path`, failed: the system's
// reason in its own words (GBK; empty when it gave none). Nullopt when their last failed
// write was of another path, or none failed since the runtime started.
std::optional<std::string> WhyWritingFailed(const std::string& path);

// 2 arguments: `Text` path, `Int` attributes (masked with kAttrMask). True when the
// attributes were applied.
void SetFileAttr(Value* result, int argc, const Value* args);

}  // namespace rt
