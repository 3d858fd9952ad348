// The bank's network: with equal units and K of one group removed it gives the pages'
// own closed forms; small banks give the star-point voltages worked out by hand; an
// exchange weighed on the reduced network is the exchange made.
#include "calc/model/bank_circuit.h"

#include <gtest/gtest.h>

#include <random>

#include "calc/model/fault_table.h"
#include "calc/model/protection.h"

namespace {

using calc::BankNetwork;
using calc::BankShape;
using calc::CalculationPage;

constexpr CalculationPage kProtectionPages[] = {
    CalculationPage::kOpenDeltaPage, CalculationPage::kDifferentialPage,
    CalculationPage::kNeutralLinePage, CalculationPage::kBridgePage};

BankShape Shape(CalculationPage page, int M, int N) {
  std::optional<BankShape> shape = calc::ShapeOf(page, M, N);
  EXPECT_TRUE(shape) << M << " " << N;
  return shape.value_or(BankShape{});
}

// The page's relative signal at K failed units: its formula over a whole of one, with
// the factor 3 (voltage pages) or F (current pages).
double ClosedForm(CalculationPage page, int M, int N, int K) {
  const calc::PageConstants constants = calc::ConstantsOf(page);
  calc::FaultModel model;
  model.whole = 3.0 * M * N;
  model.step = calc::UnitStep(constants, N);
  model.signal_factor = constants.f;
  return calc::Signal(model, K);
}

TEST(BankCircuitTest, EqualUnitsWithKRemovedGiveThePagesClosedForms) {
  int cases = 0;
  for (CalculationPage page : kProtectionPages)
    for (int M : {2, 4, 6, 8, 10, 12, 16, 20, 24})
      for (int N : {2, 4, 6, 8, 10}) {
        const BankShape shape = Shape(page, M, N);
        for (int K = 1; K < shape.units; ++K) {
          // The failed group somewhere else each time: phase, branch and group vary.
          const calc::UnitPosition at{K % 3, K % shape.branches, (K + M) % shape.groups, 0};
          std::vector<double> units(shape.UnitCount(), 5.17);
          for (int unit = 0; unit < K; ++unit) {
            calc::UnitPosition removed = at;
            removed.unit = unit;
            units[calc::IndexOf(shape, removed)] = 0;
          }
          const double expected = ClosedForm(page, M, N, K);
          EXPECT_NEAR(BankNetwork(shape, units).Signals().scheme, expected, expected * 1e-9)
              << int(page) << " M=" << M << " N=" << N << " K=" << K;
          ++cases;
        }
      }
  EXPECT_GT(cases, 500);
}

TEST(BankCircuitTest, OddCountsServeTheOpenDeltaPage) {
  for (int M : {3, 5, 7})
    for (int N : {1, 3, 5}) {
      const BankShape shape = Shape(CalculationPage::kOpenDeltaPage, M, N);
      std::vector<double> units(shape.UnitCount(), 1.0);
      units[calc::IndexOf(shape, {2, 0, N - 1, 0})] = 0;
      const double expected = ClosedForm(CalculationPage::kOpenDeltaPage, M, N, 1);
      EXPECT_NEAR(BankNetwork(shape, units).Signals().scheme, expected, expected * 1e-9);
    }
}

TEST(BankCircuitTest, EqualUnitsGiveNoSignalAndTheirRatedVoltage) {
  for (CalculationPage page : kProtectionPages) {
    const BankShape shape = Shape(page, 4, 4);
    const BankNetwork network(shape, std::vector<double>(shape.UnitCount(), 3.3));
    EXPECT_NEAR(network.Signals().scheme, 0, 1e-12);
    EXPECT_NEAR(network.HighestUnitVoltage(), 1, 1e-12);
  }
}

TEST(BankCircuitTest, SmallBanksGiveTheStarPointWorkedOutByHand) {
  // One unit a phase, C of 2 µF against 1 µF: V_star = (1 + a + 2a²) / 4 = a² / 4.
  const BankShape star = Shape(CalculationPage::kOpenDeltaPage, 1, 1);
  EXPECT_NEAR(BankNetwork(star, std::vector<double>{1, 1, 2}).Signals().scheme, 0.75, 1e-15);

  // Differential, two units in series a phase, A's first 1 µF and second 2 µF, the rest 1:
  // phases 2/3, 1/2, 1/2 µF, V_star = (2/3 − 1/2) / (5/3) = 0.1; A's halves share
  // 0.9 in the ratio 2:1 (0.6 and 0.3), B's and C's alike.
  const BankShape halves = Shape(CalculationPage::kDifferentialPage, 1, 2);
  const BankNetwork differential(halves, std::vector<double>{1, 2, 1, 1, 1, 1});
  const calc::RelativeSignals signals = differential.Signals();
  ASSERT_TRUE(signals.phases);
  EXPECT_NEAR((*signals.phases)[0], 0.3, 1e-15);
  EXPECT_NEAR((*signals.phases)[1], 0, 1e-15);
  EXPECT_NEAR((*signals.phases)[2], 0, 1e-15);
  EXPECT_NEAR(signals.scheme, 0.3, 1e-15);
  EXPECT_NEAR(differential.HighestUnitVoltage(), 0.6 * 2, 1e-15);

  // Two stars of one unit a phase, star 1's A 2 µF: V_star = 1/7; star 2 carries 3/7 out
  // of a nominal phase of (7/6 µF mean) × 2 / 1.
  const BankShape stars = Shape(CalculationPage::kNeutralLinePage, 2, 1);
  EXPECT_NEAR(BankNetwork(stars, std::vector<double>{2, 1, 1, 1, 1, 1}).Signals().scheme,
              (3.0 / 7) / (7.0 / 3), 1e-15);

  // A bridge of one unit an arm, A's arm 1 2 µF: A is 3 µF over 2 µF (6/5), V_star = 1/16,
  // A's current 6/5 × 15/16, of which the CT takes 2/3 − 1/2; nominal (13/12 µF) × 1.
  const BankShape bridge = Shape(CalculationPage::kBridgePage, 2, 2);
  std::vector<double> arms(12, 1.0);
  arms[0] = 2;
  const calc::RelativeSignals bridged = BankNetwork(bridge, arms).Signals();
  EXPECT_NEAR((*bridged.phases)[0], (6.0 / 5 * 15 / 16) * (1.0 / 6) / (13.0 / 12), 1e-15);
  EXPECT_NEAR((*bridged.phases)[1], 0, 1e-15);
}

TEST(BankCircuitTest, AnExchangeWeighedIsTheExchangeMade) {
  std::mt19937 random(7);
  std::normal_distribution<double> spread(3.3, 0.05);
  for (CalculationPage page : kProtectionPages) {
    const BankShape shape = Shape(page, 4, 6);
    std::vector<double> units(shape.UnitCount());
    for (double& unit : units) unit = spread(random);
    BankNetwork network(shape, units);
    std::uniform_int_distribution<size_t> any(0, units.size() - 1);
    for (int trial = 0; trial < 200; ++trial) {
      const size_t first = any(random), second = any(random);
      const double weighed = network.SchemeSignalAfterExchange(first, second);
      network.Exchange(first, second);
      std::swap(units[first], units[second]);
      EXPECT_NEAR(weighed, BankNetwork(shape, units).Signals().scheme, 1e-13);
      EXPECT_NEAR(network.Signals().scheme, BankNetwork(shape, units).Signals().scheme, 1e-15);
    }
  }
}

TEST(BankCircuitTest, CountsThatDoNotAllowTheArrangementAreRefused) {
  EXPECT_FALSE(calc::ShapeOf(CalculationPage::kOpenDeltaPage, 0, 2));
  EXPECT_FALSE(calc::ShapeOf(CalculationPage::kDifferentialPage, 4, 3));
  EXPECT_FALSE(calc::ShapeOf(CalculationPage::kNeutralLinePage, 3, 2));
  EXPECT_FALSE(calc::ShapeOf(CalculationPage::kBridgePage, 4, 1));
  EXPECT_FALSE(calc::ShapeOf(CalculationPage::kOpenDeltaPage, 1000000000, 1000));
  EXPECT_FALSE(calc::ShapeOf(CalculationPage::kCapacitorPage, 2, 2));
  EXPECT_TRUE(calc::ShapeOf(CalculationPage::kOpenDeltaPage, 3, 1));
}

TEST(BankCircuitTest, PositionsAreNamedAsTheBankIsBuilt) {
  const BankShape star = Shape(CalculationPage::kOpenDeltaPage, 4, 2);
  EXPECT_EQ(calc::PositionName(star, {0, 0, 0, 2}), "A相1串3号");
  const BankShape bridge = Shape(CalculationPage::kBridgePage, 4, 4);
  const calc::UnitPosition at{2, 3, 1, 0};
  EXPECT_EQ(calc::PositionName(bridge, at), "C相4臂2串1号");
  const calc::UnitPosition back = calc::PositionOf(bridge, calc::IndexOf(bridge, at));
  EXPECT_EQ(calc::PositionName(bridge, back), "C相4臂2串1号");
  EXPECT_EQ(calc::PositionName(Shape(CalculationPage::kNeutralLinePage, 4, 2), {1, 1, 0, 0}),
            "B相2星1串1号");
}

}  // namespace
