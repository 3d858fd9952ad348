// The protection pages' model without a window: the worked examples digit for digit, the
// inputs the pages list as edge cases, the whole-number rule for K and the order in which
// each page reads its inputs.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

#include "calc/model/numbers.h"
#include "calc/model/protection.h"
#include "calc/model/protection_analysis.h"
#include "runtime/core/number_format.h"

namespace {

using namespace calc;
using enum CalculationPage;
using enum Variant;

// The worked examples' banks: Uψ = U1 = 6.35 kV, U2 = 0.1 kV (Us = 100 V), M = 10, N = 1
// on the voltage pages; Iψ = 288.7 A, CT = 40, M = 8, N = 2 on the current pages; β = 0.5,
// Kv = 1.1 (external) or 1.15 (internal), Klm = 1.3, m = 14, n = 4.
ProtectionTexts WorkedBank(CalculationPage page, Variant variant) {
  ProtectionTexts texts;
  texts.Uψ = texts.U1 = "6.35";
  texts.U2 = "0.1";
  texts.Iψ = "288.7";
  texts.CT = "40";
  texts.M = MeasuresVoltage(page) ? "10" : "8";
  texts.N = MeasuresVoltage(page) ? "1" : "2";
  texts.β = "0.5";
  texts.Kv = variant == kInternalFuses ? "1.15" : "1.1";
  texts.Klm = "1.3";
  texts.m = "14";
  texts.n = "4";
  return texts;
}

std::string SettingOf(CalculationPage page, Variant variant, const ProtectionTexts& texts) {
  return CalculateProtection(page, variant, texts).setting_text;
}

struct WorkedExample {
  CalculationPage page;
  Variant variant;
  const char* setting;
  float computed_K;  // 0 for fuseless
  float K;
};

class WorkedExampleTest : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExampleTest, SettingAndFailedCount) {
  const WorkedExample& example = GetParam();
  const ProtectionOutcome outcome =
      CalculateProtection(example.page, example.variant, WorkedBank(example.page, example.variant));
  EXPECT_EQ(outcome.setting_text, example.setting);
  EXPECT_NEAR(outcome.values.computed_K, example.computed_K, 0.001);
  EXPECT_EQ(outcome.values.K, example.K);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, WorkedExampleTest,
    ::testing::Values(WorkedExample{kOpenDeltaPage, kFuseless, "7.444169244186", 0, 0},
                      WorkedExample{kOpenDeltaPage, kExternalFuses, "16.48351729773", 2.727, 2},
                      WorkedExample{kOpenDeltaPage, kInternalFuses, "0.3081031142053", 2.408, 2},
                      WorkedExample{kDifferentialPage, kFuseless, "7.444169244186", 0, 0},
                      WorkedExample{kDifferentialPage, kExternalFuses, "16.48351729773", 2.727, 2},
                      WorkedExample{kDifferentialPage, kInternalFuses, "0.3081031142053", 2.408, 2},
                      WorkedExample{kNeutralLinePage, kFuseless, "0.1514160917875", 0, 0},
                      WorkedExample{kNeutralLinePage, kExternalFuses, "0.2031191570252", 0.623, 1},
                      WorkedExample{kNeutralLinePage, kInternalFuses, "0.006980624735791", 2.322,
                                    2},
                      WorkedExample{kBridgePage, kFuseless, "0.3203032684437", 0, 0},
                      WorkedExample{kBridgePage, kExternalFuses, "0.3785402409312", 1.091, 1},
                      WorkedExample{kBridgePage, kInternalFuses, "0.01392622887588", 2.369, 2}));

TEST(ProtectionModelTest, SignalsHeldInSinglePrecision) {
  EXPECT_EQ(CalculateProtection(kOpenDeltaPage, kFuseless, WorkedBank(kOpenDeltaPage, kFuseless))
                .values.Uch,
            9.677419662476f);
  EXPECT_EQ(
      CalculateProtection(kNeutralLinePage, kFuseless, WorkedBank(kNeutralLinePage, kFuseless))
          .values.Ich,
      0.1968409121037f);
  EXPECT_EQ(
      CalculateProtection(kBridgePage, kFuseless, WorkedBank(kBridgePage, kFuseless)).values.Ich,
      0.4163942337036f);
  EXPECT_EQ(CalculateProtection(kOpenDeltaPage, kExternalFuses,
                                WorkedBank(kOpenDeltaPage, kExternalFuses))
                .values.Us,
            100.0f);
}

