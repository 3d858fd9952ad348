// One click of each "计算" button through the runtime (event, handler, property access,
// conversions), the calculation sheet of the largest fault table, and a long script
// through the headless driver.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "calc/pages/main_window.h"
#include "calc/pages/page_sheets.h"
#include "calc/pages/program.h"
#include "calc/sheet/sheet_html.h"
#include "calc/sheet/sheet_json.h"
#include "calc/sheet/sheet_pdf.h"
#include "calc/sheet/sheet_text.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/property_access.h"
#include "runtime/ui/controls/toolkit_control.h"

namespace {

using namespace calc;

void StartOnce() {
  static bool started = false;
  if (started) return;
  started = true;
  StartProgram(rt::DisplayMode::kHeadless);
}

void Set(uint32_t box, const char* gbk) {
  rt::Value text = rt::MakeText(gbk);
  rt::SetProperty(kMainWindowId, box, kContentProperty, -1, text.lo, text.hi);
}

// The worked examples' inputs on every page.
void FillEveryPage() {
  const std::pair<uint32_t, const char*> kInputs[] = {
      {编辑框_电容电压, "6.35"},
      {编辑框_电容容量, "3000"},
      {编辑框_电抗率, "5"},
      {编辑框_系统电压, "10"},
      {编辑框_CT变比, "300"},
      {编辑框_COS1, "0.8"},
      {编辑框_COS2, "0.95"},
      {编辑框_P, "5000"},
      {编辑框_电容电压1, "6.35"},
      {编辑框_线圈一次, "6.35"},
      {编辑框_线圈二次, "0.1"},
      {编辑框_M1, "10"},
      {编辑框_N1, "1"},
      {编辑框_M2, "14"},
      {编辑框_N2, "4"},
      {编辑框_电容电压2, "6.35"},
      {编辑框_线圈一次1, "6.35"},
      {编辑框_线圈二次1, "0.1"},
      {编辑框_M3, "10"},
      {编辑框_N3, "1"},
      {编辑框_M4, "14"},
      {编辑框_N4, "4"},
      {编辑框_电容相电流, "288.7"},
      {编辑框_零序CT比, "40"},
      {编辑框_M5, "8"},
      {编辑框_N5, "2"},
      {编辑框_M6, "14"},
      {编辑框_N6, "4"},
      {编辑框_电容相电流1, "288.7"},
      {编辑框_零序CT比1, "40"},
      {编辑框_M7, "8"},
      {编辑框_N7, "2"},
      {编辑框_M8, "14"},
      {编辑框_N8, "4"},
  };
  for (const auto& [box, text] : kInputs) Set(box, text);
}

void BM_Click(benchmark::State& state, uint32_t button) {
  StartOnce();
  FillEveryPage();
  rt::LiveControl& control = *rt::FindControl(*rt::FindLoadedWindow(kMainWindowId), button)->live;
  for (auto _ : state) control.UserClick();
}

BENCHMARK_CAPTURE(BM_Click, capacitor_parameters, 按钮_电容器计算);
BENCHMARK_CAPTURE(BM_Click, open_delta_fuseless, 按钮_开口无熔丝);
BENCHMARK_CAPTURE(BM_Click, open_delta_external_fuse, 按钮_开口外熔丝);
BENCHMARK_CAPTURE(BM_Click, open_delta_internal_fuse, 按钮_开口内熔丝);
BENCHMARK_CAPTURE(BM_Click, differential_fuseless, 按钮_差动无熔丝);
BENCHMARK_CAPTURE(BM_Click, differential_external_fuse, 按钮_差动外熔丝);
BENCHMARK_CAPTURE(BM_Click, differential_internal_fuse, 按钮_差动内熔丝);
BENCHMARK_CAPTURE(BM_Click, neutral_line_fuseless, 按钮_中性线电流无熔丝);
BENCHMARK_CAPTURE(BM_Click, neutral_line_external_fuse, 按钮_中性线电流外熔丝);
BENCHMARK_CAPTURE(BM_Click, neutral_line_internal_fuse, 按钮_中性线电流内熔丝);
BENCHMARK_CAPTURE(BM_Click, bridge_fuseless, 按钮_桥式差电流无熔丝);
BENCHMARK_CAPTURE(BM_Click, bridge_external_fuse, 按钮_桥式差电流外熔丝);
BENCHMARK_CAPTURE(BM_Click, bridge_internal_fuse, 按钮_桥式差内熔丝);

// An open-delta bank of 1000 units a phase whose table runs to its limit of 100 rows: the
// sheet gathered from the record and the window, then written out.
void BM_Sheet(benchmark::State& state, std::string (*render)(const Sheet&)) {
  StartOnce();
  FillEveryPage();
  Set(编辑框_M1, "1000");
  rt::FindControl(*rt::FindLoadedWindow(kMainWindowId), 按钮_开口外熔丝)->live->UserClick();
  if (SheetBehind(编辑框_Udz)->faults.size() != 100)
    state.SkipWithError("the table is not the largest");
  size_t bytes = 0;
  for (auto _ : state) bytes = render(*SheetBehind(编辑框_Udz)).size();
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK_CAPTURE(BM_Sheet, json, SheetJson)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Sheet, html, SheetHtml)->Unit(benchmark::kMicrosecond);
// What 复制 puts on the clipboard (before its conversion to UTF-8).
std::string CopiedText(const Sheet& sheet) { return SheetPlainText(DocumentOf(sheet)); }
BENCHMARK_CAPTURE(BM_Sheet, copied_text, CopiedText)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Sheet, pdf, SheetPdf)->Unit(benchmark::kMicrosecond);

