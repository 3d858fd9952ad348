// The floating-point environment, with the C library's controls.
#include <cfenv>

#include "runtime/platform/platform.h"

namespace rt::platform {

void SetFloatingPointEnvironment() {
  std::fesetround(FE_TONEAREST);
  fedisableexcept(FE_ALL_EXCEPT);
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace rt::platform
