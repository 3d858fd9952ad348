// The script line format on arbitrary bytes: lines are read within their bound, split into
// pieces that put the line back together, and numbers are read only where they stand
// whole and fit.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "runtime/platform/gbk.h"
#include "runtime/platform/utf8.h"
#include "tools/capcalc-script/script_line.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

void CheckSplit(const std::string& text) {
  const std::optional<script::Line> line = script::SplitLine(text);
  std::string_view whole = text;
  if (!whole.empty() && whole.back() == '\r') whole.remove_suffix(1);
  if (!line) {
    // Skipped: lines of nothing but spaces and tabs, and comments.
    Require(whole.find_first_not_of(" \t") == std::string_view::npos || whole.front() == '#');
    return;
  }
  Require(line->command.find(' ') == std::string::npos &&
          line->name.find(' ') == std::string::npos);
  std::string joined = line->command;
  if (line->has_name) joined += " " + line->name;
  if (!line->rest.empty()) joined += " " + line->rest;
  // A line ending in the space after NAME loses only that space.
  Require(joined == whole || joined + " " == whole);
}

void CheckNumbers(const std::string& text) {
  const std::optional<int> number = script::ParseNumber<int>(text);
  const std::optional<long long> wide = script::ParseNumber<long long>(text);
  if (number)
    Require(script::IsWholeNumber(text) && wide == *number &&
            std::to_string(*number).size() <= text.size());
  if (wide && *wide >= INT32_MIN && *wide <= INT32_MAX) Require(number == *wide);
  if (!script::IsWholeNumber(text)) Require(!wide);
}

// At most 80 characters of the text, then "…" if anything was cut.
void CheckExcerpt(const std::string& text) {
  std::string excerpt = script::Excerpt(text);
  const std::string mark = reinterpret_cast<const char*>(u8"…");
  if (excerpt != text) {
    Require(excerpt.size() >= mark.size() && excerpt.ends_with(mark));
    excerpt.resize(excerpt.size() - mark.size());
    Require(text.starts_with(excerpt));
  }
  size_t characters = 0;
  for (size_t at = 0; at < excerpt.size();
       at += rt::Utf8CharacterLength(std::string_view(excerpt).substr(at)))
    ++characters;
  Require(characters <= 80);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  std::string text;
  size_t consumed = 0;
  for (script::LineRead read; (read = script::ReadLine(in, &text)) != script::LineRead::kEnd;) {
    if (read == script::LineRead::kTooLong) {
      Require(text.size() == script::kMaxLineBytes);
      return 0;
    }
    Require(text.find('\n') == std::string::npos);
    consumed += text.size() + 1;
    CheckSplit(text);
    CheckNumbers(text);
    const std::optional<script::Line> line = script::SplitLine(text);
    if (line) CheckNumbers(line->rest);
    CheckExcerpt(text);
  }
  Require(consumed >= size && consumed <= size + 1);
  return 0;
}
