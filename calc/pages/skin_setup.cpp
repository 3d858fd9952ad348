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
using AttachResExport = int32_t(const uint8_t* skin, int32_t byte_count, const char* text, int32_t,
                                int32_t, int32_t);

// Empty when the program's folder is not known: a name without its folder would land in
// the current one, or at the root.
std::string SkinEngineFilePath() {
  const rt::HeapText folder(rt::CallCommand(rt::ProgramFolder, 0, nullptr));
  if (folder.view().empty()) return {};
  return std::string(folder.view()) + rt::platform::FolderSeparator() + kSkinEngineFile;
}

bool Succeeded(rt::Command command, int argc, const rt::Value* args) {
  return rt::CallCommand(command, argc, args).lo != 0;
}

}  // namespace

void EnsureSkinEngineFile() {
  const std::string path = SkinEngineFilePath();
  if (path.empty()) return;  // binding the library then reports why it is missing
  rt::platform::RemoveLeftoverTemporaries(path);
  const rt::Value path_argument = rt::MakeText(path.c_str());
  if (Succeeded(rt::FileExists, 1, &path_argument)) return;
  std::span<const uint8_t> image = skin::SkinEngineImage();
  const rt::HeapBlock block(rt::NewBytes(image.data(), static_cast<uint32_t>(image.size())));
  const rt::Value write_arguments[] = {path_argument, rt::MakeBytes(block.get())};
  // Written only where nothing exists, which a start beside this one may have put there
  // meanwhile; the attribute then goes on this start's own file only. If the library
  // cannot be written, binding it reports.
  const bool written = Succeeded(rt::WriteNewFile, 2, write_arguments);
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
  const rt::HeapBlock buffer(
      skin.empty() ? nullptr : rt::NewBytes(skin.data(), static_cast<uint32_t>(skin.size())));
  const rt::Value buffer_argument = rt::MakeBytes(buffer.get());
  const int32_t byte_count = rt::IntOf(rt::CallCommand(rt::BytesLength, 1, &buffer_argument));
  rt::CallDllCommand<AttachResExport>(kAttachResCommand, buffer.bytes().data(), byte_count, "", 0,
                                      0, 0);
}

}  // namespace calc
