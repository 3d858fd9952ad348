#include "tools/formc/lines.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

#include "runtime/platform/gbk.h"

namespace formc {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The quoted token starting at text[pos] (the opening quote); pos ends after the closing one.
Token QuotedToken(const Line& line, std::string_view text, size_t& pos) {
  Token token{{}, true};
  for (++pos; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '"') {
      ++pos;
      if (pos < text.size() && !IsSpace(text[pos])) Fail(line, "no space after a quoted text");
      return token;
    }
    if (c == '\\') {
      if (++pos == text.size() || (text[pos] != '"' && text[pos] != '\\'))
        Fail(line, "only \\\" and \\\\ may follow a backslash in a quoted text");
      c = text[pos];
    }
    token.text.push_back(c);
  }
  Fail(line, "quoted text without its closing quote");
}

std::vector<Token> Tokenize(const Line& line, std::string_view text) {
  std::vector<Token> tokens;
  for (size_t pos = 0; pos < text.size();) {
    if (IsSpace(text[pos])) {
      ++pos;
    } else if (text[pos] == '"') {
      tokens.push_back(QuotedToken(line, text, pos));
    } else {
      size_t end = pos;
      while (end < text.size() && !IsSpace(text[end])) ++end;
      tokens.push_back({std::string(text.substr(pos, end - pos)), false});
      pos = end;
    }
  }
  return tokens;
}

bool IsCommentOrBlank(std::string_view text) {
  size_t first = text.find_first_not_of(" \t\r");
  return first == std::string_view::npos || text[first] == '#';
}

std::optional<int64_t> ParseInteger(std::string_view text) {
  const bool negative = !text.empty() && text[0] == '-';
  if (negative) text.remove_prefix(1);
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  int64_t magnitude = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (text.empty() || text[0] == '-' || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return negative ? -magnitude : magnitude;
}

bool IsNameByte(unsigned char c, bool first) {
  if (c >= 0x80 || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
  return !first && c >= '0' && c <= '9';
}

}  // namespace

void Fail(const Line& line, const std::string& message) {
  throw Error(line.where + ": " + message);
}

void ExpectArgs(const Line& line, size_t count) {
  if (line.args.size() != count)
    Fail(line, "'" + line.key + "' takes " + std::to_string(count) + " value(s), not " +
                   std::to_string(line.args.size()));
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    lines.push_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

std::vector<Line> ReadLines(const SourceFile& file) {
  std::vector<Line> lines;
  const auto contents = SplitLines(file.text);
  for (size_t i = 0; i < contents.size(); ++i) {
    const std::string_view content = contents[i];
    if (IsCommentOrBlank(content)) continue;
    Line line{file.path + ":" + std::to_string(i + 1), {}, {}};
    line.args = Tokenize(line, content);
    if (line.args.front().quoted) Fail(line, "a line starts with a key, not a quoted text");
    line.key = std::move(line.args.front().text);
    line.args.erase(line.args.begin());
    lines.push_back(std::move(line));
  }
  return lines;
}

template <class T>
T ParseNumber(const Line& line, const Token& token) {
  if (token.quoted) Fail(line, "expected a number, found the text \"" + token.text + "\"");
  auto value = ParseInteger(token.text);
  if (!value) Fail(line, "'" + token.text + "' is not a number");
  if (!std::in_range<T>(*value)) Fail(line, "number " + token.text + " out of range");
  return static_cast<T>(*value);
}

template uint8_t ParseNumber<uint8_t>(const Line&, const Token&);
template uint16_t ParseNumber<uint16_t>(const Line&, const Token&);
template uint32_t ParseNumber<uint32_t>(const Line&, const Token&);
template int32_t ParseNumber<int32_t>(const Line&, const Token&);

namespace {

// The template holds GBK: ASCII, and pairs of a lead byte 0x81..0xFE and a trail byte
// 0x40..0xFE other than 0x7F. The conversion gives GB18030, whose four-byte characters GBK
// does not have, and escapes for bytes that are no UTF-8.
bool HoldsOnlyGbk(std::string_view gb18030) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(gb18030[i]); };
  for (size_t i = 0; i < gb18030.size(); ++i) {
    if (byte(i) < 0x80) continue;
    if (byte(i) == 0x80 || byte(i) == 0xFF || i + 1 == gb18030.size()) return false;
    ++i;
    if (byte(i) < 0x40 || byte(i) == 0x7F || byte(i) == 0xFF) return false;
  }
  return true;
}

}  // namespace

std::string ToGbk(const Line& line, const std::string& utf8) {
  std::string gbk = rt::Utf8ToGbk(utf8);
  if (!HoldsOnlyGbk(gbk)) Fail(line, "\"" + utf8 + "\" holds characters that GBK cannot hold");
  return gbk;
}

std::string ParseGbkText(const Line& line, const Token& token) {
  if (!token.quoted) Fail(line, "expected a quoted text, found '" + token.text + "'");
  return ToGbk(line, token.text);
}

std::string ParseName(const Line& line, const Token& token) {
  const std::string& name = token.text;
  bool valid = !name.empty();
  for (size_t i = 0; valid && i < name.size(); ++i)
    valid = IsNameByte(static_cast<unsigned char>(name[i]), i == 0);
  if (!valid) Fail(line, "'" + name + "' is not a valid name");
  return name;
}

}  // namespace formc
