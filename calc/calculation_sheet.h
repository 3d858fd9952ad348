// The calculation sheet of a click: what the engineer files with a setting. It holds the
// page and variant, the moment of the click, the inputs as they stood, the working values,
// the setting as its box showed it, the fault table (fused variants), the fault of a
// fuseless unit, page 1's results and operating voltage, the warnings, the formulas in
// closed form, the page's diagram and the reference note. Texts are GBK; every number is
// the value the calculation held.
//
// A window shows one as it stands: the title, the tables and the marked rows, the diagram;
// it saves SheetHtml(sheet) (sheet_html.h) under DefaultFileName(sheet).
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/calculation_kinds.h"
#include "calc/fault_table.h"

namespace calc {

// An input, a result or the setting, with what stands beside its box.
struct SheetEntry {
  std::string control;  // the box's name
  std::string label;
  std::string symbol;   // as the formulas name it; may be empty
  std::string unit;     // empty when the box has no unit label
  std::string text;     // as the box held it
  double value = 0;     // as stored; NaN for a text written as such
  std::string formula;  // page 1's results: the closed form
};

// A working value of the calculation, with its text in the result boxes' form.
struct WorkingValue {
  std::string symbol;
  std::string meaning;
  std::string text;
  std::string unit;
};

struct FailedCount {
  double computed = 0;  // K before the whole-number rule
  double used = 0;      // K after it
};

// The one fault of a fuseless bank: β of one unit broken down.
struct FuselessFault {
  double overvoltage = 0;  // on the sound sections of that unit
  double signal = 0;       // Uch or Ich
};

struct SheetWarning {
  std::string code;     // stable: "single_failure_exceeds_kv", ...
  std::string message;  // for the engineer
};

struct Sheet {
  SheetPage page{};
  Variant variant{};
  std::string page_title;
  std::string variant_name;  // as the page's group box names it; empty on page 1
  std::time_t time = 0;
  std::vector<SheetEntry> inputs;
  std::vector<WorkingValue> working_values;
  SheetEntry setting;  // on page 1, the result box the sheet was asked for
  std::optional<FailedCount> failed_count;
  std::vector<FaultRow> faults;
  std::optional<FuselessFault> fuseless;
  std::vector<SheetEntry> results;  // page 1's twelve boxes
  std::optional<double> operating_voltage;
  std::vector<SheetWarning> warnings;
  std::vector<std::string> formulas;
  std::vector<uint8_t> diagram;  // the diagram's image file
  std::string note;
};

// Whether a click has written the box (on page 1: any of its twelve result boxes).
bool HasSheetBehind(uint32_t box);
// The sheet of the click that last wrote the box; none when no click has.
std::optional<Sheet> SheetBehind(uint32_t box);

// The input the formulas name so; null when the sheet has none.
const SheetEntry* InputWithSymbol(const Sheet& sheet, std::string_view symbol);

// "计算书：开口三角电压计算（外熔丝）".
std::string SheetTitle(const Sheet& sheet);
// "开口三角电压计算-外熔丝-20261208-1530.html", the moment of the click in local time.
std::string DefaultFileName(const Sheet& sheet);
// The moment of the click in local time, "2026-12-08 15:30:05".
std::string SheetTime(const Sheet& sheet);
// A number of the fault table as the sheet shows it: five significant digits.
std::string TableNumber(double value);
// The marks of a row, "F = K、首次动作", empty when it has none.
std::string RowMarks(const FaultRow& row);

}  // namespace calc
