// UTF-16, the text of the system's wide interfaces, and the inside texts.
#pragma once

#include <string>
#include <string_view>

namespace rt::platform {

// UTF-8 and UTF-16 both hold every character, so these lose nothing of well-formed text;
// an unpaired surrogate of the system (which no file name should hold) becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

// The exact path an inside text stands for, and back: through the lossless crossing of
// gbk.h, so that bytes without a character come back as themselves.
std::wstring WidePath(const std::string& inside);
std::string InsideFromWide(std::wstring_view wide);

}  // namespace rt::platform
