#include <benchmark/benchmark.h>

#include "runtime/platform/gbk.h"

// Every text crosses this boundary on its way to the screen or a script's output.
static void BM_GbkToUtf8Caption(benchmark::State& state) {
  const std::string caption = "单台电容器内部元件击穿段数的百分比β（50%-70%）";
  for (auto _ : state) benchmark::DoNotOptimize(rt::GbkToUtf8(caption));
}
BENCHMARK(BM_GbkToUtf8Caption);
