// What the calculation sheet says of a protection calculation: the working values, the
// fault table of a fused variant or the fault of a fuseless unit, the warnings and the
// formulas, from the values the click stored.
#pragma once

#include "calc/model/analysis.h"
#include "calc/model/protection.h"

namespace calc {

SheetAnalysis AnalyseProtection(const ProtectionOutcome& outcome, const Captions& captions);

}  // namespace calc
