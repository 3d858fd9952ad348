// Arbitrary bytes as typed text and as stored numbers. Reading never crashes; folding
// never lengthens a text and a second folding changes nothing; the two integer readings
// agree on the low 32 bits; where the C library reads the same syntax it reads the same
// double; and a printed number reads back to within its last printed digit.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "runtime/core/conversions.h"
#include "runtime/core/full_width.h"
#include "runtime/core/heap.h"
#include "runtime/core/number_format.h"
#include "runtime/core/number_scan.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckFolding(std::string_view text) {
  for (const bool drop_spaces : {false, true}) {
    const std::string folded = rt::FoldFullWidth(text, drop_spaces);
    Require(folded.size() <= text.size());
    Require(rt::FoldFullWidth(folded, drop_spaces) == folded);
  }
}

// The runtime hands commands zero-terminated texts, so the text ends at the first zero.
void CheckCommands(const std::string& text) {
  const rt::Value argument = rt::MakeText(text.c_str());
  const rt::Value number = rt::CallCommand(rt::ToNumber, 1, &argument);
  const rt::Value integer = rt::CallCommand(rt::ToInteger, 1, &argument);
  Require(number.hi == 0 && number.type == 0 && integer.hi == 0 && integer.type == 0);

  const int64_t wide = rt::TextToInt64(text.c_str());
  if (wide != INT64_MAX && wide != INT64_MIN) {
    Require(static_cast<uint32_t>(static_cast<uint64_t>(wide)) == integer.lo);
  }
}

// strtod reads the same syntax as long as the text is ASCII and has no hexadecimal form,
// no infinity or not-a-number word and no "d" exponent.
void CheckAgainstStrtod(const std::string& text) {
  const std::string_view c_text = text.c_str();
  for (const char c : c_text) {
    if (static_cast<unsigned char>(c) >= 0x80 || std::strchr("xXiInNpPdD", c)) return;
  }
  const double expected = std::strtod(text.c_str(), nullptr);
  Require(std::bit_cast<uint64_t>(rt::TextToDouble(c_text)) == std::bit_cast<uint64_t>(expected));
}

template <typename Real>
void CheckReadBack(Real value, const std::string& printed, double relative_error) {
  if (!std::isfinite(value)) return;
  const double back = rt::TextToDouble(printed);
  Require(std::fabs(back - value) <= relative_error * std::fabs(value) + 5e-324);
}

void CheckPrinting(const uint8_t* data, size_t size) {
  if (size < sizeof(double)) return;
  uint64_t bits;
  std::memcpy(&bits, data, sizeof bits);
  const double value = std::bit_cast<double>(bits);
  const std::string printed = rt::FormatDouble(value);
  Require(!printed.empty() && printed.size() <= 20);
  CheckReadBack(value, printed, 5.01e-13);

  const rt::Value argument = rt::MakeDouble(value);
  const rt::HeapText text(rt::CallCommand(rt::ToText, 1, &argument));
  Require(text.view() == printed);

  const float single = std::bit_cast<float>(static_cast<uint32_t>(bits));
  CheckReadBack(single, rt::FormatFloat(single), 5.01e-6);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckFolding(text);
  CheckCommands(text);
  CheckAgainstStrtod(text);
  CheckPrinting(data, size);
  return 0;
}
