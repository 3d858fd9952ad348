// Tables the engineer keeps in a spreadsheet (measured capacitances, many banks at once),
// read from the CSV a spreadsheet writes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace calc {

// One record of the file with the line it starts on, its fields as inside texts (GBK).
struct CsvRow {
  size_t line = 0;
  std::vector<std::string> fields;
};

// The rows of a CSV file, or why it cannot be read: `error` names what is wrong and
// `error_line` the line where it starts; then `rows` holds what came before.
struct CsvTable {
  std::vector<CsvRow> rows;
  std::string error;
  size_t error_line = 0;
};

// Reads CSV bytes in UTF-8 (with or without a byte-order mark) or, when they are not
// UTF-8, in GBK as a Chinese spreadsheet saves them. Fields are separated by commas;
// a field in double quotes may hold commas, line breaks and doubled quotes. Lines end
// in LF or CR LF; blank lines are skipped.
CsvTable ReadCsvTable(std::string_view bytes);

}  // namespace calc
