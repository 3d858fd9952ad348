#include "calc/model/rebalancing.h"

namespace calc {
namespace {

// An exchange is made only when it lowers the relative signal by more than this: what
// is left is below any relay's resolution, and the search cannot go round in circles on
// the last bits of the arithmetic.
constexpr double kLeastGain = 1e-13;

// One pass over every pair of units in different groups, each exchange that lowers the
// signal made at once; whether any was.
bool ImproveOnce(BankNetwork& network, std::vector<size_t>& was, double& signal) {
  const std::span<const double> units = network.capacitances();
  const size_t per_group = size_t(network.shape().units);
  bool improved = false;
  for (size_t first = 0; first < units.size(); ++first) {
    const size_t next_group = (first / per_group + 1) * per_group;
    for (size_t second = next_group; second < units.size(); ++second) {
      if (units[first] == units[second]) continue;
      const double after = network.SchemeSignalAfterExchange(first, second);
      if (!(after < signal - kLeastGain)) continue;
      network.Exchange(first, second);
      std::swap(was[first], was[second]);
      signal = network.Signals().scheme;
      improved = true;
    }
  }
  return improved;
}

// The exchanges that turn the measured arrangement into the one where each position
// holds the unit measured at was[position]: each puts one position right, in order.
std::vector<std::pair<size_t, size_t>> ExchangesTo(const std::vector<size_t>& was) {
  std::vector<size_t> holds(was.size()), where(was.size());
  for (size_t position = 0; position < was.size(); ++position)
    holds[position] = where[position] = position;
  std::vector<std::pair<size_t, size_t>> exchanges;
  for (size_t position = 0; position < was.size(); ++position) {
    if (holds[position] == was[position]) continue;
    const size_t from = where[was[position]];
    exchanges.emplace_back(position, from);
    std::swap(holds[position], holds[from]);
    where[holds[position]] = position;
    where[holds[from]] = from;
  }
  return exchanges;
}

}  // namespace

Rebalancing Rebalance(const MeasuredBank& measured) {
  BankNetwork network(measured.shape, measured.capacitances);
  Rebalancing result;
  result.before = network.Signals().scheme;
  result.was.resize(measured.capacitances.size());
  for (size_t position = 0; position < result.was.size(); ++position)
    result.was[position] = position;
  double signal = result.before;
  while (ImproveOnce(network, result.was, signal)) {
  }
  result.after = signal;
  result.bank = {measured.shape, {network.capacitances().begin(), network.capacitances().end()}};
  result.exchanges = ExchangesTo(result.was);
  return result;
}

std::string ExchangeText(const BankShape& shape, const std::pair<size_t, size_t>& exchange) {
  return PositionName(shape, PositionOf(shape, exchange.first)) + " ↔ " +
         PositionName(shape, PositionOf(shape, exchange.second));
}

}  // namespace calc
