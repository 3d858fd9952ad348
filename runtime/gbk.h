// Texts are GBK inside the runtime (string literals are compiled as GBK); they become UTF-8
// only where they meet the toolkit, the terminal or a script file.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// Bytes that are not valid GBK map to private-use characters U+F780..U+F7FF (0x80 + byte),
// and Utf8ToGbk maps those back, so any byte string survives the round trip.
std::string GbkToUtf8(std::string_view gbk);

// Characters that GBK cannot hold, and bytes that are not valid UTF-8, become "?".
std::string Utf8ToGbk(std::string_view utf8);

// The length in bytes of the character at the start of UTF-8 text; a byte that does not
// start a well-formed sequence counts as a character of its own.
size_t Utf8CharacterLength(std::string_view utf8);

}  // namespace rt
