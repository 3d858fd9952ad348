#include "tools/capcalc-script/measured_commands.h"

#include <ostream>

#include "calc/pages/measured_banks.h"
#include "runtime/core/number_format.h"
#include "runtime/platform/gbk.h"
#include "tools/capcalc-script/starting_folder.h"

namespace script {
namespace {

// The result box the line names, or why there is none.
const rt::ControlState* ResultBox(rt::LoadedWindow& window, const Line& line,
                                  std::string* problem) {
  if (!line.has_name || line.name.empty()) {
    *problem = "missing control name";
    return nullptr;
  }
  const rt::ControlState* control = rt::FindControlByName(window, rt::Utf8ToGbk(line.name));
  if (!control) *problem = "unknown control " + Quoted(line.name);
  if (control && line.rest.empty()) *problem = "missing path";
  return problem->empty() ? control : nullptr;
}

}  // namespace

std::string LoadMeasured(rt::LoadedWindow& window, const Line& line) {
  std::string problem;
  const rt::ControlState* box = ResultBox(window, line, &problem);
  if (!box) return problem;
  const calc::MeasuredBankLoad load =
      calc::LoadMeasuredBank(box->record.control_id, FromStartingFolder(line.rest));
  if (load.error.empty()) return {};
  const std::string reason = rt::GbkToUtf8(load.error);
  if (load.csv_line == 0) return reason;
  return Quoted(line.rest) + " line " + std::to_string(load.csv_line) + ": " + reason;
}

std::string WriteRebalanced(rt::LoadedWindow& window, const Line& line, std::ostream& out) {
  std::string problem;
  const rt::ControlState* box = ResultBox(window, line, &problem);
  if (!box) return problem;
  const calc::RebalanceReport report =
      calc::RebalanceMeasuredBank(box->record.control_id, FromStartingFolder(line.rest));
  if (!report.error.empty()) return rt::GbkToUtf8(report.error);
  for (const std::string& exchange : report.exchanges)
    out << line.name << ".exchange=" << rt::GbkToUtf8(exchange) << "\n";
  out << line.name << ".initial_signal=" << rt::FormatDouble(report.before) << "\n";
  out << line.name << ".rebalanced_signal=" << rt::FormatDouble(report.after) << "\n";
  return {};
}

}  // namespace script
