#include "calc/model/measured_bank.h"

#include <charconv>
#include <cmath>

#include "calc/model/csv_table.h"
#include "runtime/core/number_format.h"
#include "runtime/platform/gbk.h"

namespace calc {
namespace {

constexpr const char* kColumns[] = {"phase", "branch", "group", "unit", "uF"};
constexpr size_t kColumnCount = 5;
constexpr std::string_view kWasColumn = "was";
// No capacitor unit lies outside these by far; within them the sums and reciprocals of a
// whole bank stay finite, so no signal comes out as no number.
constexpr double kLeastUnit = 1e-6, kLargestUnit = 1e6;

std::string_view Trimmed(std::string_view field) {
  const size_t start = field.find_first_not_of(" \t");
  if (start == std::string_view::npos) return {};
  return field.substr(start, field.find_last_not_of(" \t") - start + 1);
}

std::string Quoted(std::string_view field) { return "“" + std::string(field) + "”"; }

template <typename Number>
bool ParsedWhole(std::string_view field, Number* number) {
  field = Trimmed(field);
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), *number);
  return error == std::errc() && end == field.data() + field.size() && !field.empty();
}

bool IsHeader(const CsvRow& row) {
  if (row.fields.size() != kColumnCount && row.fields.size() != kColumnCount + 1) return false;
  for (size_t column = 0; column < kColumnCount; ++column)
    if (Trimmed(row.fields[column]) != kColumns[column]) return false;
  return row.fields.size() == kColumnCount || Trimmed(row.fields.back()) == kWasColumn;
}

const char* ArrangementName(const BankShape& shape) {
  switch (shape.page) {
    case CalculationPage::kNeutralLinePage: return "双星形";
    case CalculationPage::kBridgePage: return "桥式";
    default: return "单星形";
  }
}

// What a field of the position may hold, for the message that refuses it.
std::string Allowed(const char* what, int count) {
  return std::string(what) + " 应为 1" + (count > 1 ? " 到 " + rt::FormatInteger(count) : "");
}

// Reads one record into its position and capacitance; the reason when it cannot.
class RecordReader {
 public:
  RecordReader(const BankShape& shape, size_t columns) : shape_(shape), columns_(columns) {}

  std::string Read(const CsvRow& row, size_t* index, double* uF) const {
    if (row.fields.size() != columns_)
      return "应有 " + rt::FormatInteger(int64_t(columns_)) + " 个字段，实有 " +
             rt::FormatInteger(int64_t(row.fields.size())) + " 个";
    UnitPosition at;
    const std::string_view phase = Trimmed(row.fields[0]);
    if (phase.size() != 1 || (phase[0] & ~0x20) < 'A' || (phase[0] & ~0x20) > 'C')
      return "phase 应为 A、B 或 C，而非" + Quoted(phase);
    at.phase = (phase[0] & ~0x20) - 'A';
    std::string problem = Number(row.fields[1], "branch", shape_.branches, &at.branch);
    if (!problem.empty())
      return problem + "（本页为" + ArrangementName(shape_) + "接线" + BranchMeaning() + "）";
    problem = Number(row.fields[2], "group", shape_.groups, &at.group);
    if (problem.empty()) problem = Number(row.fields[3], "unit", shape_.units, &at.unit);
    if (!problem.empty()) return problem;
    if (!ParsedWhole(row.fields[4], uF) || !std::isfinite(*uF) || !(*uF > 0))
      return "uF 应为正的有限数，而非" + Quoted(Trimmed(row.fields[4]));
    if (*uF < kLeastUnit || *uF > kLargestUnit)
      return "uF 应在 0.000001 到 1000000 之间，而非" + Quoted(Trimmed(row.fields[4]));
    *index = IndexOf(shape_, at);
    return {};
  }

 private:
  std::string Number(std::string_view field, const char* name, int count, int* number) const {
    if (ParsedWhole(field, number) && *number >= 1 && *number <= count) {
      --*number;
      return {};
    }
    return Allowed(name, count) + "，而非" + Quoted(Trimmed(field));
  }

