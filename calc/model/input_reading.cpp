#include "calc/model/input_reading.h"

#include <algorithm>

#include "calc/model/numbers.h"

namespace calc {

float InputReader::Number(const char* symbol, std::string text) {
  const float value = NumberOf(text);
  return Noted(symbol, std::move(text), value);
}

int32_t InputReader::Integer(const char* symbol, std::string text) {
  const int32_t value = IntegerOf(text);
  return Noted(symbol, std::move(text), value);
}

int32_t InputReader::Truncated(const char* symbol, std::string text) {
  const int32_t value = TruncatedOf(text);
  return Noted(symbol, std::move(text), value);
}

void InputReader::Choice(std::string text, int32_t item) {
  readings_.push_back({"", std::move(text), double(item), true});
}

std::vector<NamedValue> NamedInputs(const std::vector<InputReading>& inputs,
                                    const std::vector<std::string>& captions) {
  std::vector<NamedValue> named;
  for (size_t i = 0; i < inputs.size(); ++i)
    named.push_back({i < captions.size() ? captions[i] : "", inputs[i].text, inputs[i].value,
                     inputs[i].choice});
  return named;
}

std::vector<NamedValue> NamedInputsWith(const std::vector<InputReading>& inputs,
                                        const std::vector<std::string>& captions,
                                        std::initializer_list<std::string_view> symbols) {
  const std::vector<NamedValue> named = NamedInputs(inputs, captions);
  std::vector<NamedValue> chosen;
  for (size_t i = 0; i < inputs.size(); ++i)
    if (std::find(symbols.begin(), symbols.end(), inputs[i].symbol) != symbols.end())
      chosen.push_back(named[i]);
  return chosen;
}

}  // namespace calc
