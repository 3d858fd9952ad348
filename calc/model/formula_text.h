// A formula as the calculation sheet prints it, kept beside the code that evaluates it so
// that the two cannot drift apart (the model's tests evaluate every text).
#pragma once

namespace calc {

// The text on the voltage pages and on the current pages. "{F}" and "{C}" stand for the
// current page's constants, "{S}" for what its relay sees; null where those pages have no
// such formula.
struct FormulaText {
  const char* voltage;
  const char* current;
};

}  // namespace calc