  std::string BranchMeaning() const {
    switch (shape_.page) {
      case CalculationPage::kNeutralLinePage: return "，branch 为星的编号";
      case CalculationPage::kBridgePage: return "，branch 为桥臂的编号";
      default: return "";
    }
  }

  const BankShape& shape_;
  size_t columns_;
};

MeasuredBankReading Refused(size_t line, std::string reason) {
  return {std::nullopt, std::move(reason), line};
}

// The first position no record gave, with how many are missing.
std::string MissingPositions(const BankShape& shape, const std::vector<size_t>& line_of) {
  size_t missing = 0, first = line_of.size();
  for (size_t index = 0; index < line_of.size(); ++index)
    if (line_of[index] == 0) {
      if (missing++ == 0) first = index;
    }
  return "文件已完，缺少 " + PositionName(shape, PositionOf(shape, first)) +
         (missing > 1 ? " 等 " + rt::FormatInteger(int64_t(missing)) + " 个位置" : "");
}

}  // namespace

MeasuredBankReading ReadMeasuredBank(std::string_view bytes, const BankShape& shape) {
  const CsvTable table = ReadCsvTable(bytes);
  if (!table.error.empty()) return Refused(table.error_line, "引号未闭合");
  if (table.rows.empty()) return Refused(1, "文件为空，缺少标题行 phase,branch,group,unit,uF");
  const CsvRow& header = table.rows.front();
  if (!IsHeader(header)) return Refused(header.line, "标题行应为 phase,branch,group,unit,uF");
  MeasuredBank bank{shape, std::vector<double>(shape.UnitCount(), 0)};
  std::vector<size_t> line_of(shape.UnitCount(), 0);
  const RecordReader reader(shape, header.fields.size());
  // More records than positions repeat one or name one the bank has not, which the loop
  // refuses where it stands.
  for (size_t row = 1; row < table.rows.size(); ++row) {
    const CsvRow& record = table.rows[row];
    size_t index = 0;
    double uF = 0;
    if (std::string problem = reader.Read(record, &index, &uF); !problem.empty())
      return Refused(record.line, std::move(problem));
    if (line_of[index] != 0)
      return Refused(record.line, PositionName(shape, PositionOf(shape, index)) + " 重复，第 " +
                                      rt::FormatInteger(int64_t(line_of[index])) + " 行已有");
    line_of[index] = record.line;
    bank.capacitances[index] = uF;
  }
  if (table.rows.size() - 1 < shape.UnitCount())
    return Refused(table.rows.back().line + 1, MissingPositions(shape, line_of));
  return {std::move(bank), {}, 0};
}

std::string MeasuredBankCsv(const MeasuredBank& bank, std::span<const size_t> was) {
  std::string csv = "phase,branch,group,unit,uF";
  csv += was.empty() ? "\r\n" : ",was\r\n";
  for (size_t index = 0; index < bank.capacitances.size(); ++index) {
    const UnitPosition at = PositionOf(bank.shape, index);
    csv += std::string(1, char('A' + at.phase)) + "," + rt::FormatInteger(at.branch + 1) + "," +
           rt::FormatInteger(at.group + 1) + "," + rt::FormatInteger(at.unit + 1) + "," +
           CapacitanceText(bank.capacitances[index]);
    if (!was.empty()) csv += "," + PositionName(bank.shape, PositionOf(bank.shape, was[index]));
    csv += "\r\n";
  }
  return "\xEF\xBB\xBF" + rt::GbkToUtf8(csv);
}

std::optional<double> CapacitanceOf(std::string_view field) {
  double uF = 0;
  if (!ParsedWhole(field, &uF) || !std::isfinite(uF) || uF < kLeastUnit || uF > kLargestUnit)
    return std::nullopt;
  return uF;
}

std::string CapacitanceText(double uF) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, uF).ptr);
}

}  // namespace calc
