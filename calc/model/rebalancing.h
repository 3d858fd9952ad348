// Rebalancing a measured bank (配平): the units rearranged so that the relay's signal is
// as small as exchanges of two units can make it. The search is deterministic and ends in
// a local optimum: no exchange of two units lowers the signal any further.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "calc/model/measured_bank.h"

namespace calc {

struct Rebalancing {
  MeasuredBank bank;        // the units at their new positions
  std::vector<size_t> was;  // for each position, where its unit stood when measured
  // The exchanges that take the measured arrangement to the new one, made in this order.
  std::vector<std::pair<size_t, size_t>> exchanges;
  double before = 0, after = 0;  // the scheme's relative signal (bank_circuit.h)
};

Rebalancing Rebalance(const MeasuredBank& measured);

// "A相1串3号 ↔ C相2串1号".
std::string ExchangeText(const BankShape& shape, const std::pair<size_t, size_t>& exchange);

}  // namespace calc
