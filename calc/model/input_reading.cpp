#include "calc/model/input_reading.h"

#include "calc/model/numbers.h"

namespace calc {

float InputReader::Number(const char* symbol, const std::string& text) { return Noted(symbol, text, NumberOf(text)); }

int32_t InputReader::Integer(const char* symbol, const std::string& text) {
  return Noted(symbol, text, IntegerOf(text));
}

int32_t InputReader::Truncated(const char* symbol, const std::string& text) {
  return Noted(symbol, text, TruncatedOf(text));
}

void InputReader::Choice(const std::string& text, int32_t item) { readings_.push_back({"", text, double(item), true}); }

std::vector<NamedValue> NamedInputs(const std::vector<InputReading>& inputs, const std::vector<std::string>& captions) {
  std::vector<NamedValue> named;
  for (size_t i = 0; i < inputs.size(); ++i)
    named.push_back({i < captions.size() ? captions[i] : "", inputs[i].text, inputs[i].value, inputs[i].choice});
  return named;
}

}  // namespace calc
