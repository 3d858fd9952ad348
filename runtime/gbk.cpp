#include "runtime/gbk.h"

#include <iconv.h>

#include <cstdint>

namespace rt {
namespace {

constexpr uint32_t kEscapeBase = 0xF700;  // U+F780..U+F7FF carry raw bytes 0x80..0xFF

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one whole character; false when the character has no counterpart.
  bool Convert(std::string_view in, std::string* out) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in_ptr = const_cast<char*>(in.data());
    size_t in_left = in.size();
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1) || in_left)
      return false;
    out->append(buffer, static_cast<size_t>(out_ptr - buffer));
    return true;
  }

 private:
  iconv_t cd_;
};

void AppendUtf8(uint32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

bool IsGbkTrail(uint8_t b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

// Length of the UTF-8 sequence at `s` and its code point; 0 when the bytes are not a
// well-formed sequence.
size_t DecodeUtf8(std::string_view s, uint32_t* cp) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  uint8_t lead = byte(0);
  size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || length > s.size()) return 0;
  uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(i) & 0x3F);
  }
  static const uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kMinimum[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return 0;
  *cp = value;
  return length;
}

}  // namespace

size_t Utf8CharacterLength(std::string_view utf8) {
  uint32_t cp = 0;
  size_t length = utf8.empty() ? 0 : DecodeUtf8(utf8, &cp);
  return length ? length : 1;
}

std::string GbkToUtf8(std::string_view gbk) {
  thread_local Converter converter("UTF-8", "GBK");
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  for (size_t i = 0; i < gbk.size();) {
    auto b = static_cast<uint8_t>(gbk[i]);
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
      ++i;
      continue;
    }
    if (i + 1 < gbk.size() && IsGbkTrail(static_cast<uint8_t>(gbk[i + 1])) &&
        converter.Convert(gbk.substr(i, 2), &out)) {
      i += 2;
      continue;
    }
    AppendUtf8(kEscapeBase + b, &out);
    ++i;
  }
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  thread_local Converter converter("GBK", "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp = 0;
    size_t length = DecodeUtf8(utf8.substr(i), &cp);
    if (length == 0) {
      out.push_back('?');
      ++i;
      continue;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF) {
      out.push_back(static_cast<char>(cp - kEscapeBase));
    } else if (!converter.Convert(utf8.substr(i, length), &out)) {
      out.push_back('?');
    }
    i += length;
  }
  return out;
}

}  // namespace rt
