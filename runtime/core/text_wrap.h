// Breaking text into lines for labels with word wrap and for the balloon tips.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

// The width in pixels of a piece of UTF-8 text in the font it is drawn in.
using TextWidth = std::function<int(std::string_view utf8)>;

// Breaks UTF-8 text into lines no wider than `max_width` where that can be done: a line
// may break next to a CJK character (but not before closing punctuation such as "，"),
// after a space, and at every line feed. Runs of other characters (numbers such as
// "6.6/√3") stay together unless one alone is wider than a line.
std::vector<std::string> WrapText(std::string_view utf8, int max_width, const TextWidth& width);

}  // namespace rt
