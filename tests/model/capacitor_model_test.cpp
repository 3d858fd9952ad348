// The capacitor parameter page's model without a window: the worked banks digit for digit
// and what empty and odd inputs give.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calc/model/capacitor.h"

namespace {

using namespace calc;
using enum CapacitorResult;
using Texts = std::vector<std::string>;

// UN = 6.35 kV, QN = 3000 kvar, Kr = 5 %, Usys = 10 kV, f = 50 Hz, nCT = 300,
// cosφ1 = 0.8, cosφ2 = 0.95, P = 5000 kW.
CapacitorTexts StarBank() {
  CapacitorTexts texts{"6.35", "3000", "5",    "10", "50",       "300",
                       "0.8",  "0.95", "5000", 0,    "星形接线", {"星形接线", "角形接线"}};
  return texts;
}

CapacitorTexts DeltaBank() {
  CapacitorTexts texts = StarBank();
  texts.connection = 1;
  texts.connection_text = "角形接线";
  return texts;
}

Texts Shown(const CapacitorTexts& texts) {
  Texts shown;
  for (const ResultValue& result : CalculateCapacitorParameters(texts).results)
    shown.push_back(result.text);
  return shown;
}

std::string Shown(const CapacitorTexts& texts, CapacitorResult result) {
  return CalculateCapacitorParameters(texts).results[static_cast<size_t>(result)].text;
}

TEST(CapacitorModelTest, WorkedBanks) {
  EXPECT_EQ(Shown(StarBank()),
            (Texts{"157.4803173257", "", "40.32249878883", "2.016124939442", "2610.531615265",
                   "150.719106087", "223.60679775", "2106.579107375", "1.574803161621",
                   "0.7874015808105", "2.727639087848", "1.363819543924"}));
  EXPECT_EQ(Shown(DeltaBank()),
            (Texts{"272.7639108003", "157.4803203368", "40.32249878883", "2.016124939442",
                   "7831.594845795", "452.1573323565", "223.60679775", "2106.579107375",
                   "2.727639160156", "1.363819580078", "4.724409610105", "2.362204805053"}));
  CapacitorTexts eleven{"11", "3000", "6", "10", "50", "200", "", "", "", 1, "角形接线", {}};
  const Texts shown = Shown(eleven);
  EXPECT_EQ(Texts(shown.begin(), shown.begin() + 7),
            (Texts{"157.4591643244", "90.90909273122", "121", "7.26", "2637.594513803",
                   "152.2815884439", "204.1241452319"}));
}

TEST(CapacitorModelTest, EmptyAndFullReactanceRatio) {
  CapacitorTexts texts = StarBank();
  texts.Kr = "";
  EXPECT_EQ(Shown(texts, kInductiveReactance), "0");
  EXPECT_EQ(Shown(texts, kTuningFrequency), "1.#INF");
  EXPECT_EQ(Shown(texts, kOutput), "2480.005034502");  // r = 1
  texts.Kr = "100";  // the infinite output reads back as 1: the current is 1 / (10·√3)
  EXPECT_EQ(Shown(texts, kOutput), "1.#INF");
  EXPECT_EQ(Shown(texts, kOperatingCurrent), "0.05773502691896");
}

TEST(CapacitorModelTest, EmptyRatioAndRatedVoltage) {
  auto settings = [](const CapacitorTexts& texts) {
    const Texts shown = Shown(texts);
    return Texts(shown.begin() + 8, shown.end());
  };
  CapacitorTexts texts = StarBank();
  texts.nCT = "";
  EXPECT_EQ(settings(texts), Texts(4, "1.#INF"));
  texts.QN = "";
  EXPECT_EQ(settings(texts), Texts(4, "-1.#IND"));
  texts = DeltaBank();
  texts.UN = "";
  const Texts shown = Shown(texts);
  EXPECT_EQ(Texts(shown.begin(), shown.begin() + 5),
            (Texts{"1.#INF", "1.#INF", "0", "0", "1.#INF"}));
}

TEST(CapacitorModelTest, PowerFactorsAndIntegers) {
  CapacitorTexts texts = StarBank();
  texts.cosφ2 = "1";
  EXPECT_EQ(Shown(texts, kCompensation), "3749.99984478");
  texts.cosφ2 = "1.2";
  EXPECT_EQ(Shown(texts, kCompensation), "-1.#IND");
  texts = StarBank();
  texts.f = "50.5";  // read as a whole number
  EXPECT_EQ(Shown(texts, kTuningFrequency), "223.60679775");
}

TEST(CapacitorModelTest, InputsAsReadAndOperatingVoltage) {
  const CapacitorOutcome outcome = CalculateCapacitorParameters(StarBank());
  ASSERT_EQ(outcome.inputs.size(), 10u);
  EXPECT_EQ(outcome.inputs.back().text, "星形接线");
  EXPECT_TRUE(outcome.inputs.back().choice);
  EXPECT_EQ(outcome.values.rated_current, 157.4803173257f);
  const SheetAnalysis analysis = AnalyseCapacitorParameters(outcome, {});
  EXPECT_EQ(TableNumber(*analysis.operating_voltage), "6.0774");  // 10 / (√3 · 0.95)
  EXPECT_TRUE(analysis.warnings.empty());
}

}  // namespace
