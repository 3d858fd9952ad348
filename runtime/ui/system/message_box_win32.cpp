// On Windows the message box is the system's own.
#include <FL/Fl.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>

#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/ui/system/message_box.h"

namespace rt {
namespace {

std::wstring Wide(const std::string& utf8) {
  const unsigned size = static_cast<unsigned>(utf8.size());
  std::wstring wide(fl_utf8towc(utf8.data(), size, nullptr, 0) + 1, L'\0');
  wide.resize(fl_utf8towc(utf8.data(), size, wide.data(), static_cast<unsigned>(wide.size())));
  return wide;
}

}  // namespace

// No owner window: the box stands on its own, even when the error comes before any
// window is shown or while one is being taken down.
void PresentInMessageBox(const std::string& gbk_text) {
  Fl::grab(nullptr);  // a list left dropped down would keep the pointer from the box
  MessageBoxW(nullptr, Wide(GbkToUtf8(gbk_text)).c_str(), Wide(GbkToUtf8("错误")).c_str(),
              MB_ICONSTOP | MB_OK);
}

}  // namespace rt
