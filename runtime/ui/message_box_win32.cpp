// On Windows the message box is the system's own.
#include <FL/Fl.H>
#include <FL/x.H>

#include "runtime/platform/gbk.h"
#include "runtime/platform/win32/wide_text.h"
#include "runtime/ui/message_box.h"

namespace rt {

// No owner window: the box stands on its own, even when the error comes before any
// window is shown or while one is being taken down.
void PresentInMessageBox(const std::string& gbk_text) {
  Fl::grab(nullptr);  // a list left dropped down would keep the pointer from the box
  const std::wstring text = platform::WideFromUtf8(GbkToUtf8(gbk_text));
  const std::wstring caption = platform::WideFromUtf8(GbkToUtf8("错误"));
  MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_ICONSTOP | MB_OK);
}

}  // namespace rt
