#include "calc/sheet/pdf_fonts.h"

#include <algorithm>
#include <cmath>

#include "runtime/platform/gbk.h"

namespace calc {
namespace {

constexpr int kLeading = 4;  // between two lines of a style, as on the screen
// The CID fonts' ascent and descent, in thousandths of the size: the Latin fonts fit inside.
constexpr double kAscent = 0.859, kDescent = 0.141;
constexpr char kWinAnsiBullet = '\x95';
const std::string kBullet = reinterpret_cast<const char*>(u8"•");

bool IsGbkLead(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }
bool IsGbkTrail(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }
bool IsGb18030Digit(unsigned char byte) { return byte >= 0x30 && byte <= 0x39; }

void Append(std::vector<PdfRun>& runs, HPDF_Font font, std::string_view bytes) {
  if (runs.empty() || runs.back().font != font) runs.push_back({font, {}});
  runs.back().bytes += bytes;
}

}  // namespace

PdfFonts::PdfFonts(HPDF_Doc pdf) {
  HPDF_UseCNSFonts(pdf);
  HPDF_UseCNSEncodings(pdf);
  plain_ = {HPDF_GetFont(pdf, "Helvetica", "WinAnsiEncoding"),
            HPDF_GetFont(pdf, "SimSun", "GBK-EUC-H")};
  bold_ = {HPDF_GetFont(pdf, "Helvetica-Bold", "WinAnsiEncoding"),
           HPDF_GetFont(pdf, "SimHei", "GBK-EUC-H")};
}

PdfFonts::Faces PdfFonts::FacesOf(TextStyle style) const {
  switch (style) {
    case TextStyle::kTitle:
    case TextStyle::kHeading:
    case TextStyle::kSetting: return bold_;
    case TextStyle::kBody:
    case TextStyle::kNote: break;
  }
  return plain_;
}

// The sizes of the screen's faces, so that the layout and its pages come out alike.
HPDF_REAL PdfFonts::Size(TextStyle style) const {
  switch (style) {
    case TextStyle::kTitle: return 18;
    case TextStyle::kHeading:
    case TextStyle::kSetting: return 14;
    case TextStyle::kNote: return 13;
    case TextStyle::kBody: break;
  }
  return 12;
}

HPDF_REAL PdfFonts::BaselineOffset(TextStyle style) const {
  return static_cast<HPDF_REAL>(kLeading / 2 + Size(style) * kAscent);
}

int PdfFonts::LineHeight(TextStyle style) const {
  return static_cast<int>(std::ceil(Size(style) * (kAscent + kDescent))) + kLeading;
}

// The text's own bytes (GB18030 inside) walked character by character: a GBK character is
// two bytes, a four-byte one has a digit second.
std::vector<PdfRun> PdfFonts::Runs(std::string_view utf8, TextStyle style) const {
  const Faces faces = FacesOf(style);
  const std::string gbk = rt::Utf8ToGbk(utf8);
  std::vector<PdfRun> runs;
  size_t i = 0;
  while (i < gbk.size()) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    const auto next = i + 1 < gbk.size() ? static_cast<unsigned char>(gbk[i + 1]) : 0;
    if (byte < 0x80) {
      Append(runs, faces.latin, gbk.substr(i, 1));
      i += 1;
    } else if (IsGbkLead(byte) && IsGbkTrail(next)) {
      Append(runs, faces.cjk, gbk.substr(i, 2));
      i += 2;
    } else {
      const bool four = IsGbkLead(byte) && IsGb18030Digit(next) && i + 4 <= gbk.size();
      const size_t length = four ? 4 : 1;
      const bool bullet = rt::GbkToUtf8(gbk.substr(i, length)) == kBullet;
      Append(runs, faces.latin, bullet ? std::string_view(&kWinAnsiBullet, 1) : "?");
      i += length;
    }
  }
  return runs;
}

// The library measures at most 65,535 bytes at once (a line a layout measures before it
// wraps may be longer): an even count, so no character of two bytes is cut.
int PdfFonts::Width(std::string_view utf8, TextStyle style) const {
  constexpr size_t kMostBytes = 65534;
  HPDF_UINT thousandths = 0;
  for (const PdfRun& run : Runs(utf8, style)) {
    const auto* bytes = reinterpret_cast<const HPDF_BYTE*>(run.bytes.data());
    for (size_t at = 0; at < run.bytes.size(); at += kMostBytes) {
      const auto length = static_cast<HPDF_UINT>(std::min(kMostBytes, run.bytes.size() - at));
      thousandths += HPDF_Font_TextWidth(run.font, bytes + at, length).width;
    }
  }
  return static_cast<int>(std::ceil(thousandths * Size(style) / 1000));
}

}  // namespace calc
