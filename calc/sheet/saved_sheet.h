// A saved calculation sheet read back: the page it was calculated on and each input's
// text as it stood, from the sheet's JSON, or from the HTML sheet, which carries that JSON
// in its script element "capcalc-sheet". Nothing is computed from it; the page recomputes
// when the user asks.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/model/kinds.h"

namespace calc {

// An input box and its text (GBK) as the sheet recorded them.
struct SavedInput {
  std::string control;
  std::string text;
  int item = 0;  // a choice's item that was picked (its "value"); 0 when the sheet has none
};

struct SavedSheet {
  CalculationPage page{};
  Variant variant{};
  std::vector<SavedInput> inputs;
};

// A sheet read back, or why the bytes are none (GBK, a sentence for the user).
struct SavedSheetReading {
  std::optional<SavedSheet> sheet;
  std::string problem;
};

// The id of the HTML sheet's script element that holds its JSON.
inline constexpr char kSheetScriptId[] = "capcalc-sheet";

// A saved sheet is far smaller (a page of 100 fault rows with its diagram is well under a
// megabyte); a larger file is refused unread.
inline constexpr size_t kLargestSavedSheet = 16 << 20;

// Reads the bytes of a .json or .html sheet, whichever they are.
SavedSheetReading ReadSavedSheet(std::string_view bytes);
// Reads the file at the path (GBK) and then its bytes.
SavedSheetReading ReadSavedSheetFile(const std::string& gbk_path);

}  // namespace calc
