#include "tests/model/formula_evaluator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace testing_support {
namespace {

// Every symbol the sheet's formulas use; the longest that fits is read first, so that
// "Kv" is not K times v, while "3MNmn" is 3·M·N·m·n.
const std::vector<std::string>& Symbols() {
  static const std::vector<std::string> symbols = [] {
    std::vector<std::string> all = {
        "Uψ",    "U1",    "U2",   "Us",   "Uch", "Udz", "Uc",  "UN",    "Usys",  "Iψ",
        "Ich",   "Idz",   "IN",   "Irun", "CT",  "Klm", "Kv",  "Kr",    "K",     "QN",
        "Qout",  "Qcomp", "Xc",   "XL",   "ft",  "f",   "nCT", "cosφ1", "cosφ2", "cosφ",
        "tanφ1", "tanφ2", "tanφ", "M",    "N",   "m",   "n",   "β",     "D",     "G",
        "R",     "T",     "F",    "V",    "S",   "P"};
    std::sort(all.begin(), all.end(),
              [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return all;
  }();
  return symbols;
}

class Parser {
 public:
  Parser(std::string_view text, const Values& values) : text_(text), values_(values) {}

  std::optional<double> Whole() {
    std::optional<double> value = Sum();
    SkipSpaces();
    return at_ == text_.size() ? value : std::nullopt;
  }

 private:
  std::optional<double> Sum() {
    std::optional<double> value = Product();
    while (value) {
      if (Take("+")) {
        value = Add(value, Product(), 1);
      } else if (Take("-")) {
        value = Add(value, Product(), -1);
      } else {
        break;
      }
    }
    return value;
  }

  static std::optional<double> Add(std::optional<double> a, std::optional<double> b, double sign) {
    if (!a || !b) return std::nullopt;
    return *a + sign * *b;
  }

  std::optional<double> Product() {
    std::optional<double> value = Factor();
    while (value) {
      bool divide = false;
      if (Take("/")) {
        divide = true;
      } else if (!Take("×") && !Take("·") && !StartsFactor()) {
        break;
      }
      std::optional<double> next = Factor();
      if (!next) return std::nullopt;
      value = divide ? *value / *next : *value * *next;
    }
    return value;
  }

  bool StartsFactor() {
    SkipSpaces();
    if (at_ == text_.size()) return false;
    const char c = text_[at_];
    return c == '(' || std::isdigit(static_cast<unsigned char>(c)) || Ahead("√") || Ahead("取整") ||
           SymbolAhead();
  }

  std::optional<double> Factor() {
    if (Take("-")) {
      std::optional<double> value = Factor();
      return value ? std::optional(-*value) : std::nullopt;
    }
    if (Take("√")) {
      std::optional<double> value = Factor();
      return value ? std::optional(std::sqrt(*value)) : std::nullopt;
    }
    if (Take("取整")) return Rounded();
    if (Take("(")) {
      std::optional<double> value = Sum();
      return Take(")") ? value : std::nullopt;
    }
    SkipSpaces();
    if (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) return Number();
    return Symbol();
  }

  std::optional<double> Rounded() {
    if (!Take("[")) return std::nullopt;
    std::optional<double> value = Sum();
    return Take("]") && value ? std::optional(std::floor(*value)) : std::nullopt;
  }

  std::optional<double> Number() {
    const std::string rest(text_.substr(at_));
    char* end = nullptr;
    const double value = std::strtod(rest.c_str(), &end);
    at_ += static_cast<size_t>(end - rest.c_str());
    return value;
  }

  std::optional<double> Symbol() {
    for (const std::string& symbol : Symbols()) {
      if (!Ahead(symbol)) continue;
      at_ += symbol.size();
      auto found = values_.find(symbol);
      return found == values_.end() ? std::nullopt : std::optional(found->second);
    }
    return std::nullopt;
  }

  bool SymbolAhead() {
    return std::any_of(Symbols().begin(), Symbols().end(),
                       [this](const std::string& s) { return Ahead(s); });
  }

  void SkipSpaces() {
    while (at_ < text_.size() && text_[at_] == ' ') ++at_;
  }

  bool Ahead(std::string_view token) {
    SkipSpaces();
    return text_.substr(at_, token.size()) == token;
  }

  bool Take(std::string_view token) {
    if (!Ahead(token)) return false;
    at_ += token.size();
    return true;
  }

  std::string_view text_;
  const Values& values_;
  size_t at_ = 0;
};

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at = text.find(separator); at != std::string::npos;
       at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + separator.size();
  }
  parts.push_back(text.substr(start));
  return parts;
}

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  const size_t last = text.find_last_not_of(' ');
  return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

}  // namespace

std::vector<Definition> DefinitionsOf(const std::string& gbk_line) {
  std::vector<Definition> definitions;
  for (const std::string& part : Split(Split(gbk_line, "：")[0], "，")) {
    const std::string bound_prefix = "且 ";
    if (part.rfind(bound_prefix, 0) == 0) {
      const std::vector<std::string> bound = Split(part.substr(bound_prefix.size()), "≥");
      if (!definitions.empty() && bound.size() == 2)
        definitions.back().at_least = std::atof(bound[1].c_str());
      continue;
    }
    const size_t equals = part.find(" = ");
    if (equals == std::string::npos) {
      // A bare expression stands first; later parts without " = " explain ("Qout 取所示的值").
      if (definitions.empty()) definitions.push_back({"", Trimmed(part), std::nullopt});
      continue;
    }
    std::string symbol = Trimmed(part.substr(0, equals));
    if (symbol.size() > 3 && symbol.substr(symbol.size() - 3) == "(F)")
      symbol.resize(symbol.size() - 3);
    definitions.push_back({symbol, Trimmed(part.substr(equals + 3)), std::nullopt});
  }
  return definitions;
}

std::optional<double> Evaluate(const std::string& gbk_expression, const Values& values) {
  return Parser(gbk_expression, values).Whole();
}

std::optional<double> ValueOf(const Definition& definition, const Values& values) {
  std::optional<double> value = Evaluate(definition.expression, values);
  if (value && definition.at_least) value = std::max(*value, *definition.at_least);
  return value;
}

}  // namespace testing_support
