// GB18030's four-byte characters, computed: for systems that lack the code page.
#pragma once

#include <string>
#include <string_view>

namespace rt::platform {

// The code point of a four-byte sequence; false when it stands for none.
bool CodePointOfFourBytes(std::string_view bytes, char32_t* code_point);
// The four-byte sequence of a code point; false for one that GB18030 writes with fewer
// bytes, or not at all (a surrogate).
bool FourBytesOfCodePoint(char32_t code_point, std::string* bytes);

}  // namespace rt::platform
