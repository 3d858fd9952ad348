#include "runtime/platform/utf8.h"

#include <cstdint>

namespace rt {

size_t DecodeUtf8(std::string_view utf8, char32_t* code) {
  if (utf8.empty()) return 0;
  auto byte = [&](size_t i) { return static_cast<uint8_t>(utf8[i]); };
  const uint8_t lead = byte(0);
  const size_t length = lead < 0x80             ? 1
                        : (lead & 0xE0) == 0xC0 ? 2
                        : (lead & 0xF0) == 0xE0 ? 3
                        : (lead & 0xF8) == 0xF0 ? 4
                                                : 0;
  if (length == 0 || length > utf8.size()) return 0;
  char32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  static const char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kMinimum[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return 0;
  *code = value;
  return length;
}

size_t Utf8CharacterLength(std::string_view utf8) {
  char32_t code = 0;
  const size_t length = DecodeUtf8(utf8, &code);
  return length ? length : 1;
}

}  // namespace rt
