// What each "计算" button calculates: its page, its variant, and where the page shows what
// the sheet of that calculation needs (the variant's group box, the circuit diagram).
#pragma once

#include <cstdint>

#include "calc/protection_values.h"

namespace calc {

enum class SheetPage { kCapacitorPage, kOpenDeltaPage, kDifferentialPage, kNeutralLinePage, kBridgePage };
enum class Variant { kCapacitorParameters, kFuseless, kExternalFuses, kInternalFuses };

struct CalculationKind {
  uint32_t button;
  SheetPage page;
  Variant variant;
  uint32_t variant_group;  // the group box captioned with the variant; 0 on page 1
  uint32_t diagram;        // the page's picture (on page 1 the star connection's)
};

// Null for a control that is no "计算" button.
const CalculationKind* KindOfButton(uint32_t button);

// The page's title on its tab.
const char* PageTitle(SheetPage page);
// What the page's relay sees: "开口三角电压", "差电压", ...; empty on page 1.
const char* SignalName(SheetPage page);
// The two voltage pages set a voltage relay, the two current pages a current relay.
bool MeasuresVoltage(SheetPage page);
// F and C of a current page.
protection::CurrentPageConstants ConstantsOf(SheetPage page);
bool IsFused(Variant variant);

}  // namespace calc
