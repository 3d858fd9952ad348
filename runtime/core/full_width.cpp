#include "runtime/core/full_width.h"

#include <cstdint>
#include <cstring>

namespace rt {
namespace {

// GBK row 0xA3 holds the full-width counterparts of ASCII 0x21..0x7E at 0xA1..0xFE.
constexpr uint8_t kFullWidthRow = 0xA3;
constexpr uint8_t kSymbolRow = 0xA1;

// The single byte a double-byte character folds to, or 0 when it is kept as it is.
char FoldedPair(uint8_t first, uint8_t second) {
  if (first == kFullWidthRow && second >= 0xA1 && second <= 0xFE) {
    return static_cast<char>(second - 0x80);
  }
  if (first != kSymbolRow) return 0;
  switch (second) {
    case 0xA1: return ' ';  // ideographic space
    case 0xAB: return '~';  // "～"
    case 0xEE:              // "☆"
    case 0xEF: return '*';  // "★"
    default: return 0;
  }
}

constexpr uint64_t kEveryByte = 0x0101010101010101;
constexpr uint64_t kHighBits = 0x8080808080808080;

// Whether one of eight ASCII bytes is a space (a zero byte in word ^ spaces).
bool HasSpace(uint64_t ascii_word) {
  const uint64_t spaces_cleared = ascii_word ^ (kEveryByte * ' ');
  return ((spaces_cleared - kEveryByte) & ~spaces_cleared & kHighBits) != 0;
}

// Where the run of single bytes that are copied as they are ends. Whole words are
// checked first: a 100,000-digit text should cost little more than its copy.
size_t EndOfPlainRun(std::string_view gbk, size_t from, bool drop_spaces) {
  size_t end = from;
  for (uint64_t word; end + sizeof word <= gbk.size(); end += sizeof word) {
    std::memcpy(&word, gbk.data() + end, sizeof word);
    if ((word & kHighBits) || (drop_spaces && HasSpace(word))) break;
  }
  while (end < gbk.size() && static_cast<uint8_t>(gbk[end]) < 0x80 &&
         !(drop_spaces && gbk[end] == ' ')) {
    ++end;
  }
  return end;
}

}  // namespace

std::string FoldFullWidth(std::string_view gbk, bool drop_spaces) {
  std::string folded;
  folded.reserve(gbk.size());
  size_t i = 0;
  while (i < gbk.size()) {
    // Plain bytes go over in runs: typed numbers and long pasted texts are mostly ASCII.
    const size_t run_end = EndOfPlainRun(gbk, i, drop_spaces);
    folded.append(gbk.substr(i, run_end - i));
    i = run_end;
    if (i == gbk.size()) break;
    const auto byte = static_cast<uint8_t>(gbk[i]);
    if (byte < 0x80) {  // a space being dropped
      ++i;
      continue;
    }
    if (i + 1 == gbk.size()) break;  // a lead byte cut off by the end of the text
    const auto second = static_cast<uint8_t>(gbk[i + 1]);
    if (const char single = FoldedPair(byte, second)) {
      if (!(drop_spaces && single == ' ')) folded.push_back(single);
    } else {
      folded.append(gbk.substr(i, 2));
    }
    i += 2;
  }
  return folded;
}

bool IsSingleByteText(std::string_view gbk) { return EndOfPlainRun(gbk, 0, false) == gbk.size(); }

}  // namespace rt
