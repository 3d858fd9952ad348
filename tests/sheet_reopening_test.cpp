// A saved sheet reopened through the driver's "open PATH": every input box of every
// calculation gets its text back from the .json and from the .html sheet, its page is
// selected and nothing is calculated; a file that is no sheet changes nothing and says why.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "calc/pages/capacitor_boxes.h"
#include "calc/pages/control_io.h"
#include "calc/pages/protection_boxes.h"
#include "calc/pages/sheet_reopening.h"
#include "calc/sheet/saved_sheet.h"
#include "calc/sheet/sheet_json.h"
#include "runtime/platform/gbk.h"
#include "tests/headless_window.h"
#include "tools/capcalc-script/script.h"
#include "tools/capcalc-script/script_line.h"

namespace {

namespace fs = std::filesystem;
using calc::CalculationPage;
using calc::Variant;

// The tab control's current page, its first property of its own.
constexpr int32_t kCurrentPageProperty = 8;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Runs the lines; the error stream's text, empty when every line ran.
std::string ErrorsOf(const std::string& lines) {
  std::istringstream in(lines);
  std::ostringstream out, err;
  script::RunScript(in, out, err);
  return err.str();
}

void Write(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class Folder {
 public:
  // One of each test's own: the tests may run at the same time.
  Folder()
      : path_(fs::temp_directory_path() /
              ("capcalc reopening " +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))) {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~Folder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

struct Calculation {
  uint32_t button;
  CalculationPage page;
  Variant variant;
};

constexpr Calculation kCalculations[] = {
    {calc::按钮_电容器计算, CalculationPage::kCapacitorPage, Variant::kCapacitorParameters},
    {calc::按钮_开口无熔丝, CalculationPage::kOpenDeltaPage, Variant::kFuseless},
    {calc::按钮_开口外熔丝, CalculationPage::kOpenDeltaPage, Variant::kExternalFuses},
    {calc::按钮_开口内熔丝, CalculationPage::kOpenDeltaPage, Variant::kInternalFuses},
    {calc::按钮_差动无熔丝, CalculationPage::kDifferentialPage, Variant::kFuseless},
    {calc::按钮_差动外熔丝, CalculationPage::kDifferentialPage, Variant::kExternalFuses},
    {calc::按钮_差动内熔丝, CalculationPage::kDifferentialPage, Variant::kInternalFuses},
    {calc::按钮_中性线电流无熔丝, CalculationPage::kNeutralLinePage, Variant::kFuseless},
    {calc::按钮_中性线电流外熔丝, CalculationPage::kNeutralLinePage, Variant::kExternalFuses},
    {calc::按钮_中性线电流内熔丝, CalculationPage::kNeutralLinePage, Variant::kInternalFuses},
    {calc::按钮_桥式差电流无熔丝, CalculationPage::kBridgePage, Variant::kFuseless},
    {calc::按钮_桥式差电流外熔丝, CalculationPage::kBridgePage, Variant::kExternalFuses},
    {calc::按钮_桥式差内熔丝, CalculationPage::kBridgePage, Variant::kInternalFuses},
};

// The edit boxes the calculation reads (on page 1 the connection besides).
std::vector<uint32_t> EditBoxesOf(const Calculation& calculation) {
  std::vector<uint32_t> boxes;
  if (calculation.page == CalculationPage::kCapacitorPage) {
    for (const calc::CapacitorInputBox& input : calc::kCapacitorInputs) boxes.push_back(input.box);
    return boxes;
  }
  for (const calc::InputBox& input : calc::BoxesOfPage(calculation.page).inputs)
    if (input.Serves(calculation.variant)) boxes.push_back(input.box);
  return boxes;
}

uint32_t ResultBoxOf(const Calculation& calculation) {
  return calculation.page == CalculationPage::kCapacitorPage
             ? calc::编辑框_电容电流
             : calc::BoxesOfPage(calculation.page).result;
}

int CurrentPage() { return calc::ReadIntProperty(calc::选择夹1, kCurrentPageProperty); }

// Texts as engineers leave them: with stray spaces and letters, one of them a "</script>"
// that must not end the HTML sheet's data early.
std::string TextFor(size_t index) {
  if (index == 0) return "1.5</script><!--";
  return std::to_string(index) + (index % 2 ? ".25 " : "e1");
}

// Calculates with a text of its own in every box, saves both sheets, empties the boxes,
// opens the saved sheet and finds every text back, its page selected, nothing calculated.
void ReopenEveryCalculation(const char* extension) {
  for (const Calculation& calculation : kCalculations) {
    testing_support::StartHeadless();
    SCOPED_TRACE(calc::ControlName(calculation.button) + extension);
    Folder folder;
    const std::vector<uint32_t> boxes = EditBoxesOf(calculation);
    for (size_t i = 0; i < boxes.size(); ++i) testing_support::SetContent(boxes[i], TextFor(i));
    const bool delta = calculation.page == CalculationPage::kCapacitorPage;
    const std::string result = rt::GbkToUtf8(calc::ControlName(ResultBoxOf(calculation)));
    const fs::path sheet = folder.path() / (std::string("a sheet") + extension);
    ASSERT_EQ(ErrorsOf((delta ? U8(u8"select 组合框_接线方式 1\n") : "") + "click " +
                       rt::GbkToUtf8(calc::ControlName(calculation.button)) + "\nsheet " + result +
                       " " + sheet.string() + "\n"),
              "");

    for (uint32_t box : boxes) testing_support::SetContent(box, "0");
    testing_support::SetContent(ResultBoxOf(calculation), "shown before");
    ASSERT_EQ(ErrorsOf(U8(u8"select 组合框_接线方式 0\npage 5\nopen ") + sheet.string() + "\n"),
              "");
    for (size_t i = 0; i < boxes.size(); ++i)
      EXPECT_EQ(testing_support::Content(boxes[i]), TextFor(i)) << calc::ControlName(boxes[i]);
    EXPECT_EQ(CurrentPage(), static_cast<int>(calculation.page));
    EXPECT_EQ(testing_support::Content(ResultBoxOf(calculation)), "shown before");
    if (delta) {
      EXPECT_EQ(calc::ReadSelection(calc::组合框_接线方式), 1);
    }
  }
}

TEST(SheetReopeningTest, EveryInputOfEveryCalculationFromJson) { ReopenEveryCalculation(".json"); }

TEST(SheetReopeningTest, EveryInputOfEveryCalculationFromHtml) { ReopenEveryCalculation(".html"); }

// A connection typed rather than picked comes back as its text, the selection as it was.
TEST(SheetReopeningTest, ATypedConnectionComesBackAsItsText) {
  testing_support::StartHeadless();
  calc::SavedSheetReading reading = calc::ReadSavedSheet(
      "{\"page\": \"" + rt::GbkToUtf8(calc::PageTitle(CalculationPage::kCapacitorPage)) +
      "\", \"variant\": \"capacitor_parameters\", \"inputs\": [{\"control\": \"" +
      U8(u8"组合框_接线方式") + "\", \"text\": \"delta\"}, {\"control\": \"" +
      U8(u8"编辑框_电容电压") + "\", \"text\": \"11\"}]}");
  ASSERT_TRUE(reading.sheet) << rt::GbkToUtf8(reading.problem);
  ASSERT_EQ(ErrorsOf("page 3\n"), "");
  EXPECT_EQ(calc::PutBackSavedSheet(*reading.sheet), "");
  EXPECT_EQ(calc::ReadText(calc::组合框_接线方式), "delta");
  EXPECT_EQ(calc::ReadSelection(calc::组合框_接线方式), 0);
  EXPECT_EQ(testing_support::Content(calc::编辑框_电容电压), "11");
  EXPECT_EQ(CurrentPage(), 0);

  // Typed over the delta item, the item the sheet names by its value.
  reading = calc::ReadSavedSheet(
      "{\"page\": \"" + rt::GbkToUtf8(calc::PageTitle(CalculationPage::kCapacitorPage)) +
      "\", \"variant\": \"capacitor_parameters\", \"inputs\": [{\"control\": \"" +
      U8(u8"组合框_接线方式") + "\", \"text\": \"delta\", \"value\": 1}]}");
  ASSERT_TRUE(reading.sheet) << rt::GbkToUtf8(reading.problem);
  EXPECT_EQ(calc::PutBackSavedSheet(*reading.sheet), "");
  EXPECT_EQ(calc::ReadText(calc::组合框_接线方式), "delta");
  EXPECT_EQ(calc::ReadSelection(calc::组合框_接线方式), 1);
}

struct NotASheet {
  const char* name;
  std::string bytes;
  std::string error;  // after "cannot open "PATH": "
};

std::string SheetJsonWithInputs(const std::string& inputs) {
  return "{\"page\": \"" + rt::GbkToUtf8(calc::PageTitle(CalculationPage::kBridgePage)) +
         "\", \"variant\": \"external_fuses\", \"inputs\": " + inputs + "}";
}

// Each refused with its reason, the window as it was: the boxes' texts, the page.
TEST(SheetReopeningTest, AFileThatIsNoSheetChangesNothing) {
  const std::string prefix = U8(u8"这不是本程序保存的计算书：");
  const std::string good_input = U8(u8"{\"control\": \"编辑框_M7\", \"text\": \"9\"}");
  const std::vector<NotASheet> files = {
      {"words.json", "capacitor bank 8 x 2",
       prefix + U8(u8"数据不是完整的 JSON（第 1 个字节处有误）。")},
      {"empty.json", "", prefix + U8(u8"数据不是完整的 JSON（第 1 个字节处有误）。")},
      {"array.json", "[1, 2, 3]", prefix + U8(u8"数据不是一个 JSON 对象。")},
      {"other.json", "{\"name\": \"bank 1\", \"inputs\": []}",
       prefix + U8(u8"“page”不是本程序的页面。")},
      {"page1variant.json",
       "{\"page\": \"" + rt::GbkToUtf8(calc::PageTitle(CalculationPage::kCapacitorPage)) +
           "\", \"variant\": \"fuseless\", \"inputs\": [" + good_input + "]}",
       prefix + U8(u8"“variant”不是该页面的计算。")},
      {"noinputs.json", SheetJsonWithInputs("[]"), prefix + U8(u8"没有“inputs”输入列表。")},
      {"badinput.json", SheetJsonWithInputs("[" + good_input + ", {\"control\": 3}]"),
       prefix + U8(u8"“inputs”第 2 项缺少“control”或“text”。")},
      {"otherbox.json",
       SheetJsonWithInputs("[" + good_input +
                           U8(u8", {\"control\": \"编辑框_B3\", \"text\": \"1\"}]")),
       prefix + U8(u8"“编辑框_B3”不是“桥式差电流计算”页这项计算的输入框。")},
      {"truncated.json", SheetJsonWithInputs("[" + good_input + "]").substr(0, 60),
       prefix + U8(u8"数据不是完整的 JSON（第 61 个字节处有误）。")},
      {"page.html", "<!DOCTYPE html>\n<html><body><p>a sheet</p></body></html>\n",
       prefix + U8(u8"HTML 文件中没有计算书数据。")},
      // Nested a million deep: read without running out of stack.
      {"deep.json", std::string(1'000'000, '[') + std::string(1'000'000, ']'),
       prefix + U8(u8"数据不是一个 JSON 对象。")},
      {"huge.json", std::string(calc::kLargestSavedSheet + 1, ' '), U8(u8"无法读取文件：文件过大")},
  };
  Folder folder;
  for (const NotASheet& file : files) {
    SCOPED_TRACE(file.name);
    testing_support::StartHeadless();
    ASSERT_EQ(ErrorsOf(U8(u8"page 2\nset 编辑框_M7 5\n")), "");
    const fs::path path = folder.path() / file.name;
    Write(path, file.bytes);
    EXPECT_EQ(ErrorsOf("open " + path.string() + "\n"),
              "line 1: cannot open " + script::Quoted(path.string()) + ": " + file.error + "\n");
    EXPECT_EQ(testing_support::Content(calc::编辑框_M7), "5");
    EXPECT_EQ(CurrentPage(), 1);
  }
  testing_support::StartHeadless();
  const fs::path missing = folder.path() / "missing.json";
  const std::string reported = ErrorsOf("open " + missing.string() + "\n");
  const std::string reason =
      "line 1: cannot open " + script::Quoted(missing.string()) + ": " + U8(u8"无法读取文件：");
  EXPECT_EQ(reported.substr(0, reason.size()), reason);
  EXPECT_EQ(ErrorsOf("open\n"), "line 1: missing path\n");
}

}  // namespace
