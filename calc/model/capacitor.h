// The capacitor parameter page's calculation: from the texts typed into its boxes and the
// connection picked to the twelve results it shows, with the inputs and the rated current
// held at the widths the page holds them (single precision; the frequency and the CT
// ratio as 32-bit integers), evaluated in double precision in the page's own order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calc/model/analysis.h"
#include "calc/model/protection.h"

namespace calc {

struct CapacitorTexts {
  std::string UN, QN, Kr, Usys, f, nCT, cosφ1, cosφ2, P;  // as typed, GBK
  int32_t connection = 0;                                 // the picked item: 0 star, 1 delta
  std::string connection_text;                            // the item's text as shown
  std::vector<std::string> connection_items;              // the items the box offers
};

// The results in the order the page writes them.
enum class CapacitorResult {
  kRatedCurrent,
  kInDeltaCurrent,
  kCapacitiveReactance,
  kInductiveReactance,
  kOutput,
  kOperatingCurrent,
  kTuningFrequency,
  kCompensation,
  kInstantaneousSetting,
  kDelayedSetting,
  kInstantaneousDifferentialSetting,
  kDelayedDifferentialSetting,
};
inline constexpr size_t kCapacitorResultCount = 12;

struct ResultValue {
  CapacitorResult result{};
  const char* symbol = "";   // as the formulas name it; may be empty
  double value = 0;          // before it became text; NaN for a text written as such
  std::string text;          // as the result box shows it
  const char* formula = "";  // in closed form, for the connection picked
};

// The page's working values as a click leaves them.
struct CapacitorValues {
  float UN = 0, QN = 0, Kr = 0, Usys = 0, cosφ1 = 0, cosφ2 = 0, P = 0;
  // IN, the rated current, kept in single precision for the in-delta current and the
  // settings. Not named IN: Windows' headers define that name away.
  float rated_current = 0;
  int32_t f = 0, nCT = 0;
  int32_t connection = 0;
};

struct CapacitorOutcome {
  std::vector<InputReading> inputs;  // in the order the page reads them, the connection last
  CapacitorValues values;
  std::vector<ResultValue> results;  // in the order the page writes them
  std::vector<std::string> connection_items;
};

CapacitorOutcome CalculateCapacitorParameters(CapacitorTexts texts);

// The capacitors' operating voltage beside their rated voltage, the warnings and the
// formula of the operating voltage.
SheetAnalysis AnalyseCapacitorParameters(const CapacitorOutcome& outcome, const Captions& captions);

}  // namespace calc
