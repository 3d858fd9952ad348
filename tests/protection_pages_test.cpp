// The four protection pages, digit for digit, and what absurd inputs give.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <utility>

#include "tests/headless_window.h"

namespace {

using namespace calc;
using testing_support::Content;
using testing_support::SetContent;

struct VoltagePageBoxes {
  uint32_t uψ, u1, u2, m_units, n_units, β, klm_b, kv_c, klm_c, kv_d, klm_d, m, n, result;
  uint32_t fuseless, external, internal;
};

constexpr VoltagePageBoxes kOpenDelta = {
    编辑框_电容电压1, 编辑框_线圈一次, 编辑框_线圈二次, 编辑框_M1,       编辑框_N1,      编辑框_B,
    编辑框_Klm3,      编辑框_Kv1,      编辑框_Klm1,     编辑框_Kv2,      编辑框_Klm2,    编辑框_M2,
    编辑框_N2,        编辑框_Udz,      按钮_开口无熔丝, 按钮_开口外熔丝, 按钮_开口内熔丝};

constexpr VoltagePageBoxes kDifferential = {
    编辑框_电容电压2, 编辑框_线圈一次1, 编辑框_线圈二次1, 编辑框_M3,   编辑框_N3,
    编辑框_B1,        编辑框_Klm4,      编辑框_Kv3,       编辑框_Klm5, 编辑框_Kv4,
    编辑框_Klm6,      编辑框_M4,        编辑框_N4,        编辑框_Udz1, 按钮_差动无熔丝,
    按钮_差动外熔丝,  按钮_差动内熔丝};

struct CurrentPageBoxes {
  uint32_t iψ, ct, m_units, n_units, β, klm_b, kv_c, klm_c, kv_d, klm_d, m, n, result;
  uint32_t fuseless, external, internal;
};

constexpr CurrentPageBoxes kNeutralLine = {编辑框_电容相电流,
                                           编辑框_零序CT比,
                                           编辑框_M5,
                                           编辑框_N5,
                                           编辑框_B2,
                                           编辑框_Klm7,
                                           编辑框_Kv5,
                                           编辑框_Klm8,
                                           编辑框_Kv6,
                                           编辑框_Klm9,
                                           编辑框_M6,
                                           编辑框_N6,
                                           编辑框_Idz,
                                           按钮_中性线电流无熔丝,
                                           按钮_中性线电流外熔丝,
                                           按钮_中性线电流内熔丝};

constexpr CurrentPageBoxes kBridge = {编辑框_电容相电流1,
                                      编辑框_零序CT比1,
                                      编辑框_M7,
                                      编辑框_N7,
                                      编辑框_B3,
                                      编辑框_Klm10,
                                      编辑框_Kv7,
                                      编辑框_Klm11,
                                      编辑框_Kv8,
                                      编辑框_Klm12,
                                      编辑框_M8,
                                      编辑框_N8,
                                      编辑框_Idz1,
                                      按钮_桥式差电流无熔丝,
                                      按钮_桥式差电流外熔丝,
                                      按钮_桥式差内熔丝};

// Common inputs Uψ = 6.35, U1 = 6.35, U2 = 0.1 (so Us = 100 V), M = 10, N = 1, and the
// page's factors as the window starts with them.
void FillVoltagePage(const VoltagePageBoxes& page) {
  testing_support::StartHeadless();
  SetContent(page.uψ, "6.35");
  SetContent(page.u1, "6.35");
  SetContent(page.u2, "0.1");
  SetContent(page.m_units, "10");
  SetContent(page.n_units, "1");
  SetContent(page.β, "0.5");
  SetContent(page.klm_b, "1.3");
  SetContent(page.kv_c, "1.1");
  SetContent(page.klm_c, "1.3");
  SetContent(page.kv_d, "1.15");
  SetContent(page.klm_d, "1.3");
  SetContent(page.m, "14");
  SetContent(page.n, "4");
}

// Common inputs Iψ = 288.7 A, CT = 40, M = 8, N = 2, and the factors of the examples.
void FillCurrentPage(const CurrentPageBoxes& page) {
  testing_support::StartHeadless();
  SetContent(page.iψ, "288.7");
  SetContent(page.ct, "40");
  SetContent(page.m_units, "8");
  SetContent(page.n_units, "2");
  SetContent(page.β, "0.5");
  SetContent(page.klm_b, "1.3");
  SetContent(page.kv_c, "1.1");
  SetContent(page.klm_c, "1.3");
  SetContent(page.kv_d, "1.15");
  SetContent(page.klm_d, "1.3");
  SetContent(page.m, "14");
  SetContent(page.n, "4");
}

std::string ClickFor(uint32_t button, uint32_t result) {
  testing_support::Click(button);
  return Content(result);
}

class VoltagePagesTest : public ::testing::TestWithParam<VoltagePageBoxes> {};

TEST_P(VoltagePagesTest, WorkedExamples) {
  const VoltagePageBoxes& page = GetParam();
  FillVoltagePage(page);
  EXPECT_EQ(ClickFor(page.fuseless, page.result), "7.444169244186");
  EXPECT_EQ(ClickFor(page.external, page.result), "16.48351729773");   // K = 2
  EXPECT_EQ(ClickFor(page.internal, page.result), "0.3081031142053");  // K = 2
  SetContent(page.m_units, "2");
  EXPECT_EQ(ClickFor(page.external, page.result), "46.15384784676");  // K = 1, Uch = 60
}

TEST_P(VoltagePagesTest, BlankInputs) {
  const VoltagePageBoxes& page = GetParam();
  FillVoltagePage(page);
  SetContent(page.u2, "");  // infinite ratio: Us = 0
  EXPECT_EQ(ClickFor(page.fuseless, page.result), "0");
  FillVoltagePage(page);
  SetContent(page.m_units, "");
  SetContent(page.n_units, "");
  EXPECT_EQ(ClickFor(page.fuseless, page.result), "-115.3846196169");  // Q = -2β
  FillVoltagePage(page);
  SetContent(page.klm_b, "");
  EXPECT_EQ(ClickFor(page.fuseless, page.result), "1.#INF");
  SetContent(page.u2, "");
  EXPECT_EQ(ClickFor(page.fuseless, page.result), "-1.#IND");
}

// Without Kv the computed K is not a number (or minus infinity); K becomes 1 and the
// setting no longer depends on Kv.
TEST_P(VoltagePagesTest, BlankOvervoltageFactorCountsOneFailedUnit) {
  const VoltagePageBoxes& page = GetParam();
  FillVoltagePage(page);
  SetContent(page.m_units, "2");
  std::string one_failed_unit = ClickFor(page.external, page.result);
  FillVoltagePage(page);
  SetContent(page.kv_c, "");
  EXPECT_EQ(ClickFor(page.external, page.result), "7.957560024172");
  SetContent(page.m_units, "2");
  EXPECT_EQ(ClickFor(page.external, page.result), one_failed_unit);
}

INSTANTIATE_TEST_SUITE_P(Pages, VoltagePagesTest, ::testing::Values(kOpenDelta, kDifferential),
                         [](const ::testing::TestParamInfo<VoltagePageBoxes>& info) {
                           return info.param.result == 编辑框_Udz ? "OpenDelta" : "Differential";
                         });

TEST(VoltagePagesTest, PagesShareNoBoxes) {
  FillVoltagePage(kOpenDelta);
  FillVoltagePage(kDifferential);
  SetContent(编辑框_Udz1, "");
  EXPECT_EQ(ClickFor(按钮_开口无熔丝, 编辑框_Udz), "7.444169244186");
  EXPECT_EQ(Content(编辑框_Udz1), "");
  SetContent(编辑框_Udz, "");
  EXPECT_EQ(ClickFor(按钮_差动外熔丝, 编辑框_Udz1), "16.48351729773");
  EXPECT_EQ(Content(编辑框_Udz), "");
}

TEST(CurrentPagesTest, NeutralLineWorkedExamples) {
  const CurrentPageBoxes& page = kNeutralLine;
  FillCurrentPage(page);
  EXPECT_EQ(ClickFor(page.fuseless, page.result), "0.1514160917875");
  EXPECT_EQ(ClickFor(page.external, page.result), "0.2031191570252");    // K = 1
  EXPECT_EQ(ClickFor(page.internal, page.result), "0.006980624735791");  // R = 151, K = 2
  SetContent(page.m_units, "12");
  SetContent(page.n_units, "1");
  EXPECT_EQ(ClickFor(page.external, page.result), "0.7570804818623");  // K = 3
}

TEST(CurrentPagesTest, BridgeWorkedExamples) {
  const CurrentPageBoxes& page = kBridge;
  FillCurrentPage(page);
  EXPECT_EQ(ClickFor(page.fuseless, page.result), "0.3203032684437");
  EXPECT_EQ(ClickFor(page.external, page.result), "0.3785402409312");   // K = 1
  EXPECT_EQ(ClickFor(page.internal, page.result), "0.01392622887588");  // R = 148, K = 2
  SetContent(page.m_units, "12");
  SetContent(page.n_units, "1");
  EXPECT_EQ(ClickFor(page.external, page.result), "0.4383097405914");  // K < 0 becomes 1
}

// The element counts m and n are read as numbers and then cut to whole numbers: "1.4e1"
// counts as 14 and "0.49e1" as 4 (not 1 and 0, as reading a whole number would, nor 5).
TEST(ProtectionPagesTest, ElementCountsAreNumbersCutToWholeNumbers) {
  for (const VoltagePageBoxes& page : {kOpenDelta, kDifferential}) {
    FillVoltagePage(page);
    SetContent(page.m, "1.4e1");
    SetContent(page.n, "0.49e1");
    EXPECT_EQ(ClickFor(page.internal, page.result), "0.3081031142053");
  }
  const std::pair<CurrentPageBoxes, const char*> kCurrentPages[] = {
      {kNeutralLine, "0.006980624735791"}, {kBridge, "0.01392622887588"}};
  for (const auto& [page, worked_example] : kCurrentPages) {
    FillCurrentPage(page);
    SetContent(page.m, "1.4e1");
    SetContent(page.n, "0.49e1");
    EXPECT_EQ(ClickFor(page.internal, page.result), worked_example);
  }
}

TEST(CurrentPagesTest, CurrentTransformerRatio) {
  for (const CurrentPageBoxes& page : {kNeutralLine, kBridge}) {
    FillCurrentPage(page);
    std::string forty = ClickFor(page.fuseless, page.result);
    SetContent(page.ct, "40.9");  // counts as 40
    EXPECT_EQ(ClickFor(page.fuseless, page.result), forty);
    SetContent(page.ct, "");
    EXPECT_EQ(ClickFor(page.fuseless, page.result), "1.#INF");
    SetContent(page.iψ, "");
    EXPECT_EQ(ClickFor(page.fuseless, page.result), "-1.#IND");
  }
}

TEST(CurrentPagesTest, PagesShareNoBoxes) {
  FillCurrentPage(kNeutralLine);
  FillCurrentPage(kBridge);
  SetContent(编辑框_Idz1, "");
  ClickFor(按钮_中性线电流内熔丝, 编辑框_Idz);
  EXPECT_EQ(Content(编辑框_Idz1), "");
}

// A CT ratio beyond the 32-bit range is taken as the most negative 32-bit integer, as the
// processor's own conversion gives it.
TEST(AbsurdInputsTest, HugeRatioCountsAsTheMostNegativeInteger) {
  for (const CurrentPageBoxes& page : {kNeutralLine, kBridge}) {
    FillCurrentPage(page);
    SetContent(page.ct, "-2147483648");
    std::string most_negative = ClickFor(page.internal, page.result);
    for (const char* huge : {"1e30", "-1e30", "3000000000", "1e39"}) {
      SetContent(page.ct, huge);
      EXPECT_EQ(ClickFor(page.internal, page.result), most_negative) << huge;
    }
  }
}

TEST(AbsurdInputsTest, NoInputBreaksAnyCalculation) {
  const char* const kAbsurd[] = {"1000000000", "-7", "0", "1e30", "-1e30", "abc", "", "１２"};
  for (const char* value : kAbsurd) {
    FillVoltagePage(kOpenDelta);
    FillCurrentPage(kNeutralLine);
    for (uint32_t box :
         {编辑框_M1, 编辑框_N1, 编辑框_M2, 编辑框_N2, 编辑框_Kv1, 编辑框_Kv2, 编辑框_M5, 编辑框_N5,
          编辑框_M6, 编辑框_N6, 编辑框_Kv5, 编辑框_Kv6, 编辑框_零序CT比})
      SetContent(box, value);
    for (uint32_t button : {按钮_开口无熔丝, 按钮_开口外熔丝, 按钮_开口内熔丝,
                            按钮_中性线电流无熔丝, 按钮_中性线电流外熔丝, 按钮_中性线电流内熔丝}) {
      testing_support::Click(button);
    }
    EXPECT_FALSE(Content(编辑框_Udz).empty()) << value;
    EXPECT_FALSE(Content(编辑框_Idz).empty()) << value;
  }
}

}  // namespace
