#include "calc/protection_values.h"

#include <cmath>

#include "calc/control_io.h"

namespace calc::protection {

float Uψ, U1, U2, Iψ, β, Kv, Klm, Us, computed_K, K, Uch, Ich;
int32_t M, N, m, n, CT;

void RoundFailedCountToWhole() {
  computed_K = K;
  if (double(K) - 1 < -0.0000001 || std::isnan(K)) {
    K = 1;
  } else {
    K = RoundToSingle(WholePart(K));
  }
}

WorkingValues CurrentWorkingValues() {
  return {Uψ, U1, U2, Iψ, β, Kv, Klm, Us, computed_K, K, Uch, Ich, M, N, m, n, CT};
}

}  // namespace calc::protection
