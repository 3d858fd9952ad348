#include "runtime/platform/gbk.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "runtime/platform/platform.h"
#include "runtime/platform/utf8.h"

namespace rt {
namespace {

// Bytes that cannot cross as part of a character travel as U+F780..U+F7FF, 0xF700 + byte.
constexpr uint32_t kEscapeBase = 0xF700;

bool IsEscape(char32_t cp) { return cp >= kEscapeBase + 0x80 && cp <= kEscapeBase + 0xFF; }

uint8_t ByteAt(std::string_view s, size_t i) { return static_cast<uint8_t>(s[i]); }

// A character crosses only if it converts both ways unchanged; one that would come back
// otherwise (the conversion tables have a few such) crosses as escaped bytes instead.
bool ConvertsBack(std::string_view in, platform::Direction there, std::string* out) {
  const platform::Direction back = there == platform::Direction::kToUtf8
                                       ? platform::Direction::kToInside
                                       : platform::Direction::kToUtf8;
  std::string again;
  return platform::ConvertCharacter(there, in, out) &&
         platform::ConvertCharacter(back, *out, &again) && again == in;
}

// The UTF-8 form of the escape character that carries `byte`.
std::string EscapeUtf8(uint8_t byte) {
  const uint32_t cp = kEscapeBase + byte;
  return {static_cast<char>(0xE0 | (cp >> 12)), static_cast<char>(0x80 | ((cp >> 6) & 0x3F)),
          static_cast<char>(0x80 | (cp & 0x3F))};
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
  if (length < 2) return 0;
  return ConvertsBack(s.substr(0, length), platform::Direction::kToUtf8, utf8) ? length : 0;
}

// The inside form of the escape character that carries `byte`.
const std::string& EscapeForm(uint8_t byte) {
  thread_local std::vector<std::string> forms = [] {
    std::vector<std::string> all(0x80);
    for (uint32_t byte = 0x80; byte <= 0xFF; ++byte)
      platform::ConvertCharacter(platform::Direction::kToInside,
                                 EscapeUtf8(static_cast<uint8_t>(byte)), &all[byte - 0x80]);
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
    ahead.append(reversed.rbegin(),
                 reversed.rbegin() + std::min<std::ptrdiff_t>(3, std::ssize(reversed)));
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

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  out.reserve(gbk.size() * 3 / 2);
  std::string utf8;
  for (size_t i = 0; i < gbk.size();) {
    const uint8_t b = ByteAt(gbk, i);
    const size_t length = b < 0x80 ? 0 : InsideCharacter(gbk.substr(i), &utf8);
    char32_t cp = 0;
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

std::string GbkToUtf8Text(std::string_view gbk) {
  constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
  const std::string utf8 = GbkToUtf8(gbk);
  std::string text;
  text.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const size_t length = DecodeUtf8(std::string_view(utf8).substr(i), &cp);
    if (length == 0 || IsEscape(cp)) {
      text += kReplacement;
    } else {
      text.append(utf8, i, length);
    }
    i += std::max<size_t>(length, 1);
  }
  return text;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::vector<size_t> raw;
  std::string inside;
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const size_t length = DecodeUtf8(utf8.substr(i), &cp);
    const std::string_view character = utf8.substr(i, std::max<size_t>(length, 1));
    if (length == 1) {
      out.push_back(static_cast<char>(cp));
    } else if (length && IsEscape(cp)) {
      raw.push_back(out.size());
      out.push_back(static_cast<char>(cp - kEscapeBase));
    } else if (length && ConvertsBack(character, platform::Direction::kToInside, &inside)) {
      out += inside;
    } else {
      AppendEscapedBytes(character, &out);
    }
    i += character.size();
  }
  return raw.empty() ? out : KeepRawBytesApart(out, raw);
}

size_t FindLastAsciiCharacter(std::string_view gbk, char ascii) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < gbk.size(); i += std::max<size_t>(Gb18030Length(gbk.substr(i)), 1)) {
    if (gbk[i] == ascii) last = i;
  }
  return last;
}

}  // namespace rt
