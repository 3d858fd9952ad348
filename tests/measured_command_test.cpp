// The driver's "measured NAME PATH" and "rebalance NAME PATH": the bank kept for the page,
// the sheet's measured member and warnings, the rebalanced file, and the lines refused
// (a refused CSV named with its line, and nothing loaded changed).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "calc/pages/calculator_state.h"
#include "calc/pages/page_sheets.h"
#include "tests/headless_window.h"
#include "tools/capcalc-script/script.h"
#include "tools/capcalc-script/script_line.h"

namespace {

namespace fs = std::filesystem;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct ScriptRun {
  std::string out, err;
};

ScriptRun RunLines(const std::string& lines) {
  testing_support::StartHeadless();
  std::istringstream in(lines);
  std::ostringstream out, err;
  script::RunScript(in, out, err);
  return {out.str(), err.str()};
}

std::string Contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void Write(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Iψ = 288.7, CT = 40, M = 4, N = 2 on the bridge page, external fuses (K = 1).
const std::string kBridgeClick =
    U8(u8"set 编辑框_电容相电流1 288.7\nset 编辑框_零序CT比1 40\nset 编辑框_M7 4\n"
       u8"set 编辑框_N7 2\nclick 按钮_桥式差电流外熔丝\n");

// The bridge's 24 units, within a few per cent of 3.3 µF, but A's arm 1, unit 1 at `first`.
std::string BridgeCsv(const std::string& first) {
  std::string csv = "phase,branch,group,unit,uF\n";
  int unit_number = 0;
  for (const char* phase : {"A", "B", "C"})
    for (int arm = 1; arm <= 4; ++arm)
      for (int unit = 1; unit <= 2; ++unit, ++unit_number) {
        const std::string spread = "3.3" + std::to_string(unit_number * 7 % 10);
        csv += std::string(phase) + "," + std::to_string(arm) + ",1," + std::to_string(unit) + "," +
               (unit_number == 0 ? first : spread) + "\n";
      }
  return csv;
}

// A folder of each test's own, so that tests run side by side keep apart; and the page's
// bank forgotten afterwards, so that no other test's sheet checks it.
class MeasuredCommandTest : public testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override {
    if (calc::CalculatorState* calculator = calc::Calculator())
      calculator->ForgetMeasuredBank(calc::CalculationPage::kBridgePage);
    fs::remove_all(folder_);
  }
  const fs::path folder_ =
      fs::temp_directory_path() / (std::string("capcalc measured ") +
                                   testing::UnitTest::GetInstance()->current_test_info()->name());
};

TEST_F(MeasuredCommandTest, TheSheetChecksTheMeasuredBankAndItsRebalancing) {
  const fs::path csv = folder_ / "bank.csv", rebalanced = folder_ / "new bank.csv";
  const fs::path json = folder_ / "sheet.json";
  Write(csv, BridgeCsv("3.25"));
  const ScriptRun run = RunLines(kBridgeClick + U8(u8"measured 编辑框_Idz1 ") + csv.string() +
                                 "\n" + U8(u8"rebalance 编辑框_Idz1 ") + rebalanced.string() +
                                 "\n" + U8(u8"sheet 编辑框_Idz1 ") + json.string() + "\n");
  ASSERT_EQ(run.err, "");
  EXPECT_TRUE(run.out.starts_with(U8(u8"编辑框_Idz1.exchange=A相1臂1串1号 ↔ "))) << run.out;
  EXPECT_NE(run.out.find(U8(u8"编辑框_Idz1.rebalanced_signal=")), std::string::npos);
  const std::string sheet = Contents(json);
  EXPECT_NE(sheet.find("\"measured\": {\"initial_signal\": "), std::string::npos) << sheet;
  EXPECT_NE(sheet.find("\"phase_signals\": [0."), std::string::npos);
  EXPECT_EQ(sheet.find("\"rebalanced_signal\": null"), std::string::npos);
  const std::string written = Contents(rebalanced);
  EXPECT_TRUE(
      written.starts_with("\xEF\xBB\xBF"
                          "phase,branch,group,unit,uF,was\r\n"))
      << written;
  EXPECT_NE(written.find(U8(u8",A相1臂1串1号\r\n")), std::string::npos);

  // The rebalanced file reads back as a measured bank, and a new bank forgets the
  // rebalancing of the one before.
  EXPECT_EQ(RunLines(U8(u8"measured 编辑框_Idz1 ") + rebalanced.string() + "\n" +
                     U8(u8"sheet 编辑框_Idz1 ") + json.string() + "\n")
                .err,
            "");
  EXPECT_NE(Contents(json).find("\"rebalanced_signal\": null"), std::string::npos);
}

TEST_F(MeasuredCommandTest, AnInitialUnbalanceAtTheSettingIsWarnedOf) {
  const fs::path csv = folder_ / "bank.csv", json = folder_ / "sheet.json";
  Write(csv, BridgeCsv("0.3"));
  ASSERT_EQ(RunLines(kBridgeClick + U8(u8"measured 编辑框_Idz1 ") + csv.string() + "\n" +
                     U8(u8"sheet 编辑框_Idz1 ") + json.string() + "\n")
                .err,
            "");
  EXPECT_NE(Contents(json).find("\"single_failure_exceeds_kv\", \"initial_unbalance_trips\", "
                                "\"initial_unbalance_masks_fault\"]"),
            std::string::npos)
      << Contents(json);
  // A calculation of other counts cannot use the bank: it says so and checks nothing.
  ASSERT_EQ(RunLines(U8(u8"set 编辑框_M7 6\nclick 按钮_桥式差电流外熔丝\nsheet 编辑框_Idz1 ") +
                     json.string() + "\n")
                .err,
            "");
  EXPECT_EQ(Contents(json).find("\"measured\""), std::string::npos);
  EXPECT_NE(Contents(json).find("\"arrangement_impossible\""), std::string::npos);
}

TEST_F(MeasuredCommandTest, ARefusedCsvNamesItsLineAndChangesNothing) {
  const fs::path good = folder_ / "good.csv", bad = folder_ / "bad.csv";
  const fs::path json = folder_ / "sheet.json";
  Write(good, BridgeCsv("3.2"));
  Write(bad, BridgeCsv("-3.2"));
  ASSERT_EQ(RunLines(kBridgeClick + U8(u8"measured 编辑框_Idz1 ") + good.string() + "\n" +
                     U8(u8"sheet 编辑框_Idz1 ") + json.string() + "\n")
                .err,
            "");
  const std::string before = Contents(json);
  // Quoted as the driver quotes a path: a Windows temporary folder is cut short.
  EXPECT_EQ(
      RunLines(U8(u8"measured 编辑框_Idz1 ") + bad.string() + "\n").err,
      "line 1: " + script::Quoted(bad.string()) + U8(u8" line 2: uF 应为正的有限数，而非“-3.2”\n"));
  ASSERT_EQ(RunLines(U8(u8"sheet 编辑框_Idz1 ") + json.string() + "\n").err, "");
  EXPECT_EQ(Contents(json), before);
}

TEST_F(MeasuredCommandTest, RefusedLines) {
  const fs::path csv = folder_ / "bank.csv";
  Write(csv, BridgeCsv("3.2"));
  EXPECT_EQ(RunLines("measured\n").err, "line 1: missing control name\n");
  EXPECT_EQ(RunLines(U8(u8"measured 编辑框_没有 x.csv\n")).err,
            U8(u8"line 1: unknown control \"编辑框_没有\"\n"));
  EXPECT_EQ(RunLines(kBridgeClick + U8(u8"rebalance 编辑框_Idz1\n")).err, "line 6: missing path\n");
  EXPECT_EQ(RunLines(U8(u8"measured 编辑框_M7 ") + csv.string() + "\n").err,
            U8(u8"line 1: 该结果框尚无保护整定计算，请先计算\n"));
  EXPECT_EQ(RunLines(kBridgeClick + U8(u8"rebalance 编辑框_Idz1 /tmp/x.csv\n")).err,
            U8(u8"line 6: 本页尚未载入实测电容\n"));
  EXPECT_TRUE(
      RunLines(kBridgeClick + U8(u8"measured 编辑框_Idz1 ") + folder_.string() + "/none.csv\n")
          .err.starts_with(U8(u8"line 6: 无法读取文件：")));
  EXPECT_EQ(RunLines(kBridgeClick +
                     U8(u8"set 编辑框_N7 3\nclick 按钮_桥式差电流外熔丝\n"
                        u8"measured 编辑框_Idz1 ") +
                     csv.string() + "\n")
                .err,
            U8(u8"line 8: 无法按本页接线排列：桥式接线每相为两条支路、每条支路分上下两半：M 与 N "
               u8"应为偶数（M = 4，N = 3）\n"));
  // A rebalanced bank that cannot be written is not kept.
  ASSERT_EQ(RunLines(kBridgeClick + U8(u8"measured 编辑框_Idz1 ") + csv.string() + "\n").err, "");
  EXPECT_TRUE(RunLines(U8(u8"rebalance 编辑框_Idz1 /nonexistent/folder/x.csv\n"))
                  .err.starts_with(U8(u8"line 1: 无法写入文件：")));
  EXPECT_FALSE(calc::Calculator()->MeasuredBanksOf(calc::CalculationPage::kBridgePage)->rebalanced);
}

}  // namespace
