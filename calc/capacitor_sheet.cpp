// Page 1's part of a calculation sheet: the twelve results with their formulas, and the
// voltage the capacitors run at behind the series reactor, beside their rated voltage.
#include <algorithm>
#include <cmath>

#include "calc/control_io.h"
#include "calc/main_window.h"
#include "calc/sheet_formulas.h"
#include "calc/sheet_parts.h"
#include "calc/sheet_warnings.h"

namespace calc {
namespace {

constexpr double kStar = 0;

// The stored value of an input of the click.
double InputValue(const ClickRecord& record, uint32_t box) {
  auto found = std::find_if(record.inputs.begin(), record.inputs.end(),
                            [box](const NotedBox& input) { return input.control == box; });
  return found == record.inputs.end() ? NAN : found->value;
}

// Uc = Usys / (√3·(1 − Kr/100)) for star, Usys / (1 − Kr/100) for delta, in kV.
double OperatingVoltage(const ClickRecord& record, bool star) {
  const double reactor = 1 - InputValue(record, 编辑框_电抗率) / 100;
  const double system_voltage = InputValue(record, 编辑框_系统电压);
  return star ? system_voltage / (std::sqrt(3.0) * reactor) : system_voltage / reactor;
}

}  // namespace

void AddCapacitorPart(Sheet& sheet, const ClickRecord& record) {
  const bool star = InputValue(record, 组合框_接线方式) == kStar;
  for (const NotedBox& result : record.results) {
    sheet.results.push_back(EntryOf(result));
    sheet.results.back().formula = ResultFormula(result.control, star);
  }
  if (!star) sheet.diagram = ReadPicture(画板_角接);
  sheet.operating_voltage = OperatingVoltage(record, star);
  if (std::optional<SheetWarning> warning = NotFiniteWarning(sheet)) sheet.warnings.push_back(*warning);
  if (std::optional<SheetWarning> warning =
          CapacitorOvervoltageWarning(*sheet.operating_voltage, InputValue(record, 编辑框_电容电压)))
    sheet.warnings.push_back(*warning);
  sheet.formulas = {OperatingVoltageFormula(star)};
}

}  // namespace calc
