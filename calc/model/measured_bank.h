// A bank as measured at commissioning: every unit's capacitance at its position, read
// from and written to the CSV an engineer keeps in a spreadsheet, one line a unit:
//
//   phase,branch,group,unit,uF
//   A,1,1,1,3.312
//
// phase A, B or C; branch 1 (one star), the star 1 or 2, or the arm 1 to 4 (bridge);
// group from the phase terminal (lower arms: from the midpoint) and unit, both from 1;
// uF the capacitance in µF. A rebalanced bank is written so too, with a last column
// `was` naming where each unit stood when measured.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calc/model/bank_circuit.h"

namespace calc {

struct MeasuredBank {
  BankShape shape;
  std::vector<double> capacitances;  // µF, at IndexOf of each position
};

// The bank of a CSV, or why it is refused: `error` (GBK) names the reason and
// `error_line` the line of the file it concerns.
struct MeasuredBankReading {
  std::optional<MeasuredBank> bank;
  std::string error;
  size_t error_line = 0;
};

// Reads the CSV's bytes (UTF-8 with or without a byte-order mark, or GBK) for a bank of
// the shape: every position exactly once, in any order, each a positive finite number.
MeasuredBankReading ReadMeasuredBank(std::string_view bytes, const BankShape& shape);

// The capacitance a field holds, as the CSV takes it: a positive finite number of µF within
// the range a unit can have; none for anything else.
std::optional<double> CapacitanceOf(std::string_view field);
// The shortest text that reads back as the very same capacitance.
std::string CapacitanceText(double uF);

// The CSV of a bank, UTF-8 with a byte-order mark so that a spreadsheet takes it as such.
// With `was` (one index a position), the unit now at each position came from that one.
std::string MeasuredBankCsv(const MeasuredBank& bank, std::span<const size_t> was = {});

}  // namespace calc
