#include "tools/capcalc-script/script_line.h"

#include <istream>

#include "runtime/platform/gbk.h"
#include "runtime/platform/utf8.h"

namespace script {
namespace {

constexpr size_t kExcerptCharacters = 80;

}  // namespace

std::optional<Line> SplitLine(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  const bool blank = text.find_first_not_of(" \t") == std::string_view::npos;
  if (blank || text.front() == '#') return std::nullopt;
  Line line;
  size_t first = text.find(' ');
  line.command = std::string(text.substr(0, first));
  if (first == std::string_view::npos) return line;
  std::string_view after = text.substr(first + 1);
  size_t second = after.find(' ');
  line.has_name = true;
  line.name = std::string(after.substr(0, second));
  if (second != std::string_view::npos) line.rest = std::string(after.substr(second + 1));
  return line;
}

LineRead ReadLine(std::istream& in, std::string* line) {
  line->clear();
  std::streambuf& source = *in.rdbuf();
  constexpr int kEnd = std::char_traits<char>::eof();
  for (int c = source.sbumpc(); c != kEnd; c = source.sbumpc()) {
    if (c == '\n') return LineRead::kLine;
    if (line->size() == kMaxLineBytes) return LineRead::kTooLong;
    line->push_back(static_cast<char>(c));
  }
  return line->empty() ? LineRead::kEnd : LineRead::kLine;
}

bool IsWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

std::string Excerpt(std::string_view utf8) {
  size_t end = 0;
  for (size_t characters = 0; end < utf8.size() && characters < kExcerptCharacters; ++characters)
    end += rt::Utf8CharacterLength(utf8.substr(end));
  std::string excerpt(utf8.substr(0, end));
  if (end < utf8.size()) excerpt += reinterpret_cast<const char*>(u8"…");
  return excerpt;
}

std::string Quoted(std::string_view utf8) { return "\"" + Excerpt(utf8) + "\""; }

std::string CannotWrite(std::string_view utf8_path, std::string_view reason) {
  return "cannot write " + Quoted(utf8_path) + (reason.empty() ? "" : ": " + rt::GbkToUtf8(reason));
}

}  // namespace script
