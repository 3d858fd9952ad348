// The measured bank's CSV: what it takes, every way it is refused (with the line named),
// and what is written back.
#include "calc/model/measured_bank.h"

#include <gtest/gtest.h>

#include "runtime/platform/gbk.h"

namespace {

using calc::CalculationPage;

calc::BankShape Shape(CalculationPage page, int M, int N) {
  return calc::ShapeOf(page, M, N).value();
}

// The CSV of a single star of 2 × 1 units a phase, one line a unit, in file order A1..C2.
std::string StarCsv(const std::string& header = "phase,branch,group,unit,uF") {
  return header +
         "\nA,1,1,1,3.31\nA,1,1,2,3.32\nB,1,1,1,3.33\nB,1,1,2,3.34\nC,1,1,1,3.35\nC,1,1,2,3.36\n";
}

TEST(MeasuredBankTest, EveryPositionOnceInAnyOrderIsTaken) {
  const std::string csv =
      "\xEF\xBB\xBF"
      "phase,branch,group,unit,uF\r\n"
      "C,1,1,2,3.36\r\nA,1,1,1,3.31\r\nb,1,1,2,\" 3.34\"\r\nA,1,1,2,3.32\r\nB,1,1,1,3.33\r\n"
      "C,1,1,1,3.35\r\n";
  const calc::MeasuredBankReading reading =
      calc::ReadMeasuredBank(csv, Shape(CalculationPage::kOpenDeltaPage, 2, 1));
  ASSERT_TRUE(reading.bank) << reading.error;
  EXPECT_EQ(reading.bank->capacitances, (std::vector<double>{3.31, 3.32, 3.33, 3.34, 3.35, 3.36}));
}

TEST(MeasuredBankTest, GbkTextAroundTheNumbersReads) {
  // A rebalanced file read back: its `was` column, in GBK as a spreadsheet saves it.
  std::string csv = "phase,branch,group,unit,uF,was\n";
  for (const char* phase : {"A", "B", "C"})
    for (int unit = 1; unit <= 2; ++unit)
      csv += std::string(phase) + ",1,1," + std::to_string(unit) + ",3.3,A相1串1号\n";
  const calc::MeasuredBankReading reading =
      calc::ReadMeasuredBank(csv, Shape(CalculationPage::kOpenDeltaPage, 2, 1));
  EXPECT_TRUE(reading.bank) << reading.error;
}

struct Refusal {
  std::string csv;
  size_t line;
  std::string reason;  // a part of the message
};

TEST(MeasuredBankTest, EveryFaultIsRefusedWithItsLineAndReason) {
  const calc::BankShape star = Shape(CalculationPage::kOpenDeltaPage, 2, 1);
  const std::string csv = StarCsv();
  const Refusal refusals[] = {
      {"", 1, "缺少标题行"},
      {"\n\n", 1, "缺少标题行"},
      {StarCsv("phase,branch,group,unit"), 1, "标题行应为"},
      {StarCsv("uF,phase,branch,group,unit"), 1, "标题行应为"},
      {"A,1,1,1,3.31\n", 1, "标题行应为"},
      {StarCsv() + "A,1,1,1,3.31\n", 8, "A相1串1号 重复，第 2 行已有"},
      {"phase,branch,group,unit,uF\nA,1,1,1,3.31\nA,1,1,1,3.3\n", 3, "重复，第 2 行已有"},
      {"phase,branch,group,unit,uF\nA,1,1,1,3.31\n\nB,1,1,1,3.3\n", 5, "缺少 A相1串2号 等 4 个"},
      {"phase,branch,group,unit,uF\n" + csv.substr(csv.find('\n') + 1, 5 * 13), 7,
       "缺少 C相1串2号"},
      {"phase,branch,group,unit,uF\nD,1,1,1,3.31\n", 2, "phase 应为 A、B 或 C，而非“D”"},
      {"phase,branch,group,unit,uF\nAB,1,1,1,3.31\n", 2, "phase 应为"},
      {"phase,branch,group,unit,uF\nA,2,1,1,3.31\n", 2,
       "branch 应为 1，而非“2”（本页为单星形接线）"},
      {"phase,branch,group,unit,uF\nA,1,2,1,3.31\n", 2, "group 应为 1，而非“2”"},
      {"phase,branch,group,unit,uF\nA,1,1,3,3.31\n", 2, "unit 应为 1 到 2，而非“3”"},
      {"phase,branch,group,unit,uF\nA,1,1,0,3.31\n", 2, "unit 应为 1 到 2，而非“0”"},
      {"phase,branch,group,unit,uF\nA,1,1,1.5,3.31\n", 2, "unit 应为"},
      {"phase,branch,group,unit,uF\nA,1,1,1,0\n", 2, "uF 应为正的有限数，而非“0”"},
      {"phase,branch,group,unit,uF\nA,1,1,1,-3.3\n", 2, "uF 应为正的有限数"},
      {"phase,branch,group,unit,uF\nA,1,1,1,inf\n", 2, "uF 应为正的有限数"},
      {"phase,branch,group,unit,uF\nA,1,1,1,nan\n", 2, "uF 应为正的有限数"},
      {"phase,branch,group,unit,uF\nA,1,1,1,1e999\n", 2, "uF 应为正的有限数"},
      {"phase,branch,group,unit,uF\nA,1,1,1,1e300\n", 2, "uF 应在 0.000001 到 1000000 之间"},
      {"phase,branch,group,unit,uF\nA,1,1,1,1e-320\n", 2, "uF 应在"},
      {"phase,branch,group,unit,uF\nA,1,1,1,3,3\n", 2, "应有 5 个字段，实有 6 个"},
      {"phase,branch,group,unit,uF\nA,1,1,1,\n", 2, "uF 应为正的有限数，而非“”"},
      {"phase,branch,group,unit,uF\nA,1,1,1\n", 2, "应有 5 个字段，实有 4 个"},
      {"phase,branch,group,unit,uF\nA,1,1,1,\"3.3\n", 2, "引号未闭合"},
  };
  for (const Refusal& refusal : refusals) {
    const calc::MeasuredBankReading reading = calc::ReadMeasuredBank(refusal.csv, star);
    EXPECT_FALSE(reading.bank) << refusal.csv;
    EXPECT_EQ(reading.error_line, refusal.line) << refusal.csv;
    EXPECT_NE(reading.error.find(refusal.reason), std::string::npos)
        << rt::GbkToUtf8(reading.error) << " / " << refusal.csv;
  }
}

TEST(MeasuredBankTest, AFileOfAnotherArrangementIsRefused) {
  // A bridge's arms 3 and 4 on a double star, a double star's second star on a single one.
  std::string bridge = "phase,branch,group,unit,uF\n";
  for (int arm = 1; arm <= 4; ++arm) bridge += "A," + std::to_string(arm) + ",1,1,3.3\n";
  const calc::MeasuredBankReading on_stars =
      calc::ReadMeasuredBank(bridge, Shape(CalculationPage::kNeutralLinePage, 2, 2));
  EXPECT_EQ(on_stars.error_line, 4u);
  EXPECT_NE(on_stars.error.find("本页为双星形接线，branch 为星的编号"), std::string::npos);
  const calc::MeasuredBankReading on_star =
      calc::ReadMeasuredBank(bridge, Shape(CalculationPage::kDifferentialPage, 2, 2));
  EXPECT_EQ(on_star.error_line, 3u);
}

TEST(MeasuredBankTest, WrittenBankReadsBackWithWhereEachUnitWas) {
  const calc::BankShape bridge = Shape(CalculationPage::kBridgePage, 2, 2);
  calc::MeasuredBank bank{bridge, {}};
  for (size_t index = 0; index < bridge.UnitCount(); ++index)
    bank.capacitances.push_back(3.3 + 0.001 * double(index));
  std::vector<size_t> was(bridge.UnitCount());
  for (size_t index = 0; index < was.size(); ++index) was[index] = was.size() - 1 - index;
  const std::string csv = calc::MeasuredBankCsv(bank, was);
  EXPECT_TRUE(
      csv.starts_with("\xEF\xBB\xBF"
                      "phase,branch,group,unit,uF,was\r\nA,1,1,1,3.3,"));
  EXPECT_NE(csv.find(rt::GbkToUtf8("C相4臂1串1号")), std::string::npos);
  const calc::MeasuredBankReading reading = calc::ReadMeasuredBank(csv, bridge);
  ASSERT_TRUE(reading.bank) << rt::GbkToUtf8(reading.error);
  EXPECT_EQ(reading.bank->capacitances, bank.capacitances);
  EXPECT_EQ(calc::ReadMeasuredBank(calc::MeasuredBankCsv(bank), bridge).bank->capacitances,
            bank.capacitances);
}

}  // namespace
