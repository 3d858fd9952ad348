// What an edit box accepts from the keyboard and how it tidies its text when it loses the
// focus, by input mode.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rt {

enum EditInputMode : uint32_t {
  kFreeText = 0,
  kReadOnly = 1,
  kByteInput = 5,
  kShortInput = 6,
  kIntInput = 7,
  kLongInput = 8,
  kSingleInput = 9,
  kDoubleInput = 10,
};

// Whether typing the character is allowed: decimal boxes take digits, "-" and ".";
// integer boxes digits and "-"; read-only boxes nothing. Control characters always pass.
bool AcceptsCharacter(uint32_t mode, char32_t character);

// Keeps what the box accepts of a UTF-8 text (pasting is filtered like typing).
std::string FilterText(uint32_t mode, std::string_view utf8);

// What a paste of the UTF-8 text puts into the box: the text as it stands, without the
// blanks and line breaks at its end (a copied cell or line ends in one); nullopt when the
// box refuses any of its characters, so that a paste is taken whole or not at all. In the
// boxes that filter, a control character inside the text counts as refused: it would
// only corrupt the number.
std::optional<std::string> AcceptedPaste(uint32_t mode, std::string_view utf8);

// The text a box shows after losing the focus, or nullopt to leave it as it is. Decimal
// boxes rewrite the number in its text form (single precision: 6 significant digits),
// integer boxes in plain decimal after clamping to the mode's range; a number that reads
// as 0 empties the box. GBK in and out.
std::optional<std::string> TidiedText(uint32_t mode, const std::string& gbk);

}  // namespace rt