TEST(ProtectionModelTest, VoltagePageEdgeCases) {
  ProtectionTexts texts = WorkedBank(kOpenDeltaPage, kExternalFuses);
  texts.M = "2";  // one failure already: K = 1, Uch = 60
  ProtectionOutcome outcome = CalculateProtection(kOpenDeltaPage, kExternalFuses, texts);
  EXPECT_EQ(outcome.setting_text, "46.15384784676");
  EXPECT_EQ(outcome.values.Uch, 60.0f);
  EXPECT_NEAR(outcome.values.computed_K, 0.545, 0.001);
  texts.Kv = "";  // K not a number: one failed unit, whatever Kv
  EXPECT_EQ(SettingOf(kOpenDeltaPage, kExternalFuses, texts), "46.15384784676");
  texts.M = "10";
  EXPECT_EQ(SettingOf(kOpenDeltaPage, kExternalFuses, texts), "7.957560024172");

  texts = WorkedBank(kDifferentialPage, kFuseless);
  texts.U2 = "";  // infinite ratio: Us = 0
  EXPECT_EQ(SettingOf(kDifferentialPage, kFuseless, texts), "0");
  texts = WorkedBank(kDifferentialPage, kFuseless);
  texts.M = texts.N = "";  // Q = −2β
  EXPECT_EQ(SettingOf(kDifferentialPage, kFuseless, texts), "-115.3846196169");
  texts = WorkedBank(kDifferentialPage, kFuseless);
  texts.Klm = "";
  EXPECT_EQ(SettingOf(kDifferentialPage, kFuseless, texts), "1.#INF");
  texts.U2 = "";
  EXPECT_EQ(SettingOf(kDifferentialPage, kFuseless, texts), "-1.#IND");
}

TEST(ProtectionModelTest, CurrentPageEdgeCases) {
  for (CalculationPage page : {kNeutralLinePage, kBridgePage}) {
    ProtectionTexts texts = WorkedBank(page, kFuseless);
    const std::string forty = SettingOf(page, kFuseless, texts);
    texts.CT = "40.9";  // counts as 40
    EXPECT_EQ(SettingOf(page, kFuseless, texts), forty);
    texts.CT = "";
    EXPECT_EQ(SettingOf(page, kFuseless, texts), "1.#INF");
    texts.Iψ = "";
    EXPECT_EQ(SettingOf(page, kFuseless, texts), "-1.#IND");
  }
  ProtectionTexts texts = WorkedBank(kNeutralLinePage, kExternalFuses);
  texts.M = "12";
  texts.N = "1";
  EXPECT_EQ(SettingOf(kNeutralLinePage, kExternalFuses, texts), "0.7570804818623");  // K = 3
  const ProtectionOutcome bridge = CalculateProtection(kBridgePage, kExternalFuses, texts);
  EXPECT_EQ(bridge.setting_text, "0.4383097405914");  // 6N − 8 < 0: K < 0 becomes 1
  EXPECT_NEAR(bridge.values.computed_K, -1.636, 0.001);
  EXPECT_EQ(bridge.values.K, 1.0f);
}

// m and n are read as numbers and cut: "1.4e1" is 14 and "0.49e1" 4. M and N are read as
// whole numbers, and a CT ratio beyond 32 bits is the most negative integer.
TEST(ProtectionModelTest, HowCountsAreRead) {
  for (CalculationPage page : {kOpenDeltaPage, kNeutralLinePage}) {
    ProtectionTexts texts = WorkedBank(page, kInternalFuses);
    const std::string worked = SettingOf(page, kInternalFuses, texts);
    texts.m = "1.4e1";
    texts.n = "0.49e1";
    EXPECT_EQ(SettingOf(page, kInternalFuses, texts), worked);
  }
  ProtectionTexts texts = WorkedBank(kBridgePage, kInternalFuses);
  texts.CT = "-2147483648";
  const std::string most_negative = SettingOf(kBridgePage, kInternalFuses, texts);
  for (const char* huge : {"1e30", "-1e30", "3000000000", "1e39"}) {
    texts.CT = huge;
    EXPECT_EQ(SettingOf(kBridgePage, kInternalFuses, texts), most_negative) << huge;
  }
}

// Below 1 by more than 0.0000001 counts as one failed unit; closer to 1 it is the integer
// part, so the single-precision number just below 1 (0.99999994) gives 0 and the next one
// down (0.99999988) gives 1.
TEST(ProtectionModelTest, WholeNumberRuleForTheFailedCount) {
  EXPECT_EQ(WholeFailedCount(std::nextafter(1.0f, 0.0f)), 0.0f);
  EXPECT_EQ(WholeFailedCount(std::nextafter(std::nextafter(1.0f, 0.0f), 0.0f)), 1.0f);
  EXPECT_EQ(WholeFailedCount(0.5f), 1.0f);
  EXPECT_EQ(WholeFailedCount(-3.0f), 1.0f);
  EXPECT_EQ(WholeFailedCount(NAN), 1.0f);
  EXPECT_EQ(WholeFailedCount(-INFINITY), 1.0f);
  EXPECT_EQ(WholeFailedCount(1.0f), 1.0f);
  EXPECT_EQ(WholeFailedCount(2.75f), 2.0f);
  EXPECT_EQ(WholeFailedCount(INFINITY), 0.0f);  // the integer part of +∞ is no count at all
}

