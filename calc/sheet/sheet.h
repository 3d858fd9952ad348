// The calculation sheet of a click: what the engineer files with a setting. It holds the
// page and variant, the moment of the click, the inputs as they stood, the setting as its
// box showed it, page 1's results, what the model found (working values, fault table,
// warnings, formulas; analysis.h), the page's diagram and the reference note. Texts are
// GBK; every number is the value the calculation held.
//
// A window shows one as it stands (sheet_document.h); the HTML and JSON writers write it.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/model/analysis.h"
#include "calc/model/kinds.h"
#include "calc/model/measured_check.h"

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

struct Sheet : SheetAnalysis {
  CalculationPage page{};
  Variant variant{};
  std::string page_title;
  std::string variant_name;  // as the page's group box names it; empty on page 1
  std::time_t time = 0;
  std::vector<SheetEntry> inputs;
  SheetEntry setting;               // on page 1, the result box the sheet was asked for
  std::vector<SheetEntry> results;  // page 1's twelve boxes
  std::vector<uint8_t> diagram;     // the diagram's image file
  std::string note;
  std::optional<MeasuredCheck> measured;  // the page's measured bank, when one was given
};

// The input the formulas name so; null when the sheet has none.
const SheetEntry* InputWithSymbol(const Sheet& sheet, std::string_view symbol);

// "计算书：开口三角电压计算（外熔丝）".
std::string SheetTitle(const Sheet& sheet);
// "开口三角电压计算-外熔丝-20261208-1530.html", the moment of the click in local time.
std::string DefaultFileName(const Sheet& sheet);
// The moment of the click in local time, "2026-12-08 15:30:05".
std::string SheetTime(const Sheet& sheet);
// The marks of a row, "F = K、首次动作", empty when it has none; "告警" marks the row
// the alarm stage was computed for.
std::string RowMarks(const FaultRow& row);

}  // namespace calc
