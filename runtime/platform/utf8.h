// Reading UTF-8, the system's encoding here and the toolkit's everywhere.
#pragma once

#include <cstddef>
#include <string_view>

namespace rt {

// The length of the well-formed UTF-8 sequence at the start of `utf8` and its code point
// in `code`; 0 (and `code` untouched) when no such sequence starts there: a stray or
// missing continuation byte, an overlong form, a surrogate or a code point past U+10FFFF.
size_t DecodeUtf8(std::string_view utf8, char32_t* code);

// The length in bytes of the character at the start of UTF-8 text; a byte that does not
// start a well-formed sequence counts as a character of its own.
size_t Utf8CharacterLength(std::string_view utf8);

}  // namespace rt
