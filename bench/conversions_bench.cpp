#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "runtime/core/conversions.h"
#include "runtime/core/heap.h"

namespace {

// Results as the pages produce them: single-precision inputs through double arithmetic.
constexpr double kResults[] = {157.4803173257, 0.7874015808105,  2610.531615265,
                               1.0 / 3,        12345678901234.5, 0.00001234};

constexpr const char* kInputs[] = {"6.35", "3000", "0.95", "1.15", "  12.5kV", "１２．５"};

// The same number of values for every benchmark, so the figures compare per call.
template <typename Array>
const auto& Cycle(const Array& values, size_t& i) {
  const auto& value = values[i];
  i = (i + 1) % std::size(values);
  return value;
}

void BM_ToTextDouble(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    const rt::Value argument = rt::MakeDouble(Cycle(kResults, i));
    const rt::HeapText text(rt::CallCommand(rt::ToText, 1, &argument));
    benchmark::DoNotOptimize(text.get());
  }
}
BENCHMARK(BM_ToTextDouble);

// The library's own "%.13g" into a stack buffer: no heap block at all.
void BM_SnprintfDouble(benchmark::State& state) {
  size_t i = 0;
  char text[32];
  for (auto _ : state) {
    std::snprintf(text, sizeof text, "%.13g", Cycle(kResults, i));
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_SnprintfDouble);

void BM_ToNumberText(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    const rt::Value argument = rt::MakeText(Cycle(kInputs, i));
    benchmark::DoNotOptimize(rt::CallCommand(rt::ToNumber, 1, &argument));
  }
}
BENCHMARK(BM_ToNumberText);

// strtod and a cast, without the full-width folding the command also does.
void BM_StrtodText(benchmark::State& state) {
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(static_cast<float>(std::strtod(Cycle(kInputs, i), nullptr)));
  }
}
BENCHMARK(BM_StrtodText);

const std::string& LongDigits() {
  static const std::string digits = "0." + std::string(100000, '3');
  return digits;
}

void BM_ToNumberLongText(benchmark::State& state) {
  const rt::Value argument = rt::MakeText(LongDigits().c_str());
  for (auto _ : state) benchmark::DoNotOptimize(rt::CallCommand(rt::ToNumber, 1, &argument));
}
BENCHMARK(BM_ToNumberLongText);

void BM_StrtodLongText(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(static_cast<float>(std::strtod(LongDigits().c_str(), nullptr)));
  }
}
BENCHMARK(BM_StrtodLongText);

}  // namespace
