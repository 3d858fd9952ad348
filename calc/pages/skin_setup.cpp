#include "calc/pages/skin_setup.h"

#include <cstdint>
#include <string>

#include "calc/pages/dll_commands.h"
#include "runtime/core/conversions.h"
#include "runtime/core/dll_commands.h"
#include "runtime/core/file_commands.h"
#include "runtime/core/heap.h"
#include "runtime/platform/platform.h"
#include "skin/skin_data.h"

namespace calc {
namespace {

using SetAeroExport = int32_t(int32_t on);
using AttachResExport = int32_t(const uint8_t* skin, int32_t byte_count, const char* text,
                                int32_t, int32_t, int32_t);

std::string SkinEngineFilePath() {
  rt::Value folder = rt::CallCommand(rt::ProgramFolder, 0, nullptr);
  auto* text = static_cast<char*>(rt::AddressOf(folder));
  std::string path = std::string(text ? text : "") + rt::platform::FolderSeparator() + kSkinEngineFile;
  rt::FreeMem(text);
  return path;
}

bool Succeeded(rt::Command command, int argc, const rt::Value* args) {
  return rt::CallCommand(command, argc, args).lo != 0;
}

}  // namespace

void EnsureSkinEngineFile() {
  const std::string path = SkinEngineFilePath();
  const rt::Value path_argument = rt::MakeText(path.c_str());
  if (Succeeded(rt::FileExists, 1, &path_argument)) return;
  std::span<const uint8_t> image = skin::SkinEngineImage();
  void* block = rt::NewBytes(image.data(), static_cast<uint32_t>(image.size()));
  const rt::Value write_arguments[] = {path_argument, rt::MakeBytes(block)};
  // Written only where nothing exists, which a start beside this one may have put there
  // meanwhile; the attribute then goes on this start's own file only. If the library
  // cannot be written, binding it reports.
  const bool written = Succeeded(rt::WriteNewFile, 2, write_arguments);
  rt::FreeMem(block);
  const rt::Value attribute_arguments[] = {path_argument, rt::MakeInt(rt::kAttrHidden)};
  if (written) Succeeded(rt::SetFileAttr, 2, attribute_arguments);
}

void SetAero(int on) {
  EnsureSkinEngineFile();
  rt::CallDllCommand<SetAeroExport>(kSetAeroCommand, on);
}

void AttachSkin(int number) {
  EnsureSkinEngineFile();
  std::span<const uint8_t> skin = skin::EmbeddedSkin(number);
  void* buffer = skin.empty() ? nullptr : rt::NewBytes(skin.data(), static_cast<uint32_t>(skin.size()));
  rt::Value buffer_argument = rt::MakeBytes(buffer);
  int32_t byte_count = rt::IntOf(rt::CallCommand(rt::BytesLength, 1, &buffer_argument));
  rt::CallDllCommand<AttachResExport>(kAttachResCommand, rt::BytesData(buffer), byte_count, "", 0, 0,
                                      0);
  rt::FreeMem(buffer);
}

}  // namespace calc
