// The headless driver's script lines: reading them with a bound on their length, splitting
// them into command, name and text, and reading the numbers they hold. Nothing here
// touches the program, so it can be tried on any input.
#pragma once

#include <charconv>
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace script {

// A longer line is refused rather than read on without end.
constexpr size_t kMaxLineBytes = size_t{1} << 20;

// A line split at single spaces: the command, then NAME, then the rest of the line
// exactly as it stands (TEXT; empty when the line ends after NAME).
struct Line {
  std::string command;
  std::string name;
  std::string rest;
  bool has_name = false;
};

// Nullopt for lines without a command: blank lines (nothing but spaces and tabs) and lines
// starting with "#".
std::optional<Line> SplitLine(std::string_view text);

// The byte order mark that Windows editors put before a UTF-8 text.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

enum class LineRead { kLine, kEnd, kTooLong };

// The next line without its line feed. Reading stops at a line of more than kMaxLineBytes;
// a stream that cannot be read throws std::ios_base::failure.
LineRead ReadLine(std::istream& in, std::string* line);

// Whether the text is a decimal whole number: an optional "-", then digits only.
bool IsWholeNumber(std::string_view text);

// The whole number the text holds, when it is one and T can hold it.
template <class T>
std::optional<T> ParseNumber(std::string_view text) {
  T value{};
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (!IsWholeNumber(text) || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

// A text from a line as a message shows it: cut after 80 characters, "…" marking the cut;
// and the same in quotes.
std::string Excerpt(std::string_view utf8);
std::string Quoted(std::string_view utf8);

// Why a file the user named was not written: the path, then the system's reason (an
// inside text) when it gave one.
std::string CannotWrite(std::string_view utf8_path, std::string_view reason);

}  // namespace script
