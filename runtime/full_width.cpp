#include "runtime/full_width.h"

#include <cstdint>

namespace rt {
namespace {

// GBK row 0xA3 holds the full-width counterparts of ASCII 0x21..0x7E at 0xA1..0xFE.
constexpr uint8_t kFullWidthRow = 0xA3;
constexpr uint8_t kSymbolRow = 0xA1;

// The single byte a double-byte character folds to, or 0 when it is kept as it is.
char FoldedPair(uint8_t first, uint8_t second) {
  if (first == kFullWidthRow && second >= 0xA1 && second <= 0xFE) return static_cast<char>(second - 0x80);
  if (first != kSymbolRow) return 0;
  switch (second) {
    case 0xA1: return ' ';  // ideographic space
    case 0xAB: return '~';  // "～"
    case 0xEE:              // "☆"
    case 0xEF: return '*';  // "★"
    default: return 0;
  }
}

}  // namespace

std::string FoldFullWidth(std::string_view gbk, bool drop_spaces) {
  std::string folded;
  folded.reserve(gbk.size());
  const auto append_single = [&](char c) {
    if (!(drop_spaces && c == ' ')) folded.push_back(c);
  };
  for (size_t i = 0; i < gbk.size(); ++i) {
    const auto byte = static_cast<uint8_t>(gbk[i]);
    if (byte < 0x80) {
      append_single(gbk[i]);
      continue;
    }
    if (i + 1 == gbk.size()) break;  // a lead byte cut off by the end of the text
    const auto second = static_cast<uint8_t>(gbk[++i]);
    if (const char single = FoldedPair(byte, second)) {
      append_single(single);
    } else {
      folded.append(gbk.substr(i - 1, 2));
    }
  }
  return folded;
}

}  // namespace rt
