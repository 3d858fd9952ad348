#include "runtime/platform/gbk.h"

#include <iconv.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace rt {
namespace {

// Bytes that cannot cross as part of a character travel as U+F780..U+F7FF, 0xF700 + byte.
constexpr uint32_t kEscapeBase = 0xF700;

bool IsEscape(uint32_t cp) { return cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF; }

uint8_t ByteAt(std::string_view s, size_t i) { return static_cast<uint8_t>(s[i]); }

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one whole character into `out`; false when it has no counterpart.
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
    out->assign(buffer, static_cast<size_t>(out_ptr - buffer));
    return true;
  }

 private:
  iconv_t cd_;
};

// GB18030 rather than GBK: the same bytes for every GBK character, and a form for every
// other character too, so no text loses a character on its way in.
struct Converters {
  Converter to_utf8{"UTF-8", "GB18030"};
  Converter to_inside{"GB18030", "UTF-8"};
};

Converters& TheConverters() {
  thread_local Converters converters;
  return converters;
}

// A character crosses only if it converts both ways unchanged; one that would come back
// otherwise (the conversion tables have a few such) crosses as escaped bytes instead.
bool ConvertsBack(std::string_view in, Converter& there, Converter& back, std::string* out) {
  std::string again;
  return there.Convert(in, out) && back.Convert(*out, &again) && again == in;
}

// The UTF-8 form of the escape character that carries `byte`.
std::string EscapeUtf8(uint8_t byte) {
  const uint32_t cp = kEscapeBase + byte;
  return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
          static_cast<char>(0x80 | (cp & 0x3F))};
}

// Length of the UTF-8 sequence at `s` and its code point; 0 when the bytes are not a
// well-formed sequence.
size_t DecodeUtf8(std::string_view s, uint32_t* cp) {
  uint8_t lead = ByteAt(s, 0);
  size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (length == 0 || length > s.size()) return 0;
  uint32_t value = length == 1 ? lead : lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((ByteAt(s, i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (ByteAt(s, i) & 0x3F);
  }
  static const uint32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kMinimum[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return 0;
  *cp = value;
  return length;
}

bool InRange(uint8_t b, uint8_t low, uint8_t high) { return b >= low && b <= high; }

// The length of the GB18030 byte sequence at `s` by its form alone: a byte below 0x80;
// a lead byte 0x81..0xFE and a trail byte 0x40..0xFE other than 0x7F; or a lead byte,
// a digit, a lead byte and a digit. 0 when no sequence starts there.
size_t Gb18030Length(std::string_view s) {
  if (ByteAt(s, 0) < 0x80) return 1;
  if (!InRange(ByteAt(s, 0), 0x81, 0xFE) || s.size() < 2) return 0;
  if (InRange(ByteAt(s, 1), 0x40, 0xFE) && ByteAt(s, 1) != 0x7F) return 2;
  if (s.size() >= 4 && InRange(ByteAt(s, 1), '0', '9') && InRange(ByteAt(s, 2), 0x81, 0xFE) &&
      InRange(ByteAt(s, 3), '0', '9'))
    return 4;
  return 0;
}

// The inside character at the start of `s` with its UTF-8 form; 0 when the bytes there
// are no character that converts both ways.
size_t InsideCharacter(std::string_view s, std::string* utf8) {
  const size_t length = Gb18030Length(s);
  Converters& converters = TheConverters();
  if (length < 2) return 0;
  return ConvertsBack(s.substr(0, length), converters.to_utf8, converters.to_inside, utf8) ? length : 0;
}

// The inside form of the escape character that carries `byte`.
const std::string& EscapeForm(uint8_t byte) {
  thread_local std::vector<std::string> forms = [] {
    std::vector<std::string> all(0x80);
    for (uint32_t byte = 0x80; byte <= 0xFF; ++byte)
      TheConverters().to_inside.Convert(EscapeUtf8(static_cast<uint8_t>(byte)), &all[byte - 0x80]);
    return all;
  }();
  return forms[byte - 0x80];
}

void AppendEscapedBytes(std::string_view bytes, std::string* out) {
  for (size_t i = 0; i < bytes.size(); ++i) *out += EscapeForm(ByteAt(bytes, i));
}

// Inside text that holds raw bytes standing for escape characters of the system's text
// (see Utf8ToGbk). A raw byte must not start a character with the bytes after it, or it
// would not come back as itself; such a byte is escaped instead, as the bytes of its
// escape character's UTF-8 form. Deciding from the end backwards means the bytes after
// each one are final when it is looked at.
std::string KeepRawBytesApart(const std::string& text, const std::vector<size_t>& raw) {
  std::string reversed;
  reversed.reserve(text.size());
  size_t end = text.size();
  std::string utf8;
  for (auto at = raw.rbegin(); at != raw.rend(); ++at) {
    reversed.append(text.rbegin() + static_cast<std::ptrdiff_t>(text.size() - end),
                    text.rbegin() + static_cast<std::ptrdiff_t>(text.size() - *at - 1));
    std::string ahead(1, text[*at]);
    ahead.append(reversed.rbegin(), reversed.rbegin() + std::min<std::ptrdiff_t>(3, std::ssize(reversed)));
    if (InsideCharacter(ahead, &utf8)) {
      std::string escaped;
      AppendEscapedBytes(EscapeUtf8(ByteAt(text, *at)), &escaped);
      reversed.append(escaped.rbegin(), escaped.rend());
    } else {
      reversed.push_back(text[*at]);
    }
    end = *at;
  }
  reversed.append(text.rbegin() + static_cast<std::ptrdiff_t>(text.size() - end), text.rend());
  return {reversed.rbegin(), reversed.rend()};
}

}  // namespace

size_t Utf8CharacterLength(std::string_view utf8) {
  uint32_t cp = 0;
  size_t length = utf8.empty() ? 0 : DecodeUtf8(utf8, &cp);
  return length ? length : 1;
}

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  std::string utf8;
  for (size_t i = 0; i < gbk.size();) {
    const uint8_t b = ByteAt(gbk, i);
    const size_t length = b < 0x80 ? 0 : InsideCharacter(gbk.substr(i), &utf8);
    uint32_t cp = 0;
    if (b < 0x80) {
      out.push_back(static_cast<char>(b));
    } else if (length == 0) {
      out += EscapeUtf8(b);
    } else if (DecodeUtf8(utf8, &cp) && IsEscape(cp)) {
      out.push_back(static_cast<char>(cp - kEscapeBase));
    } else {
      out += utf8;
    }
    i += std::max<size_t>(length, 1);
  }
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::vector<size_t> raw;
  std::string inside;
  Converters& converters = TheConverters();
  for (size_t i = 0; i < utf8.size();) {
    uint32_t cp = 0;
    const size_t length = DecodeUtf8(utf8.substr(i), &cp);
    const std::string_view character = utf8.substr(i, std::max<size_t>(length, 1));
    if (length == 1) {
      out.push_back(static_cast<char>(cp));
    } else if (length && IsEscape(cp)) {
      raw.push_back(out.size());
      out.push_back(static_cast<char>(cp - kEscapeBase));
    } else if (length && ConvertsBack(character, converters.to_inside, converters.to_utf8, &inside)) {
      out += inside;
    } else {
      AppendEscapedBytes(character, &out);
    }
    i += character.size();
  }
  return raw.empty() ? out : KeepRawBytesApart(out, raw);
}

}  // namespace rt
