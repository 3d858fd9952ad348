// The inputs of a calculation as its page reads them: each text kept as the value the
// page holds (through the runtime's conversions) and noted, in the page's order, for the
// calculation sheet.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "calc/model/warnings.h"

namespace calc {

// An input as the page read it: the text typed and the value held from it.
struct InputReading {
  const char* symbol;  // as the formulas name it; empty for a choice named by no formula
  std::string text;
  double value = 0;
  bool choice = false;  // a picked item, not a number
};

class InputReader {
 public:
  explicit InputReader(std::vector<InputReading>& readings) : readings_(readings) {}

  // Each keeps the text it is given in the reading.
  float Number(const char* symbol, std::string text);       // text-to-number
  int32_t Integer(const char* symbol, std::string text);    // text-to-integer
  int32_t Truncated(const char* symbol, std::string text);  // text-to-number, truncated
  void Choice(std::string text, int32_t item);

 private:
  template <class Value>
  Value Noted(const char* symbol, std::string text, Value value) {
    readings_.push_back({symbol, std::move(text), double(value)});
    return value;
  }

  std::vector<InputReading>& readings_;
};

// The inputs as the warnings name them, by the captions beside their boxes (one per
// input, in their order).
std::vector<NamedValue> NamedInputs(const std::vector<InputReading>& inputs,
                                    const std::vector<std::string>& captions);
// Those of them the formulas name by one of the symbols, in the inputs' order.
std::vector<NamedValue> NamedInputsWith(const std::vector<InputReading>& inputs,
                                        const std::vector<std::string>& captions,
                                        std::initializer_list<std::string_view> symbols);

}  // namespace calc
