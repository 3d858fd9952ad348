// The calculation sheet's formulas read back as arithmetic, so that a test can check each
// text against the figures the model computes: "K = 取整[3MN(Kv - 1) / (Kv(3N - 2))]，且 K ≥ 1"
// becomes the definition of K. Products may be written with ×, · or side by side (3MN),
// √ takes the square root of what follows, 取整[...] rounds down. Texts are GBK.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

using Values = std::map<std::string, double>;

struct Definition {
  std::string symbol;              // "K", or "V" for "V(F) = ...", a function of F
  std::string expression;          // the right-hand side
  std::optional<double> at_least;  // "，且 K ≥ 1"
};

// The definitions of a formula line, its explanation after "：" left out; a part that
// defines nothing (a bare expression such as "3·IN / nCT") has an empty symbol.
std::vector<Definition> DefinitionsOf(const std::string& gbk_line);

// The expression's value with the symbols' values; none when the text is no arithmetic
// or names a symbol without a value.
std::optional<double> Evaluate(const std::string& gbk_expression, const Values& values);

// The definition's value, its lower bound applied.
std::optional<double> ValueOf(const Definition& definition, const Values& values);

}  // namespace testing_support
