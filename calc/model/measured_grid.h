// The measured bank as an engineer types it into a grid, one cell a unit: the cells read
// as a bank once every one holds a capacitance, and a block copied from a spreadsheet
// (rows of tab-separated fields) spread over the cells from the one it is pasted into.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/model/measured_bank.h"

namespace calc {

// The cells of a bank, one text a unit at its IndexOf.
struct GridReading {
  std::optional<MeasuredBank> bank;  // once every cell holds a capacitance
  std::vector<size_t> empty;         // cells left empty
  std::vector<size_t> refused;       // cells that hold no capacitance (CapacitanceOf)
};
GridReading ReadGrid(const BankShape& shape, std::span<const std::string> cells);

// The texts of a bank's cells.
std::vector<std::string> GridCells(const MeasuredBank& bank);

// A spreadsheet's block: lines (LF or CR LF) of tab-separated fields; the line break that
// ends the last line makes no row of its own.
std::vector<std::vector<std::string>> BlockRows(std::string_view text);

// "A相1串3号、A相1串4号", the first `most` of the positions and how many more there are.
std::string PositionList(const BankShape& shape, std::span<const size_t> indices, size_t most);

}  // namespace calc
