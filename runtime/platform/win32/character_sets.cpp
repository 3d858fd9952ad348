// Characters between GB18030 and UTF-8, through UTF-16 with the system's code pages.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "runtime/platform/platform.h"

namespace rt::platform {
namespace {

// 54936 is GB18030, the superset of GBK that the Linux build converts with, so that both
// give the same bytes for the same text. A system without it (Wine, for one) has 936,
// GBK itself: what only GB18030 has then crosses as escape characters (gbk.h), still
// without loss.
UINT InsideCodePage() {
  static const UINT kCodePage = IsValidCodePage(54936) ? 54936 : 936;
  return kCodePage;
}

// One whole character into UTF-16; false when the bytes are no character of the code page.
bool ToWide(UINT code_page, std::string_view in, std::wstring* wide) {
  wchar_t buffer[8];
  const int length = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()),
                                         buffer, static_cast<int>(std::size(buffer)));
  if (length <= 0) return false;
  wide->assign(buffer, static_cast<size_t>(length));
  return true;
}

// False for a character the code page has no form of. UTF-8 and GB18030 report it
// themselves; any other code page would put its default character in its place, or a
// look-alike, which is refused instead.
bool FromWide(UINT code_page, const std::wstring& wide, std::string* out) {
  const bool reports = code_page == CP_UTF8 || code_page == 54936;
  BOOL defaulted = FALSE;
  char buffer[16];
  const int length = WideCharToMultiByte(code_page, reports ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS, wide.data(),
                                         static_cast<int>(wide.size()), buffer, static_cast<int>(sizeof buffer),
                                         nullptr, reports ? nullptr : &defaulted);
  if (length <= 0 || defaulted) return false;
  out->assign(buffer, static_cast<size_t>(length));
  return true;
}

}  // namespace

bool ConvertCharacter(Direction direction, std::string_view character, std::string* out) {
  const UINT from = direction == Direction::kToUtf8 ? InsideCodePage() : CP_UTF8;
  const UINT to = direction == Direction::kToUtf8 ? CP_UTF8 : InsideCodePage();
  std::wstring wide;
  return !character.empty() && ToWide(from, character, &wide) && FromWide(to, wide, out);
}

}  // namespace rt::platform
