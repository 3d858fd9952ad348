// The calculator's five pages and the variants of their calculations, and what tells the
// protection pages apart in their formulas.
#pragma once

namespace calc {

enum class CalculationPage {
  kCapacitorPage,
  kOpenDeltaPage,
  kDifferentialPage,
  kNeutralLinePage,
  kBridgePage
};
enum class Variant { kCapacitorParameters, kFuseless, kExternalFuses, kInternalFuses };

// The page's title on its tab.
const char* PageTitle(CalculationPage page);
// What the page's relay sees: "开口三角电压", "差电压", ...; empty on page 1.
const char* SignalName(CalculationPage page);
// The two voltage pages set a voltage relay, the two current pages a current relay.
bool MeasuresVoltage(CalculationPage page);
bool IsFused(Variant variant);

// The constants of a protection page's formulas. The voltage pages and the current pages
// share their formulas but for these: the steps D = a·N − b and R = 3MN(n − 1) + a·N − b
// by which a failure lowers the whole, and the factor f of the signal. The current pages
// name b and f the page constants C and F.
struct PageConstants {
  double a;  // N's factor in the steps: 3, or 6 on the current pages
  double b;  // the steps' constant: 2, or C
  double f;  // the signal's factor: 3, or F
};
PageConstants ConstantsOf(CalculationPage page);

}  // namespace calc