// The driver on a script of `lines`, from process start to exit.
void RunDriver(benchmark::State& state, const std::vector<std::string>& lines) {
  namespace fs = std::filesystem;
  const fs::path script = fs::temp_directory_path() / "capcalc-bench.script";
  {
    std::ofstream out(script);
    for (const std::string& line : lines) out << line << '\n';
  }
  const std::string command =
      std::string(CAPCALC_SCRIPT_PROGRAM) + " " + script.string() + " >/dev/null";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("the driver failed");
  }
  fs::remove(script);
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// 100,000 lines: inputs set, buttons clicked and results read, over and over.
void BM_Script100000Lines(benchmark::State& state) {
  const char8_t* const kBlock[] = {u8"set 编辑框_电容电压 6.35",
                                   u8"set 编辑框_电容容量 3000",
                                   u8"set 编辑框_电抗率 5",
                                   u8"set 编辑框_系统电压 10",
                                   u8"set 编辑框_CT变比 300",
                                   u8"click 按钮_电容器计算",
                                   u8"get 编辑框_电容电流",
                                   u8"get 编辑框_电容输出",
                                   u8"prop 标签12 0",
                                   u8"tick 时钟1 1"};
  std::vector<std::string> lines;
  for (int line = 0; line < 100000; ++line) lines.push_back(Utf8(kBlock[line % 10]));
  RunDriver(state, lines);
}
BENCHMARK(BM_Script100000Lines)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// One line typing 50,000 characters into a box, which takes what fits.
void BM_Type50000Characters(benchmark::State& state) {
  RunDriver(state, {Utf8(u8"type 编辑框_电容电压 ") + std::string(50000, '1')});
}
BENCHMARK(BM_Type50000Characters)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Control characters mixed in, each a key of its own: 50,000 digits and BackSpaces in turn,
// which leave the box as it was.
void BM_Type50000DigitsAndBackSpaces(benchmark::State& state) {
  std::string keys;
  for (int i = 0; i < 25000; ++i) keys += "1\b";
  RunDriver(state, {Utf8(u8"type 编辑框_电容电压 ") + keys});
}
BENCHMARK(BM_Type50000DigitsAndBackSpaces)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);

}  // namespace
