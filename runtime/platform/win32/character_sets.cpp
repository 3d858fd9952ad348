// Characters between GB18030 and UTF-8, through UTF-16 with the system's code pages.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "runtime/platform/platform.h"
#include "runtime/platform/utf8.h"
#include "runtime/platform/win32/gb18030_four_byte.h"

namespace rt::platform {
namespace {

constexpr UINT kGb18030 = 54936;

// 54936 is GB18030, the superset of GBK that the Linux build converts with, so that both
// give the same bytes for the same text. A system without it (Wine, for one) has 936,
// GBK itself, and the four-byte characters are computed (gb18030_four_byte.h).
bool SystemHasGb18030() {
  static const bool kHas = IsValidCodePage(kGb18030);
  return kHas;
}

// One whole character into UTF-16; false when the bytes are no character of the code page.
bool ToWide(UINT code_page, std::string_view in, std::wstring* wide) {
  wchar_t buffer[8];
  const int length =
      MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()),
                          buffer, static_cast<int>(std::size(buffer)));
  if (length <= 0) return false;
  wide->assign(buffer, static_cast<size_t>(length));
  return true;
}

// False for a character the code page has no form of. UTF-8 and GB18030 report it
// themselves; any other code page would put its default character in its place, or a
// look-alike, which is refused instead.
bool FromWide(UINT code_page, const std::wstring& wide, std::string* out) {
  const bool reports = code_page == CP_UTF8 || code_page == kGb18030;
  BOOL defaulted = FALSE;
  char buffer[16];
  const int length =
      WideCharToMultiByte(code_page, reports ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS,
                          wide.data(), static_cast<int>(wide.size()), buffer,
                          static_cast<int>(sizeof buffer), nullptr, reports ? nullptr : &defaulted);
  if (length <= 0 || defaulted) return false;
  out->assign(buffer, static_cast<size_t>(length));
  return true;
}

std::wstring Utf16(char32_t code_point) {
  if (code_point < 0x10000) return std::wstring(1, static_cast<wchar_t>(code_point));
  const char32_t above = code_point - 0x10000;
  return {static_cast<wchar_t>(0xD800 + (above >> 10)),
          static_cast<wchar_t>(0xDC00 + (above & 0x3FF))};
}

bool ToUtf8(std::string_view character, std::string* out) {
  const UINT from = SystemHasGb18030() ? kGb18030 : 936;
  char32_t code_point = 0;
  std::wstring wide;
  if (!SystemHasGb18030() && character.size() == 4) {
    if (!CodePointOfFourBytes(character, &code_point)) return false;
    wide = Utf16(code_point);
  } else if (!ToWide(from, character, &wide)) {
    return false;
  }
  return FromWide(CP_UTF8, wide, out);
}

bool ToInside(std::string_view character, std::string* out) {
  std::wstring wide;
  if (!ToWide(CP_UTF8, character, &wide)) return false;
  if (SystemHasGb18030()) return FromWide(kGb18030, wide, out);
  // 936 writes the euro sign as the single byte 0x80, which GB18030 has no character for.
  if (FromWide(936, wide, out) && out->size() == 2) return true;
  char32_t code_point = 0;
  return DecodeUtf8(character, &code_point) && FourBytesOfCodePoint(code_point, out);
}

}  // namespace

bool ConvertCharacter(Direction direction, std::string_view character, std::string* out) {
  if (character.empty()) return false;
  return direction == Direction::kToUtf8 ? ToUtf8(character, out) : ToInside(character, out);
}

}  // namespace rt::platform
