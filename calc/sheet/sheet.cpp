#include "calc/sheet/sheet.h"

#include <algorithm>

namespace calc {
namespace {

std::string LocalTime(std::time_t time, const char* format) {
  const std::tm* local = std::localtime(&time);
  char text[32];
  return local && std::strftime(text, sizeof text, format, local) ? text : "";
}

}  // namespace

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

std::string RowMarks(const FaultRow& row) {
  std::string marks;
  auto add = [&marks](bool applies, const char* mark) {
    if (applies) marks += (marks.empty() ? "" : "、") + std::string(mark);
  };
  add(row.at_k, "F = K");
  add(row.first_pickup, "首次动作");
  add(row.last_within_kv, "V ≤ Kv 的最后一行");
  add(row.alarm, "告警");
  return marks;
}

}  // namespace calc
