// The toolkit probe (see toolkit_probe.h): a window with a Chinese caption and Chinese
// text, themed with skin 19 by the SkinEngine.dll beside it through this program's
// toolkit entries, as the calculator is themed.
#include "tests/windows/toolkit_probe.h"

#include <windows.h>
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "skin/skin_data.h"

namespace {

using SetAero = int32_t (*)(int32_t);
using AttachRes = int32_t (*)(const uint8_t*, int32_t, const char*, int32_t, int32_t, int32_t);

const char* Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

template <typename Function>
Function Export(HMODULE library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

bool AttachSkin19() {
  HMODULE engine = LoadLibraryW(L"SkinEngine.dll");  // the program's folder comes first
  if (!engine) return false;
  const auto set_aero = Export<SetAero>(engine, "SkinEngine_SetAero");
  const auto attach_res = Export<AttachRes>(engine, "SkinEngine_AttachRes");
  if (!set_aero || !attach_res) return false;
  const std::span<const uint8_t> skin = skin::EmbeddedSkin(19);
  return set_aero(1) == 1 &&
         attach_res(skin.data(), static_cast<int32_t>(skin.size()), "", 0, 0, 0) == 1;
}

void AddGlyph(int index) {
  using namespace toolkit_probe;
  auto* box =
      new Fl_Box(kGlyphLeft[index], kGlyphTop, kGlyphSize, kGlyphSize, Utf8(kGlyphs[index]));
  box->labelfont(FL_FREE_FONT);
  box->labelsize(kFontSize);
}

}  // namespace

int main(int argc, char** argv) {
  using namespace toolkit_probe;
  if (!AttachSkin19()) return kNotThemed;
  Fl::set_font(FL_FREE_FONT, kFontFace);
  Fl_Window window(kWidth, kHeight, Utf8(kCaption));
  AddGlyph(0);
  AddGlyph(1);
  // The toolkit's default face (Arial here) has no Chinese glyphs, and Wine links none in.
  auto* button =
      new Fl_Button(kButtonLeft, kControlTop, kControlWidth, kControlHeight, Utf8(u8"确定"));
  button->labelfont(FL_FREE_FONT);
  auto* input = new Fl_Input(kInputLeft, kControlTop, kControlWidth, kControlHeight);
  window.end();
  window.show(argc, argv);
  Fl::run();
  if (std::strcmp(input->value(), kCrashRequest) == 0)
    RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
  return std::atoi(input->value());
}
