#include "tools/capcalc-script/sheet_command.h"

#include "calc/pages/page_sheets.h"
#include "calc/sheet/sheet_file.h"
#include "runtime/platform/gbk.h"
#include "tools/capcalc-script/user_path.h"

namespace script {

std::string WriteSheet(rt::LoadedWindow& window, const Line& line) {
  if (!line.has_name || line.name.empty()) return "missing control name";
  const rt::ControlState* control = rt::FindControlByName(window, rt::Utf8ToGbk(line.name));
  if (!control) return "unknown control " + Quoted(line.name);
  if (line.rest.empty()) return "missing path";
  std::optional<calc::SheetFormat> format = calc::SheetFormatOf(line.rest);
  if (!format) return "a sheet is written as .html or .json, not " + Quoted(line.rest);
  std::optional<calc::Sheet> sheet = calc::SheetBehind(control->record.control_id);
  if (!sheet) return "no calculation behind " + line.name;
  if (!calc::SaveSheet(*sheet, UserPath(line.rest), *format))
    return "cannot write " + Quoted(line.rest);
  return {};
}

}  // namespace script