std::vector<std::string> SymbolsRead(CalculationPage page, Variant variant) {
  std::vector<std::string> symbols;
  for (const InputReading& input :
       CalculateProtection(page, variant, WorkedBank(page, variant)).inputs)
    symbols.push_back(input.symbol);
  return symbols;
}

TEST(ProtectionModelTest, InputsInTheOrderThePagesReadThem) {
  using Symbols = std::vector<std::string>;
  EXPECT_EQ(SymbolsRead(kOpenDeltaPage, kFuseless),
            (Symbols{"Uψ", "U1", "U2", "M", "N", "β", "Klm"}));
  EXPECT_EQ(SymbolsRead(kDifferentialPage, kExternalFuses),
            (Symbols{"Uψ", "U1", "U2", "M", "N", "Kv", "Klm"}));
  EXPECT_EQ(SymbolsRead(kBridgePage, kInternalFuses),
            (Symbols{"Iψ", "CT", "M", "N", "Kv", "Klm", "m", "n"}));
  const ProtectionOutcome outcome = CalculateProtection(
      kNeutralLinePage, kInternalFuses, WorkedBank(kNeutralLinePage, kInternalFuses));
  EXPECT_EQ(outcome.inputs[1].text, "40");
  EXPECT_EQ(outcome.inputs[0].value, double{288.7f});
}

// The alarm stage of each fused worked example, by hand with the page's own rule and 1.05
// held in single precision (1.0499999523): K = whole[3MN(Kv − 1) / (Kv·D)] or
// whole[T(Kv − 1) / (Kv·R)], the signal at K held in single precision, the setting the
// signal over Klm = 1.3.
struct AlarmExample {
  CalculationPage page;
  Variant variant;
  const char *M, *N;
  float computed_K;
  float K;
  const char* signal;
  const char* setting;
};

class AlarmExampleTest : public ::testing::TestWithParam<AlarmExample> {};

TEST_P(AlarmExampleTest, ThePagesOwnRuleAt105Percent) {
  const AlarmExample& example = GetParam();
  ProtectionTexts texts = WorkedBank(example.page, example.variant);
  texts.M = example.M;
  texts.N = example.N;
  const ProtectionOutcome trip = CalculateProtection(example.page, example.variant, texts);
  const ProtectionStage alarm = AlarmStage(trip);
  EXPECT_EQ(alarm.Kv, 1.05f);
  EXPECT_EQ(alarm.computed_K, example.computed_K);
  EXPECT_EQ(alarm.K, example.K);
  EXPECT_EQ(rt::FormatDouble(alarm.signal), example.signal);
  EXPECT_EQ(ShownText(alarm.setting), example.setting);
  EXPECT_EQ(alarm.setting, double(alarm.signal) / double(1.3f));
}

