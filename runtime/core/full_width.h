// Full-width folding: typed numbers may come from a Chinese input method in its
// full-width mode ("１２．５"), and are read as if typed in plain ASCII.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// Walks the GBK bytes of `gbk` (the whole view is the text) and returns a new string in
// which the full-width forms "！".."￣" become ASCII "!".."~", the ideographic space a
// space, "～" "~" and "☆" "★" "*"; every other character is kept as it is. A lead byte
// with nothing after it is dropped. With `drop_spaces` on, spaces of either width go.
// The result is never longer than the text.
std::string FoldFullWidth(std::string_view gbk, bool drop_spaces);

// True when the text has no byte of 0x80 or above, so that folding it without dropping
// spaces would give it back unchanged.
bool IsSingleByteText(std::string_view gbk);

}  // namespace rt
