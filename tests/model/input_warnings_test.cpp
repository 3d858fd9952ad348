// The warnings for the inputs engineers get wrong, from the inputs that call them up, in
// the words the sheet shows; and none of them on the worked banks of any page.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "calc/model/capacitor.h"
#include "calc/model/protection_analysis.h"
#include "tests/model/worked_banks.h"

namespace {

using namespace calc;
using testing_support::WorkedBank;
using enum CalculationPage;
using enum Variant;
using Texts = std::vector<std::string>;

const Texts kInputCodes = {"count_not_positive", "beta_out_of_range", "coil_voltage_suspect",
                           "setting_not_positive", "connection_text_ignored"};

// The labels beside the boxes, as the pages show them.
const std::map<std::string, std::string> kLabels = {
    {"Uψ", "电容器额定相电压Uψ"},
    {"U1", "放电线圈一次电压"},
    {"U2", "放电线圈二次电压"},
    {"Iψ", "电容器额定相电流Iψ"},
    {"CT", "电流互感器变比"},
    {"M", "一相并联数M"},
    {"N", "一相串联数N"},
    {"β", "单台电容器内部元件击穿段数的百分比β（50%-70%）"},
    {"Kv", "完好单元件允许过电压倍数Kv(1.1)"},
    {"Klm", "灵敏系数Klm（≥1.1~1.5）"},
    {"m", "单元中并联元件数m"},
    {"n", "单元中串联元件数n"},
    {"nCT", "电容组CT变比"},
    {"", "电容器组接线形式"},
};

Captions CaptionsOf(const std::vector<InputReading>& inputs, Texts results) {
  Captions captions{{}, std::move(results)};
  for (const InputReading& input : inputs) {
    auto label = kLabels.find(input.symbol);
    captions.inputs.push_back(label == kLabels.end() ? input.symbol : label->second);
  }
  return captions;
}

SheetAnalysis Analysed(CalculationPage page, Variant variant, const ProtectionTexts& texts) {
  const ProtectionOutcome outcome = CalculateProtection(page, variant, texts);
  return AnalyseProtection(outcome, CaptionsOf(outcome.inputs, {"电压整定值Udz"}));
}

const SheetWarning* Find(const SheetAnalysis& analysis, const std::string& code) {
  auto found = std::find_if(analysis.warnings.begin(), analysis.warnings.end(),
                            [&](const SheetWarning& warning) { return warning.code == code; });
  return found == analysis.warnings.end() ? nullptr : &*found;
}

Texts InputCodes(const SheetAnalysis& analysis) {
  Texts codes;
  for (const SheetWarning& warning : analysis.warnings)
    if (std::count(kInputCodes.begin(), kInputCodes.end(), warning.code))
      codes.push_back(warning.code);
  return codes;
}

CapacitorTexts CapacitorBank(int32_t connection, std::string shown) {
  return {"6.35",
          "3000",
          "5",
          "10",
          "50",
          "300",
          "0.8",
          "0.95",
          "5000",
          connection,
          std::move(shown),
          {"星形接线", "角形接线"}};
}

SheetAnalysis AnalysedCapacitor(const CapacitorTexts& texts) {
  const CapacitorOutcome outcome = CalculateCapacitorParameters(texts);
  Texts results(kCapacitorResultCount, "");
  results[static_cast<size_t>(CapacitorResult::kInstantaneousSetting)] = "瞬时保护电流二次定值";
  return AnalyseCapacitorParameters(outcome, CaptionsOf(outcome.inputs, results));
}

TEST(InputWarningsTest, SilentOnTheWorkedBanks) {
  for (CalculationPage page : {kOpenDeltaPage, kDifferentialPage, kNeutralLinePage, kBridgePage})
    for (Variant variant : {kFuseless, kExternalFuses, kInternalFuses})
      EXPECT_EQ(InputCodes(Analysed(page, variant, WorkedBank(page, variant))), Texts{})
          << PageTitle(page) << " " << static_cast<int>(variant);
  EXPECT_EQ(InputCodes(AnalysedCapacitor(CapacitorBank(0, "星形接线"))), Texts{});
  EXPECT_EQ(InputCodes(AnalysedCapacitor(CapacitorBank(1, "角形接线"))), Texts{});
}

// M, N, m, n and the CT ratio: blank, zero or negative, each box named with what it held.
TEST(InputWarningsTest, CountsNotPositive) {
  ProtectionTexts texts = WorkedBank(kOpenDeltaPage, kInternalFuses);
  texts.m = texts.n = "";
  SheetAnalysis analysis = Analysed(kOpenDeltaPage, kInternalFuses, texts);
  ASSERT_EQ(InputCodes(analysis), Texts{"count_not_positive"});
  EXPECT_EQ(Find(analysis, "count_not_positive")->message,
            "单元中并联元件数m（空）、单元中串联元件数n（空）"
            "为空、为零或为负：台数、元件数和变比应为正整数。");

  texts = WorkedBank(kNeutralLinePage, kFuseless);
  texts.CT = "0";
  texts.N = "-2";
  analysis = Analysed(kNeutralLinePage, kFuseless, texts);
  ASSERT_NE(Find(analysis, "count_not_positive"), nullptr);
  EXPECT_EQ(Find(analysis, "count_not_positive")
                ->message.rfind("电流互感器变比（0）、一相串联数N（-2）为空", 0),
            0u);

  CapacitorTexts capacitor = CapacitorBank(0, "星形接线");
  capacitor.nCT = "";
  EXPECT_NE(
      Find(AnalysedCapacitor(capacitor), "count_not_positive")->message.find("电容组CT变比（空）"),
      std::string::npos);
}

// M = −10 with Klm = 1.3: the counts are blamed, not Klm; a Klm of 0.9 is.
TEST(InputWarningsTest, MissedPickupBlamesKlmOnlyBelowOne) {
  ProtectionTexts texts = WorkedBank(kOpenDeltaPage, kExternalFuses);
  texts.M = "-10";
  SheetAnalysis analysis = Analysed(kOpenDeltaPage, kExternalFuses, texts);
  EXPECT_NE(Find(analysis, "count_not_positive"), nullptr);
  for (const SheetWarning& warning : analysis.warnings)
    EXPECT_EQ(warning.message.find("Klm"), std::string::npos) << warning.code;

  texts = WorkedBank(kOpenDeltaPage, kExternalFuses);
  texts.Klm = "0.9";
  analysis = Analysed(kOpenDeltaPage, kExternalFuses, texts);
  ASSERT_NE(Find(analysis, "does_not_pick_up_at_k"), nullptr);
  const std::string& message = Find(analysis, "does_not_pick_up_at_k")->message;
  EXPECT_NE(message.find("保护不动作：灵敏系数Klm（≥1.1~1.5）（0.9）小于 1。"), std::string::npos)
      << message;
  EXPECT_EQ(InputCodes(analysis), Texts{});
}

// β typed as 50 for 50 %: a negative setting, and both warnings say why.
TEST(InputWarningsTest, BetaTypedAsAPercentage) {
  ProtectionTexts texts = WorkedBank(kOpenDeltaPage, kFuseless);
  texts.β = "50";
  const ProtectionOutcome outcome = CalculateProtection(kOpenDeltaPage, kFuseless, texts);
  EXPECT_EQ(outcome.setting_text, "-8.125677406813");
  const SheetAnalysis analysis = Analysed(kOpenDeltaPage, kFuseless, texts);
  ASSERT_EQ(InputCodes(analysis), (Texts{"beta_out_of_range", "setting_not_positive"}));
  EXPECT_EQ(analysis.warnings[0].message,
            "单台电容器内部元件击穿段数的百分比β（50%-70%）（50）不在 0 与 1 之间：β "
            "按小数输入，50% 输入 0.5。");
  EXPECT_EQ(analysis.warnings[1].message,
            "整定值不大于零：电压整定值Udz = -8.125677406813，保护无法按此整定，请检查输入。");
  for (const char* β : {"", "0", "-0.5", "1.5"}) {
    texts.β = β;
    EXPECT_NE(Find(Analysed(kBridgePage, kFuseless, texts), "beta_out_of_range"), nullptr) << β;
  }
  texts.β = "1";  // a whole unit broken down is still a fraction
  EXPECT_EQ(Find(Analysed(kBridgePage, kFuseless, texts), "beta_out_of_range"), nullptr);
}

// U2 in volts: above 1 kV, or above U1; a blank U1 is no yardstick.
TEST(InputWarningsTest, CoilSecondaryTypedInVolts) {
  ProtectionTexts texts = WorkedBank(kDifferentialPage, kExternalFuses);
  texts.U2 = "100";
  SheetAnalysis analysis = Analysed(kDifferentialPage, kExternalFuses, texts);
  EXPECT_EQ(analysis.warnings.empty() ? "" : analysis.warnings.front().code, "coil_voltage_suspect")
      << "nothing but the coil";
  EXPECT_EQ(Find(analysis, "coil_voltage_suspect")->message,
            "放电线圈二次电压（100）高于 1 kV、放电线圈一次电压（6.35）：二次电压似按伏输入，"
            "应按 kV 输入（100 V 输入 0.1）。");
  texts.U1 = "0.38";
  texts.U2 = "0.4";
  EXPECT_NE(Find(Analysed(kOpenDeltaPage, kFuseless, texts), "coil_voltage_suspect"), nullptr);
  texts.U1 = "";
  EXPECT_EQ(Find(Analysed(kOpenDeltaPage, kFuseless, texts), "coil_voltage_suspect"), nullptr);
  texts = WorkedBank(kOpenDeltaPage, kFuseless);
  texts.U2 = "1.5";
  texts.U1 = "35";
  EXPECT_NE(Find(Analysed(kOpenDeltaPage, kFuseless, texts), "coil_voltage_suspect"), nullptr);
}

// A finite setting at or below zero; an infinite one is not_finite's.
TEST(InputWarningsTest, SettingNotPositive) {
  ProtectionTexts texts = WorkedBank(kNeutralLinePage, kExternalFuses);
  texts.Iψ = "-288.7";
  EXPECT_EQ(InputCodes(Analysed(kNeutralLinePage, kExternalFuses, texts)),
            Texts{"setting_not_positive"});
  texts.Iψ = "";
  EXPECT_EQ(InputCodes(Analysed(kNeutralLinePage, kExternalFuses, texts)),
            Texts{"setting_not_positive"});
  texts = WorkedBank(kNeutralLinePage, kExternalFuses);
  texts.Klm = "";
  EXPECT_EQ(InputCodes(Analysed(kNeutralLinePage, kExternalFuses, texts)), Texts{});

  CapacitorTexts capacitor = CapacitorBank(0, "星形接线");
  capacitor.QN = "-3000";
  const SheetAnalysis analysis = AnalysedCapacitor(capacitor);
  const SheetWarning* warning = Find(analysis, "setting_not_positive");
  ASSERT_NE(warning, nullptr);
  EXPECT_EQ(warning->message.rfind("整定值不大于零：瞬时保护电流二次定值 = -1.574803161621、", 0),
            0u)
      << warning->message;
}

// "delta" typed into the connection box: the star formulas were used, and the sheet says so.
TEST(InputWarningsTest, ConnectionTextNoneOfTheItems) {
  SheetAnalysis analysis = AnalysedCapacitor(CapacitorBank(0, "delta"));
  ASSERT_EQ(InputCodes(analysis), Texts{"connection_text_ignored"});
  EXPECT_EQ(Find(analysis, "connection_text_ignored")->message,
            "电容器组接线形式框中的文字“delta”不是其选项（“星形接线”、“角形接线”）之一；"
            "计算按“星形接线”的公式进行。");
  analysis = AnalysedCapacitor(CapacitorBank(1, ""));
  EXPECT_EQ(Find(analysis, "connection_text_ignored")->message,
            "电容器组接线形式框中没有文字（其选项为“星形接线”、“角形接线”）；"
            "计算按“角形接线”的公式进行。");
  analysis = AnalysedCapacitor(CapacitorBank(-1, ""));
  EXPECT_NE(Find(analysis, "connection_text_ignored")
                ->message.find("未选中任何一项，额定电流与输出容量按角形接线的公式计算"),
            std::string::npos);
}

}  // namespace
