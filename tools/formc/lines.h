// The line structure of the window description: each line is a key followed by arguments,
// bare words or "quoted texts"; blank lines and lines starting with # are skipped.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace formc {

// A fault in the description or in a file it names; the message starts with "file:line: ".
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct SourceFile {
  std::string path;  // as it appears in messages
  std::string text;
};

struct Token {
  std::string text;
  bool quoted = false;
};

struct Line {
  std::string where;  // "file:line"
  std::string key;
  std::vector<Token> args;
};

std::vector<Line> ReadLines(const SourceFile& file);

// The lines of a text without their line ends; line 1 is element 0.
std::vector<std::string_view> SplitLines(std::string_view text);

[[noreturn]] void Fail(const Line& line, const std::string& message);

// The line must have exactly `count` arguments.
void ExpectArgs(const Line& line, size_t count);

// A bare decimal or 0x-prefixed hexadecimal integer, optionally negative, that fits T.
template <class T>
T ParseNumber(const Line& line, const Token& token);

// UTF-8 converted to GBK; fails for characters GBK cannot hold.
std::string ToGbk(const Line& line, const std::string& utf8);

// A quoted UTF-8 text, converted to GBK.
std::string ParseGbkText(const Line& line, const Token& token);

// A control or constant name, which becomes a C++ identifier in the generated header:
// ASCII letters, digits and "_" or any non-ASCII character, not starting with a digit.
std::string ParseName(const Line& line, const Token& token);

extern template uint8_t ParseNumber<uint8_t>(const Line&, const Token&);
extern template uint16_t ParseNumber<uint16_t>(const Line&, const Token&);
extern template uint32_t ParseNumber<uint32_t>(const Line&, const Token&);
extern template int32_t ParseNumber<int32_t>(const Line&, const Token&);

}  // namespace formc
