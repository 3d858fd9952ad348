#include "calc/model/measured_grid.h"

#include "runtime/core/number_format.h"

namespace calc {

GridReading ReadGrid(const BankShape& shape, std::span<const std::string> cells) {
  GridReading reading;
  MeasuredBank bank{shape, std::vector<double>(shape.UnitCount())};
  for (size_t index = 0; index < bank.capacitances.size(); ++index) {
    const std::string_view text = index < cells.size() ? cells[index] : std::string_view{};
    if (text.find_first_not_of(" \t") == std::string_view::npos)
      reading.empty.push_back(index);
    else if (std::optional<double> uF = CapacitanceOf(text))
      bank.capacitances[index] = *uF;
    else
      reading.refused.push_back(index);
  }
  if (reading.empty.empty() && reading.refused.empty()) reading.bank = std::move(bank);
  return reading;
}

std::vector<std::string> GridCells(const MeasuredBank& bank) {
  std::vector<std::string> cells;
  cells.reserve(bank.capacitances.size());
  for (double uF : bank.capacitances) cells.push_back(CapacitanceText(uF));
  return cells;
}

std::vector<std::vector<std::string>> BlockRows(std::string_view text) {
  std::vector<std::vector<std::string>> rows;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::vector<std::string>& row = rows.emplace_back();
    for (size_t start = 0;;) {
      const size_t tab = line.find('\t', start);
      row.emplace_back(line.substr(start, tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
  }
  return rows;
}

std::string PositionList(const BankShape& shape, std::span<const size_t> indices, size_t most) {
  std::string list;
  for (size_t i = 0; i < indices.size() && i < most; ++i) {
    if (i > 0) list += "、";
    list += PositionName(shape, PositionOf(shape, indices[i]));
  }
  if (indices.size() > most) list += " 等 " + rt::FormatInteger(int64_t(indices.size())) + " 处";
  return list;
}

}  // namespace calc
