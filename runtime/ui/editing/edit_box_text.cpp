#include "runtime/ui/editing/edit_box_text.h"

#include <algorithm>
#include <limits>

#include "runtime/core/number_format.h"
#include "runtime/core/number_scan.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/utf8.h"

namespace rt {
namespace {

bool IsIntegerMode(uint32_t mode) { return mode >= kByteInput && mode <= kLongInput; }
bool IsDecimalMode(uint32_t mode) { return mode == kSingleInput || mode == kDoubleInput; }

struct Range {
  int64_t low, high;
};

Range IntegerRange(uint32_t mode) {
  switch (mode) {
    case kByteInput: return {0, 255};
    case kShortInput: return {INT16_MIN, INT16_MAX};
    case kIntInput: return {INT32_MIN, INT32_MAX};
    default: return {INT64_MIN, INT64_MAX};
  }
}

std::string TidiedNumber(uint32_t mode, const std::string& gbk) {
  if (mode == kSingleInput) return FormatFloat(TextToFloat(gbk));
  if (mode == kDoubleInput) return FormatDouble(TextToDouble(gbk));
  Range range = IntegerRange(mode);
  int64_t value = std::clamp(TextToInt64(gbk), range.low, range.high);
  return std::to_string(value);
}

}  // namespace

bool AcceptsCharacter(uint32_t mode, char32_t character) {
  if (character < 0x20 || character == 0x7F) return true;
  if (mode == kReadOnly) return false;
  bool digit = character >= '0' && character <= '9';
  if (IsDecimalMode(mode)) return digit || character == '-' || character == '.';
  if (IsIntegerMode(mode)) return digit || character == '-';
  return true;
}

std::string FilterText(uint32_t mode, std::string_view utf8) {
  std::string kept;
  for (size_t i = 0; i < utf8.size();) {
    auto lead = static_cast<unsigned char>(utf8[i]);
    size_t length = Utf8CharacterLength(utf8.substr(i));
    // Every character the filtering modes accept is ASCII.
    bool accepted = length == 1 ? AcceptsCharacter(mode, lead) : AcceptsCharacter(mode, 0x80);
    if (accepted) kept.append(utf8.substr(i, length));
    i += length;
  }
  return kept;
}

std::optional<std::string> AcceptedPaste(uint32_t mode, std::string_view utf8) {
  size_t end = utf8.find_last_not_of(" \t\r\n");
  std::string_view text = utf8.substr(0, end == std::string_view::npos ? 0 : end + 1);
  auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; };
  if (mode != kFreeText && std::ranges::any_of(text, control)) return std::nullopt;
  if (FilterText(mode, text).size() != text.size()) return std::nullopt;
  return std::string(text);
}

std::optional<std::string> TidiedText(uint32_t mode, const std::string& gbk) {
  if (!IsIntegerMode(mode) && !IsDecimalMode(mode)) return std::nullopt;
  std::string tidy = TidiedNumber(mode, gbk);
  if (tidy == "0") tidy.clear();
  if (tidy == gbk) return std::nullopt;
  return tidy;
}

}  // namespace rt
