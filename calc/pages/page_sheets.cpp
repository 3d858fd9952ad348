#include "calc/pages/page_sheets.h"

#include "calc/model/protection_analysis.h"
#include "calc/pages/box_labels.h"
#include "calc/pages/calculation_buttons.h"
#include "calc/pages/calculator_state.h"
#include "calc/pages/capacitor_boxes.h"
#include "calc/pages/control_io.h"
#include "calc/pages/main_window.h"
#include "calc/pages/measured_banks.h"
#include "calc/pages/protection_boxes.h"

namespace calc {
namespace {

constexpr uint32_t kNoteLabel = 标签107;  // the reference note of the voltage pages

const Calculation* CalculationBehind(uint32_t box) {
  const CalculatorState* calculator = Calculator();
  const Calculation* calculation = calculator ? calculator->Behind(box) : nullptr;
  return calculation && FindCalculationButton(calculation->button) ? calculation : nullptr;
}

// A box with what stands beside it and what the click held of it.
SheetEntry EntryOf(uint32_t box, std::string symbol, std::string text, double value) {
  SheetEntry entry;
  entry.control = ControlName(box);
  if (const BoxLabels* labels = LabelsOf(box)) {
    entry.label = ReadText(labels->caption);
    if (labels->unit) entry.unit = ReadText(labels->unit);
  }
  entry.symbol = std::move(symbol);
  entry.text = std::move(text);
  entry.value = value;
  return entry;
}

std::vector<std::string> CaptionsOf(const std::vector<SheetEntry>& entries) {
  std::vector<std::string> labels;
  for (const SheetEntry& entry : entries) labels.push_back(entry.label);
  return labels;
}

Sheet CommonPart(const Calculation& calculation, const CalculationButton& kind) {
  Sheet sheet;
  sheet.page = kind.page;
  sheet.variant = kind.variant;
  sheet.page_title = PageTitle(kind.page);
  if (kind.variant_group) sheet.variant_name = ReadText(kind.variant_group);
  sheet.time = calculation.time;
  sheet.diagram = ReadPicture(kind.diagram);
  sheet.note = ReadText(kNoteLabel);
  return sheet;
}

void AddProtectionPart(Sheet& sheet, const ProtectionOutcome& outcome) {
  const ProtectionPageBoxes& boxes = BoxesOfPage(outcome.page);
  for (const InputReading& input : outcome.inputs)
    sheet.inputs.push_back(EntryOf(InputBoxOf(boxes, outcome.variant, input.symbol), input.symbol,
                                   input.text, input.value));
  sheet.setting =
      EntryOf(boxes.result, SettingSymbol(outcome.page), outcome.setting_text, outcome.setting);
  static_cast<SheetAnalysis&>(sheet) =
      AnalyseProtection(outcome, {CaptionsOf(sheet.inputs), {sheet.setting.label}});
  AddMeasuredPart(sheet, outcome);
}

void AddCapacitorPart(Sheet& sheet, const CapacitorOutcome& outcome, uint32_t asked) {
  for (const InputReading& input : outcome.inputs)
    sheet.inputs.push_back(
        EntryOf(CapacitorInputBoxOf(input), input.symbol, input.text, input.value));
  for (const ResultValue& result : outcome.results) {
    sheet.results.push_back(
        EntryOf(ResultBoxOf(result.result), result.symbol, result.text, result.value));
    sheet.results.back().formula = result.formula;
    if (ResultBoxOf(result.result) == asked) sheet.setting = sheet.results.back();
  }
  if (outcome.values.connection != 0) sheet.diagram = ReadPicture(画板_角接);
  static_cast<SheetAnalysis&>(sheet) =
      AnalyseCapacitorParameters(outcome, {CaptionsOf(sheet.inputs), CaptionsOf(sheet.results)});
}

}  // namespace

bool HasSheetBehind(uint32_t box) { return CalculationBehind(box) != nullptr; }

std::optional<Sheet> SheetBehind(uint32_t box) {
  const Calculation* calculation = CalculationBehind(box);
  if (!calculation) return std::nullopt;
  Sheet sheet = CommonPart(*calculation, *FindCalculationButton(calculation->button));
  if (const auto* capacitor = std::get_if<CapacitorOutcome>(&calculation->outcome)) {
    AddCapacitorPart(sheet, *capacitor, box);
  } else {
    AddProtectionPart(sheet, std::get<ProtectionOutcome>(calculation->outcome));
  }
  return sheet;
}

}  // namespace calc
