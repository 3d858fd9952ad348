#include <benchmark/benchmark.h>

#include "skin/engine/skin_format.h"
#include "skin/skin_data.h"

// Reading a skin is all the engine does with the caller's bytes before theming.
static void BM_DecodeSkin19(benchmark::State& state) {
  const std::span<const uint8_t> bytes = skin::EmbeddedSkin(19);
  for (auto _ : state) benchmark::DoNotOptimize(skin::Decode(bytes));
}
BENCHMARK(BM_DecodeSkin19);

// The program finds its skin by walking the pack; the last one walks furthest.
static void BM_FindLastEmbeddedSkin(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(skin::EmbeddedSkin(skin::kEmbeddedSkinCount));
}
BENCHMARK(BM_FindLastEmbeddedSkin);
