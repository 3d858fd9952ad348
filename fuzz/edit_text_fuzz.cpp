// The edit boxes' input filter and tidy-up on arbitrary text, in every input mode (the
// first byte picks it). The filter keeps only characters the mode accepts, keeps them in
// order and changes nothing on a second pass; a tidied integer is a plain number within
// its mode's range that tidies to itself.
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>

#include "runtime/core/number_scan.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/utf8.h"
#include "runtime/ui/editing/edit_box_text.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

constexpr uint32_t kModes[] = {rt::kFreeText, rt::kReadOnly,  rt::kByteInput,   rt::kShortInput,
                               rt::kIntInput, rt::kLongInput, rt::kSingleInput, rt::kDoubleInput};

bool IsIntegerMode(uint32_t mode) { return mode >= rt::kByteInput && mode <= rt::kLongInput; }

void CheckFilter(uint32_t mode, const std::string& utf8) {
  const std::string kept = rt::FilterText(mode, utf8);
  Require(rt::FilterText(mode, kept) == kept);
  if (mode == rt::kFreeText) Require(kept == utf8);
  // The kept characters are the accepted ones, in their order.
  size_t from = 0;
  for (size_t at = 0; at < kept.size();) {
    const size_t length = rt::Utf8CharacterLength(std::string_view(kept).substr(at));
    from = utf8.find(kept.substr(at, length), from);
    Require(from != std::string::npos);
    from += length;
    at += length;
  }
}

void CheckTidy(uint32_t mode, const std::string& gbk) {
  const std::optional<std::string> tidy = rt::TidiedText(mode, gbk);
  if (!tidy) return;
  Require(*tidy != gbk);
  if (!IsIntegerMode(mode) || tidy->empty()) return;
  Require(tidy->find_first_not_of("-0123456789") == std::string::npos);
  Require(!rt::TidiedText(mode, *tidy));
  if (mode == rt::kByteInput) Require(rt::TextToInt64(*tidy) >= 0 && rt::TextToInt64(*tidy) <= 255);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint32_t mode = kModes[data[0] % std::size(kModes)];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  CheckFilter(mode, text);
  CheckFilter(mode, rt::GbkToUtf8(text));
  CheckTidy(mode, text);
  return 0;
}
