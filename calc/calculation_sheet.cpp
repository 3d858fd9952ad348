#include "calc/calculation_sheet.h"

#include <algorithm>

#include "calc/box_labels.h"
#include "calc/control_io.h"
#include "calc/main_window.h"
#include "calc/sheet_parts.h"
#include "runtime/core/number_format.h"

namespace calc {
namespace {

constexpr int kTableDigits = 5;
constexpr uint32_t kNoteLabel = 标签107;  // the reference note of the voltage pages

std::string LocalTime(std::time_t time, const char* format) {
  const std::tm* local = std::localtime(&time);
  char text[32];
  return local && std::strftime(text, sizeof text, format, local) ? text : "";
}

const NotedBox* ResultOf(const ClickRecord& record, uint32_t box) {
  auto found = std::find_if(record.results.begin(), record.results.end(),
                            [box](const NotedBox& result) { return result.control == box; });
  return found == record.results.end() ? nullptr : &*found;
}

Sheet CommonPart(const ClickRecord& record, const CalculationKind& kind, const NotedBox& asked) {
  Sheet sheet;
  sheet.page = kind.page;
  sheet.variant = kind.variant;
  sheet.page_title = PageTitle(kind.page);
  if (kind.variant_group) sheet.variant_name = ReadText(kind.variant_group);
  sheet.time = record.time;
  for (const NotedBox& input : record.inputs) sheet.inputs.push_back(EntryOf(input));
  sheet.setting = EntryOf(asked);
  sheet.diagram = ReadPicture(kind.diagram);
  sheet.note = ReadText(kNoteLabel);
  return sheet;
}

}  // namespace

SheetEntry EntryOf(const NotedBox& box) {
  SheetEntry entry;
  entry.control = ControlName(box.control);
  if (const BoxLabels* labels = LabelsOf(box.control)) {
    entry.label = ReadText(labels->caption);
    entry.symbol = labels->symbol;
    if (labels->unit) entry.unit = ReadText(labels->unit);
  }
  entry.text = box.text;
  entry.value = box.value;
  return entry;
}

bool HasSheetBehind(uint32_t box) {
  const ClickRecord* record = RecordBehind(box);
  return record && KindOfButton(record->button);
}

std::optional<Sheet> SheetBehind(uint32_t box) {
  if (!HasSheetBehind(box)) return std::nullopt;
  const ClickRecord& record = *RecordBehind(box);
  const CalculationKind& kind = *KindOfButton(record.button);
  Sheet sheet = CommonPart(record, kind, *ResultOf(record, box));
  if (kind.page == SheetPage::kCapacitorPage) {
    AddCapacitorPart(sheet, record);
  } else {
    AddProtectionPart(sheet, record);
  }
  return sheet;
}

const SheetEntry* InputWithSymbol(const Sheet& sheet, std::string_view symbol) {
  auto found = std::find_if(sheet.inputs.begin(), sheet.inputs.end(),
                            [symbol](const SheetEntry& input) { return input.symbol == symbol; });
  return found == sheet.inputs.end() ? nullptr : &*found;
}

std::string SheetTitle(const Sheet& sheet) {
  std::string title = "计算书：" + sheet.page_title;
  return sheet.variant_name.empty() ? title : title + "（" + sheet.variant_name + "）";
}

std::string DefaultFileName(const Sheet& sheet) {
  std::string name = sheet.page_title;
  if (!sheet.variant_name.empty()) name += "-" + sheet.variant_name;
  return name + "-" + LocalTime(sheet.time, "%Y%m%d-%H%M") + ".html";
}

std::string SheetTime(const Sheet& sheet) { return LocalTime(sheet.time, "%Y-%m-%d %H:%M:%S"); }

std::string TableNumber(double value) { return rt::FormatSignificantDigits(value, kTableDigits); }

std::string RowMarks(const FaultRow& row) {
  std::string marks;
  auto add = [&marks](bool applies, const char* mark) {
    if (applies) marks += (marks.empty() ? "" : "、") + std::string(mark);
  };
  add(row.at_k, "F = K");
  add(row.first_pickup, "首次动作");
  add(row.last_within_kv, "V ≤ Kv 的最后一行");
  return marks;
}

}  // namespace calc
