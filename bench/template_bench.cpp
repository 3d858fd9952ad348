#include <benchmark/benchmark.h>

#include "forms/main_window_template.h"
#include "forms/template.h"
#include "forms/unit_data.h"

// The runtime loads the whole template once at start, before the window can show.
static void BM_LoadMainWindowTemplate(benchmark::State& state) {
  const auto block = forms::MainWindowTemplate();
  for (auto _ : state) benchmark::DoNotOptimize(forms::ParseTemplate(block));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * block.size()));
}
BENCHMARK(BM_LoadMainWindowTemplate)->Unit(benchmark::kMicrosecond);

// Showing the window reads every control's unit data on top of that.
static void BM_ReadAllUnitData(benchmark::State& state) {
  const auto tmpl = forms::ParseTemplate(forms::MainWindowTemplate());
  for (auto _ : state)
    for (const forms::ControlRecord& record : tmpl->windows[0].records)
      benchmark::DoNotOptimize(forms::ParseUnitData(record.type_code, record.unit_data));
}
BENCHMARK(BM_ReadAllUnitData)->Unit(benchmark::kMicrosecond);
