// The measured bank of a protection page: loaded from its CSV for the page's last
// calculation, rebalanced and written back, and checked on the page's sheets. The banks
// live in the calculator's state. Messages are GBK.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calc/model/protection.h"
#include "calc/sheet/sheet.h"

namespace calc {

// Why nothing was loaded, empty when the bank was; `csv_line` names the CSV's line when
// the file itself was refused (0 otherwise).
struct MeasuredBankLoad {
  std::string error;
  size_t csv_line = 0;
};

// Loads the CSV at the UTF-8 path as the bank of the page whose calculation wrote the
// result box, for that calculation's M and N. A refused file changes nothing.
MeasuredBankLoad LoadMeasuredBank(uint32_t result_box, std::string_view utf8_path);

struct RebalanceReport {
  std::string error;                   // empty when the file was written
  std::vector<std::string> exchanges;  // "A相1串3号 ↔ C相2串1号"
  double before = 0, after = 0;        // S0 in the page's unit
};

// Rebalances the page's measured bank, writes the new arrangement as CSV to the UTF-8 path
// (whole or not at all) and keeps it for the page's sheets.
RebalanceReport RebalanceMeasuredBank(uint32_t result_box, std::string_view utf8_path);

// The check of the page's measured bank against the outcome, with its warnings.
void AddMeasuredPart(Sheet& sheet, const ProtectionOutcome& outcome);

}  // namespace calc
