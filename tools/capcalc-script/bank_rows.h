// The banks of a batch, one a row of a CSV table: the header names the columns "name",
// "page", "variant" and then the inputs by the symbols the pages label them with; each
// row becomes the bank's saved-sheet form, the inputs' texts by their boxes, which the
// window then takes as if the user had typed them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "calc/model/csv_table.h"
#include "calc/sheet/saved_sheet.h"

namespace script {

struct BankColumns {
  size_t name = 0, page = 0, variant = 0;
  std::vector<std::pair<size_t, std::string>> inputs;  // column and symbol (GBK)
};

// The columns of the header row, or why it is none (UTF-8).
std::variant<BankColumns, std::string> ColumnsOf(const calc::CsvRow& header);

struct Bank {
  std::string name;                     // GBK; a file name of its own in the output folder
  std::string page_name, variant_name;  // as the table gives them (GBK)
  calc::SavedSheet sheet;
};

// The text a box holds in a freshly started window (GBK).
using FreshText = std::function<std::string(uint32_t box)>;

// The bank of a row, or why the row is bad (UTF-8). An input left empty, or without a
// column, keeps the text a fresh window gives it (Kv 1.1, Klm 1.3, ...), as if each bank
// were typed into a window of its own.
std::variant<Bank, std::string> BankOf(const BankColumns& columns, const calc::CsvRow& row,
                                       const FreshText& fresh);

}  // namespace script
