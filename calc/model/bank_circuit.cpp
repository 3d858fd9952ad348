#include "calc/model/bank_circuit.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "runtime/core/number_format.h"

namespace calc {
namespace {

using Phasor = std::complex<double>;
using BranchCapacitances = std::array<std::array<double, 4>, 3>;

// A bank of more units than this is no bank: the limit keeps an absurd count from
// taking the memory of a network that cannot exist.
constexpr size_t kMostUnits = 100000;

const char* const kPhaseNames[] = {"A", "B", "C"};

// The balanced phase voltages, per unit of Uψ: A, B lagging by 120°, C by 240°.
const Phasor kPhaseVoltages[] = {
    {1, 0}, {-0.5, -std::numbers::sqrt3 / 2}, {-0.5, std::numbers::sqrt3 / 2}};
Phasor PhaseVoltage(int phase) { return kPhaseVoltages[phase]; }

// |z| without hypot's care for overflow, which no voltage here comes near; the search
// of a rebalancing weighs it some hundred thousand times a pass.
double Magnitude(Phasor z) { return std::sqrt(std::norm(z)); }

// The voltage of the star point (per unit of Uψ) for the phases' capacitances: the one
// node of the network, its current sum zero.
Phasor StarPoint(std::span<const double> capacitances, int branches) {
  Phasor sum = 0;
  double total = 0;
  for (size_t at = 0; at < capacitances.size(); ++at) {
    sum += capacitances[at] * PhaseVoltage(int(at) / branches);
    total += capacitances[at];
  }
  return sum / total;
}

// A bridge's phase: the CT joins the midpoints, so the upper arms stand in parallel, the
// lower arms too, and the two pairs in series.
struct BridgePhase {
  double upper = 0, lower = 0, whole = 0;
};
BridgePhase BridgeOf(const std::array<double, 4>& arms) {
  BridgePhase phase{arms[0] + arms[2], arms[1] + arms[3], 0};
  phase.whole = phase.upper * phase.lower / (phase.upper + phase.lower);
  return phase;
}

bool IsBridge(const BankShape& shape) { return shape.page == CalculationPage::kBridgePage; }

// What the three phases' currents see: the voltage from each phase terminal to the star
// point, with the star point from every branch (two stars share theirs through the CT).
std::array<Phasor, 3> PhaseVoltages(const BankShape& shape, const BranchCapacitances& c) {
  const int per_phase = IsBridge(shape) ? 1 : shape.branches;
  std::array<double, 3 * 4> star_branches{};
  for (int p = 0; p < 3; ++p) {
    if (IsBridge(shape)) star_branches[p] = BridgeOf(c[p]).whole;
    for (int b = 0; b < per_phase && !IsBridge(shape); ++b)
      star_branches[p * per_phase + b] = c[p][b];
  }
  const Phasor star = StarPoint(std::span(star_branches).first(3 * per_phase), per_phase);
  return {PhaseVoltage(0) - star, PhaseVoltage(1) - star, PhaseVoltage(2) - star};
}

double Largest(const std::array<double, 3>& values) {
  return std::max(values[0], std::max(values[1], values[2]));
}

}  // namespace

std::optional<BankShape> ShapeOf(CalculationPage page, int32_t M, int32_t N) {
  BankShape shape{page, M, N, 1, N, M, 1};
  const bool halves_units = page == CalculationPage::kNeutralLinePage || IsBridge(shape);
  const bool halves_groups = page == CalculationPage::kDifferentialPage || IsBridge(shape);
  if (page == CalculationPage::kCapacitorPage || M < 1 || N < 1) return std::nullopt;
  if ((halves_units && M % 2 != 0) || (halves_groups && N % 2 != 0)) return std::nullopt;
  if (double(M) * N * 3 > double(kMostUnits)) return std::nullopt;
  switch (page) {
    case CalculationPage::kDifferentialPage: shape.sections = 2; break;
    case CalculationPage::kNeutralLinePage: shape = {page, M, N, 2, N, M / 2, 1}; break;
    case CalculationPage::kBridgePage: shape = {page, M, N, 4, N / 2, M / 2, 1}; break;
    default: break;
  }
  return shape;
}

std::string ImpossibleArrangement(CalculationPage page, int32_t M, int32_t N) {
  const std::string counts =
      "（M = " + rt::FormatInteger(M) + "，N = " + rt::FormatInteger(N) + "）";
  if (M < 1 || N < 1) return "M 与 N 应不小于 1" + counts;
  if (double(M) * N * 3 > double(kMostUnits))
    return "电容器台数 3MN 超过 " + rt::FormatInteger(int32_t(kMostUnits)) + counts;
  switch (page) {
    case CalculationPage::kDifferentialPage: return "电压差动每相分为两半：N 应为偶数" + counts;
    case CalculationPage::kNeutralLinePage: return "双星形接线每相分在两个星：M 应为偶数" + counts;
    case CalculationPage::kBridgePage:
      return "桥式接线每相为两条支路、每条支路分上下两半：M 与 N 应为偶数" + counts;
    default: return counts;
  }
}

size_t IndexOf(const BankShape& shape, const UnitPosition& at) {
  return ((size_t(at.phase) * shape.branches + at.branch) * shape.groups + at.group) * shape.units +
         at.unit;
}

UnitPosition PositionOf(const BankShape& shape, size_t index) {
  UnitPosition at;
  at.unit = int(index % shape.units);
  index /= shape.units;
  at.group = int(index % shape.groups);
  index /= shape.groups;
  at.branch = int(index % shape.branches);
  at.phase = int(index / shape.branches);
  return at;
}

std::string PositionName(const BankShape& shape, const UnitPosition& at) {
  std::string name = std::string(kPhaseNames[at.phase]) + "相";
  if (shape.page == CalculationPage::kNeutralLinePage)
    name += rt::FormatInteger(at.branch + 1) + "星";
  if (IsBridge(shape)) name += rt::FormatInteger(at.branch + 1) + "臂";
  return name + rt::FormatInteger(at.group + 1) + "串" + rt::FormatInteger(at.unit + 1) + "号";
}

BankNetwork::BankNetwork(const BankShape& shape, std::span<const double> capacitances)
    : shape_(shape), capacitances_(capacitances.begin(), capacitances.end()) {
  group_sums_.resize(capacitances_.size() / shape_.units);
  for (size_t group = 0; group < group_sums_.size(); ++group) group_sums_[group] = GroupSum(group);
  for (int p = 0; p < 3; ++p)
    for (int s = 0; s < shape_.branches * shape_.sections; ++s)
      elastances_[p * kMostSections + s] = SectionElastance(p * kMostSections + s);
  double sum = 0;
  size_t present = 0;
  for (double c : capacitances_)
    if (c > 0) sum += c, ++present;
  nominal_phase_capacitance_ = sum / double(present) * shape_.M / shape_.N;
}

int BankNetwork::SectionOf(size_t group) const {
  const size_t branch = group / shape_.groups;
  const int phase = int(branch / shape_.branches);
  const int in_phase = int(branch % shape_.branches) * shape_.sections +
                       int(group % shape_.groups) * shape_.sections / shape_.groups;
  return phase * kMostSections + in_phase;
}

double BankNetwork::GroupSum(size_t group) const {
  double sum = 0;
  for (int unit = 0; unit < shape_.units; ++unit) sum += capacitances_[group * shape_.units + unit];
  return sum;
}

// The sum of the reciprocals of the section's groups: the groups stand in series.
double BankNetwork::SectionElastance(int section) const {
  const int phase = section / kMostSections, in_phase = section % kMostSections;
  const int branch = in_phase / shape_.sections, part = in_phase % shape_.sections;
  const int per_section = shape_.groups / shape_.sections;
  const size_t first =
      (size_t(phase) * shape_.branches + branch) * shape_.groups + size_t(part) * per_section;
  double sum = 0;
  for (int group = 0; group < per_section; ++group) sum += 1 / group_sums_[first + group];
  return sum;
}

RelativeSignals BankNetwork::SignalsOf(const Elastances& e) const {
  BranchCapacitances c{};
  for (int p = 0; p < 3; ++p)
    for (int b = 0; b < shape_.branches; ++b) {
      double elastance = 0;
      for (int s = 0; s < shape_.sections; ++s)
        elastance += e[p * kMostSections + b * shape_.sections + s];
      c[p][b] = 1 / elastance;
    }
  const std::array<Phasor, 3> v = PhaseVoltages(shape_, c);
  RelativeSignals signals;
  std::array<double, 3> phases{};
  switch (shape_.page) {
    case CalculationPage::kDifferentialPage:
      // The two halves' voltages divide the phase's in the ratio of their elastances.
      for (int p = 0; p < 3; ++p) {
        const double first = e[p * kMostSections], second = e[p * kMostSections + 1];
        phases[p] = Magnitude(v[p]) * std::fabs(first - second) / (first + second);
      }
      signals.phases = phases;
      signals.scheme = Largest(phases);
      break;
    case CalculationPage::kNeutralLinePage: {
      // The current from star 1's point to star 2's is what star 2's phases carry.
      Phasor link = 0;
      for (int p = 0; p < 3; ++p) link += c[p][1] * v[p];
      signals.scheme = Magnitude(link) / nominal_phase_capacitance_;
      break;
    }
    case CalculationPage::kBridgePage:
      // The CT carries what the left upper arm takes beyond what the left lower one passes.
      for (int p = 0; p < 3; ++p) {
        const BridgePhase bridge = BridgeOf(c[p]);
        const double share = c[p][0] / bridge.upper - c[p][1] / bridge.lower;
        phases[p] = Magnitude(v[p]) * bridge.whole * std::fabs(share) / nominal_phase_capacitance_;
      }
      signals.phases = phases;
      signals.scheme = Largest(phases);
      break;
    default: {
      // The open delta adds the three coils' voltages: three times the star point's.
      const Phasor star = PhaseVoltage(0) - v[0];
      signals.scheme = 3 * Magnitude(star);
      break;
    }
  }
  return signals;
}

RelativeSignals BankNetwork::Signals() const { return SignalsOf(elastances_); }

double BankNetwork::HighestUnitVoltage() const {
  BranchCapacitances c{};
  std::array<std::array<double, 4>, 3> branch_elastance{};
  for (int p = 0; p < 3; ++p)
    for (int b = 0; b < shape_.branches; ++b) {
      for (int s = 0; s < shape_.sections; ++s)
        branch_elastance[p][b] += elastances_[p * kMostSections + b * shape_.sections + s];
      c[p][b] = 1 / branch_elastance[p][b];
    }
  const std::array<Phasor, 3> v = PhaseVoltages(shape_, c);
  double highest = 0;
  for (size_t group = 0; group < group_sums_.size(); ++group) {
    const UnitPosition at = PositionOf(shape_, group * shape_.units);
    double branch_voltage = Magnitude(v[at.phase]);
    if (IsBridge(shape_)) {
      // An arm's share: the phase current over the capacitance of its arm pair.
      const BridgePhase bridge = BridgeOf(c[at.phase]);
      branch_voltage *= bridge.whole / (at.branch % 2 == 0 ? bridge.upper : bridge.lower);
    }
    const double on_group =
        branch_voltage / group_sums_[group] / branch_elastance[at.phase][at.branch];
    highest = std::max(highest, on_group * shape_.N);
  }
  return highest;
}

double BankNetwork::SchemeSignalAfterExchange(size_t first, size_t second) const {
  const size_t first_group = GroupOf(first), second_group = GroupOf(second);
  const double moved = capacitances_[second] - capacitances_[first];
  if (first_group == second_group || moved == 0) return Signals().scheme;
  Elastances e = elastances_;
  const double first_sum = group_sums_[first_group], second_sum = group_sums_[second_group];
  e[SectionOf(first_group)] += 1 / (first_sum + moved) - 1 / first_sum;
  e[SectionOf(second_group)] += 1 / (second_sum - moved) - 1 / second_sum;
  return SignalsOf(e).scheme;
}

void BankNetwork::Exchange(size_t first, size_t second) {
  std::swap(capacitances_[first], capacitances_[second]);
  for (size_t group : {GroupOf(first), GroupOf(second)}) group_sums_[group] = GroupSum(group);
  for (size_t group : {GroupOf(first), GroupOf(second)})
    elastances_[SectionOf(group)] = SectionElastance(SectionOf(group));
}

}  // namespace calc
