#include <FL/Fl.H>
#include <FL/fl_utf8.h>
#include <FL/x.H>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "runtime/ui/system/cjk_faces.h"

namespace rt {
namespace {

std::string Utf8(const wchar_t* wide) {
  const unsigned length = static_cast<unsigned>(wcslen(wide));
  std::vector<char> utf8(fl_utf8fromwc(nullptr, 0, wide, length) + 1);
  return std::string(utf8.data(),
                     fl_utf8fromwc(utf8.data(), static_cast<unsigned>(utf8.size()), wide, length));
}

int CALLBACK CollectFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM families) {
  // "@" marks the vertical form of a face, for text written top to bottom.
  if (font->lfFaceName[0] != L'@')
    reinterpret_cast<std::set<std::string>*>(families)->insert(Utf8(font->lfFaceName));
  return 1;
}

// The families installed with the simplified Chinese character set, in name order.
std::set<std::string> ChineseFamilies() {
  std::set<std::string> families;
  LOGFONTW wanted = {};
  wanted.lfCharSet = GB2312_CHARSET;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, CollectFamily, reinterpret_cast<LPARAM>(&families), 0);
  ReleaseDC(nullptr, screen);
  return families;
}

// The first preferred face that is installed, else the first Chinese one (where there is
// none, as under Wine without the Windows fonts, any installed CJK face stands in), else
// the first preferred one, which the system then maps as it can.
std::string Pick(const std::set<std::string>& installed,
                 std::initializer_list<const char8_t*> preferred) {
  for (const char8_t* face : preferred) {
    const std::string utf8 = reinterpret_cast<const char*>(face);
    if (installed.count(utf8)) return " " + utf8;
  }
  return " " + (installed.empty() ? std::string(reinterpret_cast<const char*>(*preferred.begin()))
                                  : *installed.begin());
}

}  // namespace

// The names are UTF-8, as the toolkit takes them. Windows names "宋体" SimSun and "楷体_GB2312"
// KaiTi_GB2312 (KaiTi since Vista), in either language; Debian's Arphic faces come next, as Wine
// finds them through fontconfig.
const CjkFaces& InstalledCjkFaces() {
  static const CjkFaces kFaces = [] {
    const std::set<std::string> installed = ChineseFamilies();
    return CjkFaces{Pick(installed, {u8"SimSun", u8"宋体", u8"NSimSun", u8"AR PL UMing CN"}),
                    Pick(installed, {u8"KaiTi_GB2312", u8"楷体_GB2312", u8"KaiTi", u8"楷体",
                                     u8"AR PL UKai CN"})};
  }();
  return kFaces;
}

}  // namespace rt
