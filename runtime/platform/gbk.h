// Texts are GBK inside the runtime (string literals are compiled as GBK); they become UTF-8
// only where they meet the toolkit, the terminal or a script file.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// Texts cross between the two without loss. Characters convert as GB18030, the superset of
// GBK that has the same bytes for every GBK character and a form for every other one.
// Whatever cannot cross as a character crosses as escape characters U+F780..U+F7FF
// (U+F700 + byte): a byte of the system's text that is no character, or that belongs to a
// character without a GB18030 form that converts back unchanged, becomes its escape
// character inside; an inside byte that starts no character becomes its escape character
// in UTF-8. An escape character crosses as its raw byte (as its escaped bytes where that
// byte would join the next into a character), and so comes back as itself.
//
// Every byte string of the system (a file name that is not valid UTF-8, say) therefore
// comes back exactly: GbkToUtf8(Utf8ToGbk(s)) == s for every s. Every inside text comes
// back exactly too, unless it holds escape characters itself.
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// For documents that other programs read, which must hold text only: as GbkToUtf8, but
// whatever is no character (a byte that crosses raw, an escape character) becomes U+FFFD,
// the replacement character, so that the result is always valid UTF-8.
std::string GbkToUtf8Text(std::string_view gbk);

// Where the last `ascii` byte stands in the inside text as a character of its own; npos
// when it does not. The second byte of a double-byte character may be any byte from 0x40
// on, "\" among them: a path is cut at its separators, never inside a character.
size_t FindLastAsciiCharacter(std::string_view gbk, char ascii);

}  // namespace rt
