#include "tools/capcalc-script/open_command.h"

#include "calc/pages/sheet_reopening.h"
#include "runtime/platform/gbk.h"
#include "tools/capcalc-script/starting_folder.h"

namespace script {

std::string OpenSheet(const Line& line) {
  // The path is everything after the command.
  const std::string path =
      line.has_name ? line.name + (line.rest.empty() ? "" : " " + line.rest) : "";
  if (path.empty()) return "missing path";
  const std::string problem = calc::ReopenSheetFile(rt::Utf8ToGbk(FromStartingFolder(path)));
  if (problem.empty()) return {};
  return "cannot open " + Quoted(path) + ": " + rt::GbkToUtf8(problem);
}

}  // namespace script
