// The calculation sheets of the worked examples: their fault tables, marks and warnings,
// the record taken at the click, and the sheet as JSON.
#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <vector>

#include "calc/pages/calculator_state.h"
#include "calc/pages/control_io.h"
#include "calc/pages/page_sheets.h"
#include "calc/sheet/sheet_document.h"
#include "calc/sheet/sheet_json.h"
#include "runtime/core/frame.h"
#include "runtime/core/number_format.h"
#include "tests/headless_window.h"

namespace {

using namespace calc;
using testing_support::SetContent;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

struct Page {
  uint32_t common[5];  // Uψ, U1, U2, M, N on the voltage pages; Iψ, CT, M, N on the current pages
  uint32_t kv_external, klm_external, kv_internal, klm_internal, m, n, klm_fuseless;
  uint32_t fuseless, external, internal, result;
};

constexpr Page kOpenDelta = {
    {编辑框_电容电压1, 编辑框_线圈一次, 编辑框_线圈二次, 编辑框_M1, 编辑框_N1},
    编辑框_Kv1,
    编辑框_Klm1,
    编辑框_Kv2,
    编辑框_Klm2,
    编辑框_M2,
    编辑框_N2,
    编辑框_Klm3,
    按钮_开口无熔丝,
    按钮_开口外熔丝,
    按钮_开口内熔丝,
    编辑框_Udz};
constexpr Page kDifferential = {
    {编辑框_电容电压2, 编辑框_线圈一次1, 编辑框_线圈二次1, 编辑框_M3, 编辑框_N3},
    编辑框_Kv3,
    编辑框_Klm5,
    编辑框_Kv4,
    编辑框_Klm6,
    编辑框_M4,
    编辑框_N4,
    编辑框_Klm4,
    按钮_差动无熔丝,
    按钮_差动外熔丝,
    按钮_差动内熔丝,
    编辑框_Udz1};
constexpr Page kNeutralLine = {{编辑框_电容相电流, 编辑框_零序CT比, 编辑框_M5, 编辑框_N5},
                               编辑框_Kv5,
                               编辑框_Klm8,
                               编辑框_Kv6,
                               编辑框_Klm9,
                               编辑框_M6,
                               编辑框_N6,
                               编辑框_Klm7,
                               按钮_中性线电流无熔丝,
                               按钮_中性线电流外熔丝,
                               按钮_中性线电流内熔丝,
                               编辑框_Idz};
constexpr Page kBridge = {{编辑框_电容相电流1, 编辑框_零序CT比1, 编辑框_M7, 编辑框_N7},
                          编辑框_Kv7,
                          编辑框_Klm11,
                          编辑框_Kv8,
                          编辑框_Klm12,
                          编辑框_M8,
                          编辑框_N8,
                          编辑框_Klm10,
                          按钮_桥式差电流无熔丝,
                          按钮_桥式差电流外熔丝,
                          按钮_桥式差内熔丝,
                          编辑框_Idz1};

// The worked examples' banks: Us = 100 V, M = 10, N = 1 on the voltage pages; Iψ = 288.7 A,
// CT = 40, M = 8, N = 2 on the current pages; the factors as the window starts with them,
// m = 14 and n = 4.
void Fill(const Page& page) {
  testing_support::StartHeadless();
  const bool voltage = page.result == 编辑框_Udz || page.result == 编辑框_Udz1;
  const std::vector<const char*> common = voltage ? std::vector{"6.35", "6.35", "0.1", "10", "1"}
                                                  : std::vector{"288.7", "40", "8", "2"};
  for (size_t i = 0; i < common.size(); ++i) SetContent(page.common[i], common[i]);
  SetContent(page.kv_external, "1.1");
  SetContent(page.kv_internal, "1.15");
  for (uint32_t klm : {page.klm_external, page.klm_internal, page.klm_fuseless})
    SetContent(klm, "1.3");
  SetContent(page.m, "14");
  SetContent(page.n, "4");
}

Sheet SheetOfClick(uint32_t button, uint32_t box) {
  testing_support::Click(button);
  std::optional<Sheet> sheet = SheetBehind(box);
  EXPECT_TRUE(sheet);
  return sheet.value_or(Sheet{});
}

std::vector<std::string> Column(const Sheet& sheet, double FaultRow::*field) {
  std::vector<std::string> texts;
  for (const FaultRow& row : sheet.faults) texts.push_back(TableNumber(row.*field));
  return texts;
}

// The failure counts of the marked rows: at K, the first pickup, the last within Kv.
std::vector<int> Marks(const Sheet& sheet) {
  std::vector<int> marks = {-1, -1, -1};
  for (const FaultRow& row : sheet.faults) {
    if (row.at_k) marks[0] = row.failures;
    if (row.first_pickup) marks[1] = row.failures;
    if (row.last_within_kv) marks[2] = row.failures;
  }
  return marks;
}

// The failure count of the row marked for the alarm stage; -1 when none is.
int AlarmRow(const Sheet& sheet) {
  for (const FaultRow& row : sheet.faults)
    if (row.alarm) return row.failures;
  return -1;
}

std::vector<std::string> Codes(const Sheet& sheet) {
  std::vector<std::string> codes;
  for (const SheetWarning& warning : sheet.warnings) codes.push_back(warning.code);
  return codes;
}

using Texts = std::vector<std::string>;

class VoltageSheetTest : public ::testing::TestWithParam<Page> {};

TEST_P(VoltageSheetTest, ExternalFusesWorkedCheck) {
  Fill(GetParam());
  Sheet sheet = SheetOfClick(GetParam().external, GetParam().result);
  EXPECT_EQ(Column(sheet, &FaultRow::overvoltage),
            (Texts{"1", "1.0345", "1.0714", "1.1111", "1.1538"}));
  EXPECT_EQ(Column(sheet, &FaultRow::signal), (Texts{"0", "10.345", "21.429", "33.333", "46.154"}));
  EXPECT_EQ(sheet.setting.text, "16.48351729773");
  EXPECT_NEAR(sheet.failed_count->computed, 2.727, 0.001);
  EXPECT_EQ(sheet.failed_count->used, 2);
  EXPECT_EQ(Marks(sheet), (std::vector{2, 2, 2}));
  EXPECT_EQ(AlarmRow(sheet), 1);  // 30·0.05 / 1.05 = 1.43
  EXPECT_EQ(Codes(sheet), Texts{});
}

// With M = 2 one failed unit already leaves the other at 1.2 times its voltage.
TEST_P(VoltageSheetTest, SingleFailureExceedsKv) {
  Fill(GetParam());
  SetContent(GetParam().common[3], "2");
  Sheet sheet = SheetOfClick(GetParam().external, GetParam().result);
  EXPECT_EQ(Column(sheet, &FaultRow::overvoltage), (Texts{"1", "1.2"}));  // no further than M − 1
  EXPECT_EQ(sheet.failed_count->used, 1);
  EXPECT_EQ(Marks(sheet), (std::vector{1, 1, 0}));
  EXPECT_EQ(AlarmRow(sheet), 1);  // beside the trip row: both stages at one failure
  EXPECT_EQ(Codes(sheet), Texts{"single_failure_exceeds_kv"});
}

// T = 1680 elements, R = 91: K = 2 of the 14 elements of one group.
TEST_P(VoltageSheetTest, InternalFusesWorkedExample) {
  Fill(GetParam());
  Sheet sheet = SheetOfClick(GetParam().internal, GetParam().result);
  EXPECT_EQ(sheet.setting.text, "0.3081031142053");
  EXPECT_EQ(Column(sheet, &FaultRow::overvoltage),
            (Texts{"1", "1.0573", "1.1215", "1.194", "1.2766"}));
  EXPECT_EQ(sheet.failed_count->used, 2);
  EXPECT_EQ(Marks(sheet), (std::vector{2, 2, 2}));
  EXPECT_EQ(Codes(sheet), Texts{});
}

TEST_P(VoltageSheetTest, FuselessUnit) {
  Fill(GetParam());
  Sheet sheet = SheetOfClick(GetParam().fuseless, GetParam().result);
  EXPECT_EQ(sheet.setting.text, "7.444169244186");
  EXPECT_EQ(rt::FormatDouble(sheet.fuseless->signal), "9.677419662476");
  EXPECT_EQ(TableNumber(sheet.fuseless->overvoltage), "1.9355");  // 30 / (15 + 0.5)
  EXPECT_FALSE(sheet.failed_count);
  EXPECT_TRUE(sheet.faults.empty());
}

// Klm = 1 sets the relay at the fault's own signal; held in single precision, Uch lies
// above S(K), and still the row at K picks up. Below 1 it does not; well above 1 the relay
// picks up before K.
TEST_P(VoltageSheetTest, SensitivityDecidesWhereTheRelayPicksUp) {
  Fill(GetParam());
  SetContent(GetParam().klm_external, "1");
  Sheet sheet = SheetOfClick(GetParam().external, GetParam().result);
  EXPECT_EQ(Marks(sheet), (std::vector{2, 2, 2}));
  EXPECT_EQ(Codes(sheet), Texts{});
  SetContent(GetParam().klm_external, "0.9");
  sheet = SheetOfClick(GetParam().external, GetParam().result);
  EXPECT_EQ(Marks(sheet), (std::vector{2, 3, 2}));
  EXPECT_EQ(Codes(sheet), Texts{"does_not_pick_up_at_k"});
  SetContent(GetParam().klm_external, "3");
  sheet = SheetOfClick(GetParam().external, GetParam().result);
  EXPECT_EQ(Marks(sheet), (std::vector{2, 1, 2}));
  EXPECT_EQ(Codes(sheet), Texts{"picks_up_before_k"});
}

INSTANTIATE_TEST_SUITE_P(Pages, VoltageSheetTest, ::testing::Values(kOpenDelta, kDifferential),
                         [](const ::testing::TestParamInfo<Page>& info) {
                           return info.param.result == 编辑框_Udz ? "OpenDelta" : "Differential";
                         });

TEST(CurrentSheetTest, NeutralLineWorkedExamples) {
  Fill(kNeutralLine);
  Sheet sheet = SheetOfClick(kNeutralLine.external, kNeutralLine.result);
  // One failure already exceeds Kv: V(1) = 48 / 41; the failures lie in one half of 4 units.
  EXPECT_EQ(Column(sheet, &FaultRow::overvoltage), (Texts{"1", "1.1707", "1.4118", "1.7778"}));
  EXPECT_EQ(Marks(sheet), (std::vector{1, 1, 0}));
  EXPECT_EQ(Codes(sheet), Texts{"single_failure_exceeds_kv"});
  sheet = SheetOfClick(kNeutralLine.internal, kNeutralLine.result);
  EXPECT_EQ(sheet.working_values[6].text, "151");  // R
  EXPECT_EQ(sheet.failed_count->used, 2);
  EXPECT_EQ(Marks(sheet), (std::vector{2, 2, 2}));
  SetContent(kNeutralLine.common[2], "12");
  SetContent(kNeutralLine.common[3], "1");
  sheet = SheetOfClick(kNeutralLine.external, kNeutralLine.result);
  EXPECT_EQ(sheet.setting.text, "0.7570804818623");
  EXPECT_EQ(sheet.failed_count->used, 3);
  EXPECT_EQ(Marks(sheet), (std::vector{3, 3, 3}));
}

TEST(CurrentSheetTest, BridgeWorkedExamples) {
  Fill(kBridge);
  Sheet sheet = SheetOfClick(kBridge.internal, kBridge.result);
  EXPECT_EQ(sheet.working_values[6].text, "148");  // R
  EXPECT_EQ(sheet.failed_count->used, 2);
  EXPECT_EQ(Codes(sheet), Texts{});
  // N = 1 is no bridge; 6N − 8 < 0 makes every failure lower the voltage, so Kv is never
  // reached and the table runs to the 5 units of one arm.
  SetContent(kBridge.common[2], "12");
  SetContent(kBridge.common[3], "1");
  sheet = SheetOfClick(kBridge.external, kBridge.result);
  EXPECT_EQ(sheet.setting.text, "0.4383097405914");
  EXPECT_NEAR(sheet.failed_count->computed, -1.636, 0.001);
  EXPECT_EQ(Column(sheet, &FaultRow::overvoltage),
            (Texts{"1", "0.94737", "0.9", "0.85714", "0.81818", "0.78261"}));
  EXPECT_EQ(Codes(sheet), Texts{"bridge_layout"});
  SetContent(kBridge.common[2], "7");
  SetContent(kBridge.common[3], "2");
  EXPECT_EQ(Codes(SheetOfClick(kBridge.fuseless, kBridge.result)), Texts{"bridge_layout"});
}

TEST(CurrentSheetTest, FuselessUnit) {
  Fill(kNeutralLine);
  Sheet sheet = SheetOfClick(kNeutralLine.fuseless, kNeutralLine.result);
  EXPECT_EQ(rt::FormatDouble(sheet.fuseless->signal), "0.1968409121037");
  EXPECT_EQ(TableNumber(sheet.fuseless->overvoltage), "1.7455");  // 48 / (24 + 3.5)
}

TEST(CurrentSheetTest, NotFiniteNamesTheEmptyInputs) {
  Fill(kNeutralLine);
  SetContent(kNeutralLine.common[1], "");
  Sheet sheet = SheetOfClick(kNeutralLine.external, kNeutralLine.result);
  EXPECT_EQ(sheet.setting.text, "1.#INF");
  ASSERT_EQ(Codes(sheet), (Texts{"single_failure_exceeds_kv", "not_finite", "count_not_positive"}));
  EXPECT_NE(sheet.warnings[1].message.find("为空或为零的输入：电流互感器变比。"),
            std::string::npos);
}

constexpr uint32_t kResultBoxes[] = {编辑框_电容电流,  编辑框_电容电流1, 编辑框_XC,
                                     编辑框_XL,        编辑框_电容电流2, 编辑框_电容输出,
                                     编辑框_调谐频率,  编辑框_补偿容量,  编辑框_电容电流6,
                                     编辑框_电容电流7, 编辑框_电容电流8, 编辑框_电容电流9};

void FillCapacitorPage(const char* reactor, int connection) {
  testing_support::StartHeadless();
  const std::pair<uint32_t, const char*> kInputs[] = {
      {编辑框_电容电压, "6.35"}, {编辑框_电容容量, "3000"}, {编辑框_电抗率, reactor},
      {编辑框_系统电压, "10"},   {编辑框_频率, "50"},       {编辑框_CT变比, "300"},
      {编辑框_COS1, "0.8"},      {编辑框_COS2, "0.95"},     {编辑框_P, "5000"}};
  for (const auto& [box, text] : kInputs) SetContent(box, text);
  WriteIntProperty(组合框_接线方式, kSelectionProperty, connection);
}

TEST(CapacitorSheetTest, OperatingVoltageBesideTheRatedVoltage) {
  FillCapacitorPage("5", 0);
  Sheet sheet = SheetOfClick(按钮_电容器计算, 编辑框_XC);
  EXPECT_EQ(TableNumber(*sheet.operating_voltage), "6.0774");  // 10 / (√3 · 0.95)
  EXPECT_EQ(sheet.results.size(), 12u);
  EXPECT_EQ(sheet.results[0].text, "157.4803173257");
  EXPECT_EQ(sheet.results[0].formula, "IN = QN / (3·UN)");
  EXPECT_EQ(sheet.setting.text, "40.32249878883");
  EXPECT_EQ(sheet.diagram, ReadPicture(画板_星接));
  EXPECT_EQ(Codes(sheet), Texts{});
  FillCapacitorPage("12", 0);  // 10 / (√3 · 0.88) = 6.56 kV
  EXPECT_EQ(Codes(SheetOfClick(按钮_电容器计算, 编辑框_XC)), Texts{"capacitor_overvoltage"});
  FillCapacitorPage("5", 1);
  sheet = SheetOfClick(按钮_电容器计算, 编辑框_电容电流1);
  EXPECT_EQ(TableNumber(*sheet.operating_voltage), "10.526");
  EXPECT_EQ(sheet.results[1].formula, "IN / √3");
  EXPECT_EQ(sheet.diagram, ReadPicture(画板_角接));
  EXPECT_EQ(Codes(sheet), Texts{"capacitor_overvoltage"});
}

TEST(CapacitorSheetTest, NotFiniteResultsNameTheEmptyInputs) {
  FillCapacitorPage("", 0);  // no reactor: infinite tuning frequency
  Sheet sheet = SheetOfClick(按钮_电容器计算, 编辑框_调谐频率);
  ASSERT_EQ(Codes(sheet), Texts{"not_finite"});
  EXPECT_EQ(sheet.warnings[0].message,
            "结果不是有限数：调谐频率（1.#INF）。为空或为零的输入：电抗率。");
}

// "delta" typed into the connection box: the star formulas are used and the sheet says so,
// naming the box by its caption and the items it offers.
TEST(CapacitorSheetTest, ConnectionTextNoneOfTheItems) {
  FillCapacitorPage("5", 0);
  SetContent(组合框_接线方式, "delta");
  Sheet sheet = SheetOfClick(按钮_电容器计算, 编辑框_XC);
  EXPECT_EQ(sheet.results[0].text, "157.4803173257") << "the star formulas";
  ASSERT_EQ(Codes(sheet), Texts{"connection_text_ignored"});
  EXPECT_EQ(sheet.warnings[0].message,
            "电容器组接线形式框中的文字“delta”不是其选项（“星形接线”、“角形接线”）之一；"
            "计算按“星形接线”的公式进行。");
}

// Every one of the twelve boxes leads to the click that filled it, whatever was typed or
// picked since; a box no click has written leads nowhere.
TEST(SheetRecordTest, TakenAtTheClick) {
  FillCapacitorPage("5", 0);
  testing_support::Click(按钮_电容器计算);
  SetContent(编辑框_电容电压, "11");
  WriteIntProperty(组合框_接线方式, kSelectionProperty, 1);
  for (uint32_t box : kResultBoxes) {
    std::optional<Sheet> sheet = SheetBehind(box);
    ASSERT_TRUE(sheet) << box;
    EXPECT_EQ(sheet->inputs[0].text, "6.35");
    EXPECT_EQ(sheet->inputs.back().text, "星形接线");
    EXPECT_EQ(sheet->inputs.back().value, 0);
  }
  EXPECT_FALSE(SheetBehind(编辑框_电容电压));
  EXPECT_FALSE(SheetBehind(标签1));
  EXPECT_FALSE(HasSheetBehind(编辑框_M1));
}

// The result box shows the last click of any of its page's buttons, and so does its sheet.
TEST(SheetRecordTest, TheBoxLeadsToItsLastClick) {
  Fill(kOpenDelta);
  testing_support::Click(kOpenDelta.external);
  testing_support::Click(kOpenDelta.fuseless);
  std::optional<Sheet> sheet = SheetBehind(kOpenDelta.result);
  EXPECT_EQ(sheet->variant, Variant::kFuseless);
  EXPECT_EQ(sheet->variant_name, "无熔丝");
  EXPECT_EQ(std::get<ProtectionOutcome>(Calculator()->OfButton(kOpenDelta.external)->outcome)
                .setting_text,
            "16.48351729773");
}

// The calculator's state goes with the runtime: the end of the program, or of a test,
// leaves no sheet for the next runtime to offer.
TEST(SheetRecordTest, ANewRuntimeOffersNoEarlierSheet) {
  Fill(kOpenDelta);
  testing_support::Click(kOpenDelta.external);
  ASSERT_TRUE(HasSheetBehind(kOpenDelta.result));
  rt::DestroyRuntime();
  EXPECT_FALSE(HasSheetBehind(kOpenDelta.result));
  testing_support::StartHeadless();
  EXPECT_FALSE(HasSheetBehind(kOpenDelta.result));
  EXPECT_FALSE(SheetBehind(kOpenDelta.result));
  EXPECT_FALSE(Calculator()->OfButton(kOpenDelta.external));
}

// Every input of every calculation has its caption; every setting its label and unit.
TEST(SheetRecordTest, EveryBoxHasItsLabels) {
  FillCapacitorPage("5", 0);
  for (const Page& page : {kOpenDelta, kDifferential, kNeutralLine, kBridge}) {
    Fill(page);
    for (uint32_t button : {page.fuseless, page.external, page.internal}) {
      Sheet sheet = SheetOfClick(button, page.result);
      for (const SheetEntry& input : sheet.inputs) {
        EXPECT_FALSE(input.label.empty()) << input.control;
        EXPECT_FALSE(input.symbol.empty()) << input.control;
      }
      EXPECT_FALSE(sheet.setting.unit.empty()) << button;
      EXPECT_FALSE(sheet.diagram.empty()) << button;
      EXPECT_EQ(sheet.note,
                "注：本计算值按照标准公式计算，仅作为参考，实际使用时请参照经验值设置。");
    }
  }
  for (const SheetEntry& result : SheetOfClick(按钮_电容器计算, 编辑框_XC).results) {
    EXPECT_FALSE(result.label.empty()) << result.control;
    EXPECT_FALSE(result.formula.empty()) << result.control;
  }
}

TEST(SheetNamesTest, TitleAndFileName) {
  Fill(kOpenDelta);
  Sheet sheet = SheetOfClick(kOpenDelta.external, kOpenDelta.result);
  std::tm moment = {};
  moment.tm_year = 2026 - 1900;
  moment.tm_mon = 11;
  moment.tm_mday = 8;
  moment.tm_hour = 15;
  moment.tm_min = 30;
  moment.tm_isdst = -1;
  sheet.time = std::mktime(&moment);
  EXPECT_EQ(SheetTitle(sheet), "计算书：开口三角电压计算（外熔丝）");
  EXPECT_EQ(DefaultFileName(sheet), "开口三角电压计算-外熔丝-20261208-1530.html");
  EXPECT_EQ(SheetTime(sheet), "2026-12-08 15:30:00");
  FillCapacitorPage("5", 0);
  sheet = SheetOfClick(按钮_电容器计算, 编辑框_XC);
  sheet.time = std::mktime(&moment);
  EXPECT_EQ(DefaultFileName(sheet), "电容参数计算-20261208-1530.html");
}

TEST(SheetJsonTest, WorkedCheck) {
  Fill(kOpenDelta);
  Sheet sheet = SheetOfClick(kOpenDelta.external, kOpenDelta.result);
  EXPECT_EQ(SheetJson(sheet), U8(u8R"json({
  "page": "开口三角电压计算",
  "variant": "external_fuses",
  "inputs": [
    {"control": "编辑框_电容电压1", "label": "电容器额定相电压Uψ", "text": "6.35", "value": 6.349999904632568, "unit": "kV"},
    {"control": "编辑框_线圈一次", "label": "放电线圈一次电压", "text": "6.35", "value": 6.349999904632568, "unit": "kV"},
    {"control": "编辑框_线圈二次", "label": "放电线圈二次电压", "text": "0.1", "value": 0.10000000149011612, "unit": "kV"},
    {"control": "编辑框_M1", "label": "一相并联数M", "text": "10", "value": 10, "unit": ""},
    {"control": "编辑框_N1", "label": "一相串联数N", "text": "1", "value": 1, "unit": ""},
    {"control": "编辑框_Kv1", "label": "完好单元件允许过电压倍数Kv(1.1)", "text": "1.1", "value": 1.100000023841858, "unit": ""},
    {"control": "编辑框_Klm1", "label": "灵敏系数Klm（≥1.1~1.5）", "text": "1.3", "value": 1.2999999523162842, "unit": ""}
  ],
  "setting": {"control": "编辑框_Udz", "text": "16.48351729773", "value": 16.483517297727044},
  "working": {"Us": 100, "D": 1, "G": 300},
  "failed_count": {"computed": 2.7272732257843018, "used": 2},
  "faults": [
    {"failures": 0, "overvoltage": 1, "signal": 0, "picks_up": false, "marks": []},
    {"failures": 1, "overvoltage": 1.0344827586206897, "signal": 10.344827586206897, "picks_up": false, "marks": ["alarm"]},
    {"failures": 2, "overvoltage": 1.0714285714285714, "signal": 21.428571428571427, "picks_up": true, "marks": ["k", "first_pickup", "last_within_kv"]},
    {"failures": 3, "overvoltage": 1.1111111111111112, "signal": 33.333333333333336, "picks_up": true, "marks": []},
    {"failures": 4, "overvoltage": 1.1538461538461537, "signal": 46.15384615384615, "picks_up": true, "marks": []}
  ],
  "alarm": {"overvoltage_limit": 1.05, "failed_count": {"computed": 1.4285701513290405, "used": 1}, "signal": 10.344827651977539, "setting": 7.957560024171976},
  "warnings": []
}
)json"));
}

// The two stages side by side under the fault table, each with its purpose; a fuseless
// unit has no stages.
TEST(SheetDocumentTest, AlarmAndTripStages) {
  Fill(kOpenDelta);
  const SheetDocument document = DocumentOf(SheetOfClick(kOpenDelta.external, kOpenDelta.result));
  ASSERT_EQ(document.sections.size(), 7u);
  EXPECT_EQ(document.sections[3].heading, "故障表");
  EXPECT_EQ(document.sections[3].table->rows[1].cells[4].text, "告警");
  EXPECT_EQ(document.sections[3].table->rows[2].cells[4].text,
            "F = K、首次动作、V ≤ Kv 的最后一行");
  const DocumentSection& stages = document.sections[4];
  EXPECT_EQ(stages.heading, "告警与跳闸");
  std::vector<Texts> rows;
  for (const DocumentRow& row : stages.table->rows) {
    rows.emplace_back();
    for (const DocumentCell& cell : row.cells) rows.back().push_back(cell.text);
  }
  EXPECT_EQ(stages.table->headings,
            (Texts{"段", "过电压倍数", "K（取整前）", "K", "信号（V）", "整定值（V）"}));
  EXPECT_EQ(rows, (std::vector<Texts>{
                      {"告警", "1.05", "1.428570151329", "1", "10.34482765198", "7.957560024172"},
                      {"跳闸", "1.1", "2.727273225784", "2", "21.42857170105", "16.48351729773"}}));
  EXPECT_EQ(stages.paragraph->text, "告警：带时限发信号；跳闸：切除电容器组");
  for (const DocumentSection& section :
       DocumentOf(SheetOfClick(kOpenDelta.fuseless, kOpenDelta.result)).sections)
    EXPECT_NE(section.heading, "告警与跳闸");
}

// Every fused page: the working values by their symbols, and the alarm stage written with
// its limit as typed; the internal fuses' T and R in place of D.
TEST(SheetJsonTest, WorkingValuesAndAlarmOfEveryFusedPage) {
  const std::pair<Page, std::string> kExpected[] = {
      {kDifferential, U8(u8R"("working": {"Us": 100, "T": 1680, "R": 91, "G": 300})")},
      {kNeutralLine,
       U8(u8R"("working": {"Iψ": 288.70001220703125, "CT": 40, "T": 2688, "R": 151, "G": 10.826250457763672})")},
      {kBridge,
       U8(u8R"("working": {"Iψ": 288.70001220703125, "CT": 40, "T": 2688, "R": 148, "G": 21.652500915527344})")}};
  for (const auto& [page, working] : kExpected) {
    Fill(page);
    const std::string json = SheetJson(SheetOfClick(page.internal, page.result));
    EXPECT_NE(json.find(working), std::string::npos) << json;
    EXPECT_NE(json.find(R"("alarm": {"overvoltage_limit": 1.05, "failed_count": {"computed": 0.)"),
              std::string::npos)
        << json;
    EXPECT_EQ(json.find("\"alarm\": {", json.find("\"alarm\": {") + 1), std::string::npos);
  }
  Fill(kBridge);
  const std::string json = SheetJson(SheetOfClick(kBridge.fuseless, kBridge.result));
  EXPECT_NE(json.find(U8(u8R"("working": {"Iψ": 288.70001220703125, "CT": 40, "D": 4})")),
            std::string::npos)
      << json;
  EXPECT_EQ(json.find("alarm"), std::string::npos);
  FillCapacitorPage("5", 0);
  EXPECT_NE(SheetJson(SheetOfClick(按钮_电容器计算, 编辑框_XC)).find(R"("working": {})"),
            std::string::npos);
}

TEST(SheetJsonTest, TextsAreEscapedAndNonFiniteNumbersAreNull) {
  Fill(kNeutralLine);
  SetContent(kNeutralLine.common[0], "\"a\\b\"\n");
  SetContent(kNeutralLine.klm_fuseless, "");
  std::string json = SheetJson(SheetOfClick(kNeutralLine.fuseless, kNeutralLine.result));
  EXPECT_NE(json.find(R"("text": "\"a\\b\"\u000a")"), std::string::npos) << json;
  EXPECT_NE(
      json.find(U8(u8R"("setting": {"control": "编辑框_Idz", "text": "-1.#IND", "value": null})")),
      std::string::npos);
}

}  // namespace
