// The capacitor parameter page, digit for digit: the inputs and the rated current are held
// in single precision, so the last digits differ from a pure double calculation.
#include <gtest/gtest.h>

#include "calc/pages/control_io.h"
#include "tests/headless_window.h"

namespace {

using namespace calc;
using testing_support::Content;
using testing_support::SetContent;

struct Inputs {
  const char *un, *qn, *kr, *usys, *f, *nct, *cos1, *cos2, *p;
  int connection;
};

void Calculate(const Inputs& in) {
  testing_support::StartHeadless();
  SetContent(编辑框_电容电压, in.un);
  SetContent(编辑框_电容容量, in.qn);
  SetContent(编辑框_电抗率, in.kr);
  SetContent(编辑框_系统电压, in.usys);
  SetContent(编辑框_频率, in.f);
  SetContent(编辑框_CT变比, in.nct);
  SetContent(编辑框_COS1, in.cos1);
  SetContent(编辑框_COS2, in.cos2);
  SetContent(编辑框_P, in.p);
  WriteIntProperty(组合框_接线方式, kSelectionProperty, in.connection);
  testing_support::Click(按钮_电容器计算);
}

constexpr Inputs kStarBank = {"6.35", "3000", "5", "10", "50", "300", "0.8", "0.95", "5000", 0};

TEST(CapacitorPageTest, StarBankShowsSinglePrecisionDigits) {
  Calculate(kStarBank);
  EXPECT_EQ(Content(编辑框_电容电流), "157.4803173257");
  EXPECT_EQ(Content(编辑框_电容电流1), "");
  EXPECT_EQ(Content(编辑框_XC), "40.32249878883");
  EXPECT_EQ(Content(编辑框_XL), "2.016124939442");
  EXPECT_EQ(Content(编辑框_电容输出), "2610.531615265");
  EXPECT_EQ(Content(编辑框_电容电流2), "150.719106087");
  EXPECT_EQ(Content(编辑框_调谐频率), "223.60679775");
  EXPECT_EQ(Content(编辑框_补偿容量), "2106.579107375");
  EXPECT_EQ(Content(编辑框_电容电流6), "1.574803161621");
  EXPECT_EQ(Content(编辑框_电容电流7), "0.7874015808105");
  EXPECT_EQ(Content(编辑框_电容电流8), "2.727639087848");
  EXPECT_EQ(Content(编辑框_电容电流9), "1.363819543924");
}

TEST(CapacitorPageTest, DeltaBankShowsTheInDeltaCurrent) {
  Inputs delta = kStarBank;
  delta.connection = 1;
  Calculate(delta);
  EXPECT_EQ(Content(编辑框_电容电流), "272.7639108003");
  EXPECT_EQ(Content(编辑框_电容电流1), "157.4803203368");
  EXPECT_EQ(Content(编辑框_XC), "40.32249878883");
  EXPECT_EQ(Content(编辑框_XL), "2.016124939442");
  EXPECT_EQ(Content(编辑框_电容输出), "7831.594845795");
  EXPECT_EQ(Content(编辑框_电容电流2), "452.1573323565");
  EXPECT_EQ(Content(编辑框_调谐频率), "223.60679775");
  EXPECT_EQ(Content(编辑框_补偿容量), "2106.579107375");
  EXPECT_EQ(Content(编辑框_电容电流6), "2.727639160156");
  EXPECT_EQ(Content(编辑框_电容电流7), "1.363819580078");
  EXPECT_EQ(Content(编辑框_电容电流8), "4.724409610105");
  EXPECT_EQ(Content(编辑框_电容电流9), "2.362204805053");
}

TEST(CapacitorPageTest, InDeltaCurrentCarriesTheSinglePrecisionRatedCurrent) {
  Calculate({"11", "3000", "6", "10", "50", "200", "", "", "", 1});
  EXPECT_EQ(Content(编辑框_电容电流), "157.4591643244");
  EXPECT_EQ(Content(编辑框_电容电流1), "90.90909273122");
  EXPECT_EQ(Content(编辑框_XC), "121");
  EXPECT_EQ(Content(编辑框_XL), "7.26");
  EXPECT_EQ(Content(编辑框_电容输出), "2637.594513803");
  EXPECT_EQ(Content(编辑框_电容电流2), "152.2815884439");
  EXPECT_EQ(Content(编辑框_调谐频率), "204.1241452319");
}

TEST(CapacitorPageTest, EmptyReactanceRatio) {
  Inputs in = kStarBank;
  in.kr = "";
  Calculate(in);
  EXPECT_EQ(Content(编辑框_XL), "0");
  EXPECT_EQ(Content(编辑框_调谐频率), "1.#INF");
  // r = 1: the star output is QN·Usys²/(3·UN²).
  EXPECT_EQ(Content(编辑框_电容输出), "2480.005034502");
}

// r = 0 makes the output infinite; its text reads back as 1, so the operating current is
// 1 / (10·√3).
TEST(CapacitorPageTest, FullReactanceRatioReadsTheInfiniteOutputBackAsOne) {
  Inputs in = kStarBank;
  in.kr = "100";
  Calculate(in);
  EXPECT_EQ(Content(编辑框_电容输出), "1.#INF");
  EXPECT_EQ(Content(编辑框_电容电流2), "0.05773502691896");
}

TEST(CapacitorPageTest, EmptyTransformerRatioMakesTheSettingsInfinite) {
  Inputs in = kStarBank;
  in.nct = "";
  Calculate(in);
  for (uint32_t box : {编辑框_电容电流6, 编辑框_电容电流7, 编辑框_电容电流8, 编辑框_电容电流9})
    EXPECT_EQ(Content(box), "1.#INF");
  in.qn = "";
  Calculate(in);
  for (uint32_t box : {编辑框_电容电流6, 编辑框_电容电流7, 编辑框_电容电流8, 编辑框_电容电流9})
    EXPECT_EQ(Content(box), "-1.#IND");
}

TEST(CapacitorPageTest, PowerFactors) {
  Inputs in = kStarBank;
  in.cos2 = "1";
  Calculate(in);
  EXPECT_EQ(Content(编辑框_补偿容量), "3749.99984478");  // 5000 × tan φ1 with cos φ1 = 0.8f; t2 = 0
  in.cos2 = "1.2";
  Calculate(in);
  EXPECT_EQ(Content(编辑框_补偿容量), "-1.#IND");
}

TEST(CapacitorPageTest, EmptyRatedVoltage) {
  Inputs in = kStarBank;
  in.un = "";
  in.connection = 1;
  Calculate(in);
  EXPECT_EQ(Content(编辑框_电容电流), "1.#INF");
  EXPECT_EQ(Content(编辑框_电容电流1), "1.#INF");
  EXPECT_EQ(Content(编辑框_电容输出), "1.#INF");
  EXPECT_EQ(Content(编辑框_XC), "0");
  EXPECT_EQ(Content(编辑框_XL), "0");
  EXPECT_EQ(Content(编辑框_电容电流6), "1.#INF");
}

TEST(CapacitorPageTest, FrequencyAndRatioAreReadAsIntegers) {
  Inputs in = kStarBank;
  in.f = "50.5";
  Calculate(in);
  EXPECT_EQ(Content(编辑框_调谐频率), "223.60679775");
}

// Whatever a box holds, a number is read from its start: full-width digits count, and
// neither invalid bytes nor a very long text after the number change anything.
TEST(CapacitorPageTest, OddTextsGiveTheirLeadingNumber) {
  const std::string long_text = "6.35" + std::string(100000, 'x');
  const std::string invalid_tail = std::string("6.35\x81\xFF\x80", 7);
  for (const std::string& voltage :
       {std::string("６．３５"), long_text, invalid_tail, std::string(" 6.35kV")}) {
    Inputs in = kStarBank;
    in.un = voltage.c_str();
    Calculate(in);
    EXPECT_EQ(Content(编辑框_电容电流), "157.4803173257") << voltage.substr(0, 12);
  }
  Inputs letters = kStarBank;
  letters.un =
      "\x81"
      "0abc";
  Calculate(letters);
  EXPECT_EQ(Content(编辑框_电容电流), "1.#INF");  // no number: 0
}

TEST(CapacitorPageTest, InputsAreNeverChanged) {
  Calculate(kStarBank);
  EXPECT_EQ(Content(编辑框_电容电压), "6.35");
  EXPECT_EQ(Content(编辑框_COS2), "0.95");
}

}  // namespace
