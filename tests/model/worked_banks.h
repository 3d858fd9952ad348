// The worked banks of the protection pages, as typed.
#pragma once

#include "calc/model/kinds.h"
#include "calc/model/protection.h"

namespace testing_support {

// Uψ = U1 = 6.35 kV, U2 = 0.1 kV, M = 10, N = 1 on the voltage pages; Iψ = 288.7 A,
// CT = 40, M = 8, N = 2 on the current pages; β = 0.5, Kv = 1.1 (1.15 with internal
// fuses), Klm = 1.3, m = 14, n = 4.
calc::ProtectionTexts WorkedBank(calc::CalculationPage page, calc::Variant variant);

}  // namespace testing_support