INSTANTIATE_TEST_SUITE_P(
    FusedPages, AlarmExampleTest,
    ::testing::Values(
        // 30·0.05 / 1.05 = 1.43: one failed unit, 3·100 / 29.
        AlarmExample{kOpenDeltaPage, kExternalFuses, "10", "1", 1.42857015f, 1, "10.34482765198",
                     "7.957560024172"},
        AlarmExample{kDifferentialPage, kExternalFuses, "10", "1", 1.42857015f, 1, "10.34482765198",
                     "7.957560024172"},
        // T = 1680, R = 91: 84 / 95.55 = 0.88 becomes 1; 300 / 1589.
        AlarmExample{kOpenDeltaPage, kInternalFuses, "10", "1", 0.879120052f, 1, "0.188797980547",
                     "0.1452292211323"},
        AlarmExample{kDifferentialPage, kInternalFuses, "10", "1", 0.879120052f, 1,
                     "0.188797980547", "0.1452292211323"},
        // 120·0.05 / 1.05 = 5.71: five of forty, 15·100 / 115 (the trip: K = 10).
        AlarmExample{kOpenDeltaPage, kExternalFuses, "40", "1", 5.71428061f, 5, "13.04347801208",
                     "10.03344499271"},
        // 42·0.05 / 1.05 is 2 exactly, but 1.05 held in single precision gives 1.9999982,
        // whose integer part is 1, as it would be with 1.05 typed as Kv.
        AlarmExample{kOpenDeltaPage, kExternalFuses, "14", "1", 1.99999821f, 1, "7.317073345184",
                     "5.628518164287"},
        // D = 7: 2.4 / 7.35 = 0.33 becomes 1, as the trip's 0.62 does: the two stages meet.
        AlarmExample{kNeutralLinePage, kExternalFuses, "8", "2", 0.326530308f, 1, "0.2640548944473",
                     "0.2031191570252"},
        AlarmExample{kNeutralLinePage, kInternalFuses, "8", "2", 0.847681344f, 1,
                     "0.004267343319952", "0.003282571904983"},
        AlarmExample{kNeutralLinePage, kExternalFuses, "40", "1", 5.71428061f, 5, "0.4707065522671",
                     "0.3620819765635"},
        AlarmExample{kBridgePage, kExternalFuses, "8", "2", 0.571428061f, 1, "0.4921022951603",
                     "0.3785402409312"},
        AlarmExample{kBridgePage, kInternalFuses, "8", "2", 0.864864051f, 1, "0.00852460693568",
                     "0.006557390191047"},
        AlarmExample{kBridgePage, kExternalFuses, "40", "2", 2.8571403f, 2, "0.1866594851017",
                     "0.1435842245756"}));

// The alarm stage is the page's own calculation with 1.05 typed as Kv, on every fused
// variant and on banks where K is a count, below 1, negative or no number at all; the
// trip stage is what the click computed.
TEST(AlarmStageTest, IsThePageWithKvTypedAs105) {
  const std::vector<std::pair<const char*, const char*>> banks = {
      {"10", "1"}, {"40", "3"}, {"7", "2"}, {"1", "1"}, {"", ""}, {"200", "8"}, {"-5", "2"}};
  for (CalculationPage page : {kOpenDeltaPage, kDifferentialPage, kNeutralLinePage, kBridgePage})
    for (Variant variant : {kExternalFuses, kInternalFuses})
      for (const auto& [M, N] : banks) {
        ProtectionTexts texts = WorkedBank(page, variant);
        texts.M = M;
        texts.N = N;
        const ProtectionOutcome trip = CalculateProtection(page, variant, texts);
        texts.Kv = kAlarmOvervoltageLimit;
        const ProtectionOutcome typed = CalculateProtection(page, variant, texts);
        const ProtectionStage alarm = AlarmStage(trip);
        SCOPED_TRACE(std::string(PageTitle(page)) + " M = " + M + ", N = " + N);
        EXPECT_EQ(alarm.Kv, typed.values.Kv);
        EXPECT_EQ(std::bit_cast<uint32_t>(alarm.computed_K),
                  std::bit_cast<uint32_t>(typed.values.computed_K));
        EXPECT_EQ(alarm.K, typed.values.K);
        EXPECT_EQ(std::bit_cast<uint32_t>(alarm.signal),
                  std::bit_cast<uint32_t>(StoredSignal(typed)));
        EXPECT_EQ(ShownText(alarm.setting), typed.setting_text);
        const ProtectionStage stage = StageOf(trip);
        EXPECT_EQ(ShownText(stage.setting), trip.setting_text);
        EXPECT_EQ(stage.K, trip.values.K);
      }
}

// The fault table runs on to the alarm's row when a Kv below 1.05 puts it past the trip's:
// 120 units, Kv = 1.02 trips at K = 2, V(3) = 1.026 exceeds Kv, and the alarm lies at 5.
TEST(AlarmStageTest, TheFaultTableMarksTheAlarmRow) {
  ProtectionTexts texts = WorkedBank(kOpenDeltaPage, kExternalFuses);
  texts.M = "40";
  for (const auto& [Kv, rows, k, alarm] :
       {std::tuple{"1.02", 6u, 2, 5}, std::tuple{"1.1", 13u, 10, 5}}) {
    texts.Kv = Kv;
    const SheetAnalysis analysis =
        AnalyseProtection(CalculateProtection(kOpenDeltaPage, kExternalFuses, texts), {});
    ASSERT_EQ(analysis.faults.size(), rows) << Kv;
    for (const FaultRow& row : analysis.faults) {
      EXPECT_EQ(row.at_k, row.failures == k) << Kv << " F = " << row.failures;
      EXPECT_EQ(row.alarm, row.failures == alarm) << Kv << " F = " << row.failures;
    }
    EXPECT_EQ(analysis.alarm->K, alarm);
    EXPECT_EQ(analysis.trip->K, k);
  }
}

}  // namespace
