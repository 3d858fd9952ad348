// A protection page's bank as a network of capacitances: every unit at its position with
// its own capacitance, the units of a group in parallel, the groups in series, the three
// phases in an ungrounded star fed with balanced phase voltages. The relay's signal comes
// from a nodal analysis of that network at the system frequency; every element is a
// capacitance, so the frequency cancels out of each signal and susceptances are taken as
// the capacitances themselves.
//
// The signals are relative: voltages to the phase voltage Uψ, currents to the nominal
// phase current (the bank with every unit at the mean of all units). The page's scale
// (Us in volts, Iψ / CT in amperes) turns them into what its relay sees.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calc/model/kinds.h"

namespace calc {

// How a page's M and N units per phase stand in its bank. Open-delta and
// voltage-differential pages: one star, each phase N groups of M units; neutral-line
// page: two stars, each phase of each N groups of M/2; bridge page: four arms a phase
// (1 and 2 the left branch, upper and lower; 3 and 4 the right), each N/2 groups of M/2.
struct BankShape {
  CalculationPage page{};
  int32_t M = 0, N = 0;
  int branches = 0;  // per phase: 1, the 2 stars or the 4 arms
  int groups = 0;    // per branch, numbered from the phase terminal (lower arms: from the midpoint)
  int units = 0;     // per group
  int sections = 1;  // of a branch whose voltages the relay compares: 2 on the differential page

  size_t UnitCount() const { return size_t(3) * branches * groups * units; }
};

// The page's bank of M and N; none when they do not allow its arrangement (a count below
// 1, an odd count the arrangement halves, or more units than a bank can hold).
std::optional<BankShape> ShapeOf(CalculationPage page, int32_t M, int32_t N);
// Why M and N do not allow the page's arrangement, for the engineer.
std::string ImpossibleArrangement(CalculationPage page, int32_t M, int32_t N);

// A unit's place, every number from 0.
struct UnitPosition {
  int phase = 0, branch = 0, group = 0, unit = 0;
};
size_t IndexOf(const BankShape& shape, const UnitPosition& position);
UnitPosition PositionOf(const BankShape& shape, size_t index);
// "A相1串3号"; with two stars "A相2星1串3号", in a bridge "A相3臂1串3号".
std::string PositionName(const BankShape& shape, const UnitPosition& position);

// The relay's signal: the scheme's, and per phase where the scheme compares each phase
// (differential and bridge pages); relative as above.
struct RelativeSignals {
  double scheme = 0;
  std::optional<std::array<double, 3>> phases;
};

// The network of a bank whose unit at each index (IndexOf) has the capacitance given, in
// µF. A removed unit counts as 0; the nominal phase current takes the mean of the others.
// Each group is held as its sum and each section of a branch as the sum of its groups'
// reciprocals, so an exchange of two units is weighed without solving the rest anew.
class BankNetwork {
 public:
  BankNetwork(const BankShape& shape, std::span<const double> capacitances);

  RelativeSignals Signals() const;
  // The highest voltage on a unit, per unit of its rated share Uψ / N.
  double HighestUnitVoltage() const;
  // The scheme's signal were the units at the two indices exchanged.
  double SchemeSignalAfterExchange(size_t first, size_t second) const;
  void Exchange(size_t first, size_t second);

  const BankShape& shape() const { return shape_; }
  std::span<const double> capacitances() const { return capacitances_; }

 private:
  static constexpr int kMostSections = 4 * 2;
  using Elastances = std::array<double, 3 * kMostSections>;  // phase, branch, section

  size_t GroupOf(size_t index) const { return index / size_t(shape_.units); }
  int SectionOf(size_t group) const;
  double GroupSum(size_t group) const;
  double SectionElastance(int section) const;
  RelativeSignals SignalsOf(const Elastances& elastances) const;

  BankShape shape_;
  std::vector<double> capacitances_;
  std::vector<double> group_sums_;
  Elastances elastances_{};
  double nominal_phase_capacitance_ = 0;
};

}  // namespace calc
