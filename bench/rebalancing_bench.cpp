// Rebalancing a measured bank of 600 units, a maker's spread of capacitances, in each
// arrangement: the target is under 1 s.
#include <benchmark/benchmark.h>

#include <random>

#include "calc/model/rebalancing.h"

namespace {

calc::MeasuredBank SpreadBank(calc::CalculationPage page, int M, int N) {
  const calc::BankShape shape = *calc::ShapeOf(page, M, N);
  std::mt19937 random(2026);
  std::uniform_int_distribution<int> spread(3250, 3380);
  calc::MeasuredBank bank{shape, {}};
  for (size_t unit = 0; unit < shape.UnitCount(); ++unit)
    bank.capacitances.push_back(spread(random) / 1000.0);
  return bank;
}

void Rebalance600Units(benchmark::State& state, calc::CalculationPage page, int M, int N) {
  const calc::MeasuredBank bank = SpreadBank(page, M, N);
  for (auto _ : state) benchmark::DoNotOptimize(calc::Rebalance(bank));
}

BENCHMARK_CAPTURE(Rebalance600Units, OpenDelta_M100_N2, calc::CalculationPage::kOpenDeltaPage, 100,
                  2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Rebalance600Units, Differential_M50_N4, calc::CalculationPage::kDifferentialPage,
                  50, 4)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Rebalance600Units, NeutralLine_M40_N5, calc::CalculationPage::kNeutralLinePage,
                  40, 5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Rebalance600Units, Bridge_M20_N10, calc::CalculationPage::kBridgePage, 20, 10)
    ->Unit(benchmark::kMillisecond);

}  // namespace
