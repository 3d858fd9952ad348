#include "runtime/core/text_wrap.h"

#include "runtime/platform/utf8.h"

namespace rt {
namespace {

struct Character {
  std::string_view bytes;
  char32_t code;
};

// The character at the start of `text`; a byte that does not start a well-formed UTF-8
// sequence counts as a character of its own.
Character NextCharacter(std::string_view text) {
  char32_t code = static_cast<unsigned char>(text[0]);
  const size_t length = DecodeUtf8(text, &code);
  return {text.substr(0, length ? length : 1), code};
}

std::vector<Character> Characters(std::string_view text) {
  std::vector<Character> characters;
  while (!text.empty()) {
    characters.push_back(NextCharacter(text));
    text.remove_prefix(characters.back().bytes.size());
  }
  return characters;
}

// CJK radicals, ideographs, kana, Hangul and the full-width forms: text in which a line
// may break between any two characters.
bool IsWide(char32_t c) { return c >= 0x2E80; }

bool IsClosing(char32_t c) {
  return std::u32string_view(U"，。、：；！？）」』》】”,.:;!?)").find(c) !=
         std::u32string_view::npos;
}

bool IsOpening(char32_t c) {
  return std::u32string_view(U"（「『《【“(").find(c) != std::u32string_view::npos;
}

bool BreakAllowed(char32_t before, char32_t after) {
  if (before == U' ') return true;
  if (IsClosing(after) || IsOpening(before)) return false;
  return IsWide(before) || IsWide(after);
}

// The pieces of a paragraph that no line break may split, each split further into its
// characters when it is too wide for a line on its own.
std::vector<std::string_view> Pieces(std::string_view paragraph, int max_width,
                                     const TextWidth& width) {
  std::vector<Character> characters = Characters(paragraph);
  std::vector<std::string_view> pieces;
  auto add = [&](size_t first, size_t end) {
    const char* start = characters[first].bytes.data();
    std::string_view piece(start, static_cast<size_t>(characters[end - 1].bytes.data() +
                                                      characters[end - 1].bytes.size() - start));
    if (end - first == 1 || width(piece) <= max_width) {
      pieces.push_back(piece);
      return;
    }
    for (size_t i = first; i < end; ++i) pieces.push_back(characters[i].bytes);
  };
  size_t first = 0;
  for (size_t i = 1; i <= characters.size(); ++i) {
    if (i == characters.size() || BreakAllowed(characters[i - 1].code, characters[i].code)) {
      add(first, i);
      first = i;
    }
  }
  return pieces;
}

void WrapParagraph(std::string_view paragraph, int max_width, const TextWidth& width,
                   std::vector<std::string>& lines) {
  std::string line;
  for (std::string_view piece : Pieces(paragraph, max_width, width)) {
    std::string longer = line + std::string(piece);
    if (!line.empty() && width(longer) > max_width) {
      lines.push_back(std::move(line));
      line = std::string(piece);
    } else {
      line = std::move(longer);
    }
  }
  lines.push_back(std::move(line));
}

}  // namespace

std::vector<std::string> WrapText(std::string_view utf8, int max_width, const TextWidth& width) {
  std::vector<std::string> lines;
  if (utf8.empty()) return lines;
  size_t start = 0;
  while (true) {
    size_t end = utf8.find('\n', start);
    std::string_view paragraph =
        utf8.substr(start, end == std::string_view::npos ? end : end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.remove_suffix(1);
    WrapParagraph(paragraph, max_width, width, lines);
    if (end == std::string_view::npos) return lines;
    start = end + 1;
  }
}

}  // namespace rt
