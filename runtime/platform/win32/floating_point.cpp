// The floating-point environment, with the C library's controls of the x87 and SSE units.
#include <float.h>

#include <cfenv>

#include "runtime/platform/platform.h"

namespace rt::platform {

void SetFloatingPointEnvironment() {
  _controlfp(_RC_NEAR, _MCW_RC);
  _controlfp(_MCW_EM, _MCW_EM);  // a set mask bit masks its exception
  std::feclearexcept(FE_ALL_EXCEPT);
}

}  // namespace rt::platform
