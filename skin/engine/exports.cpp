// The two entry points of the engine library (SkinEngine.so, on Windows SkinEngine.dll).
// The program loads the library at run time and calls them with C linkage, by their
// undecorated names; nothing else is exported.

#include <cstdint>
#include <optional>

#include "skin/engine/host_toolkit.h"
#include "skin/engine/skin_format.h"
#include "skin/engine/theme.h"

#ifdef _WIN32
#define SKIN_ENGINE_EXPORT extern "C" __declspec(dllexport)
#else
#define SKIN_ENGINE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

struct EngineState {
  std::optional<skin::Skin> attached;  // the engine's own copy: callers free their buffers
  bool aero = false;
};

EngineState& State() {
  static EngineState state;
  return state;
}

// No exception may cross into the C caller; the only one possible is running out of
// memory, which counts as failure. Without the program's toolkit table there is nothing
// to theme: every call fails.
template <typename Body>
int32_t Guarded(Body body) {
  if (!skin::HostToolkit()) return 0;
  try {
    return body();
  } catch (...) {
    return 0;
  }
}

}  // namespace

// Switches the aero effect (see skin/engine/boxes.h) on for any nonzero `on`, off for 0.
// Before a skin is attached the switch is only remembered; afterwards the attached skin
// is applied again with the new setting. Returns 1 (0 only if memory ran out, or the
// program exports no toolkit table).
SKIN_ENGINE_EXPORT int32_t SkinEngine_SetAero(int32_t on) {
  return Guarded([on] {
    EngineState& state = State();
    state.aero = on != 0;
    if (state.attached) skin::ApplyTheme(*state.attached, state.aero);
    return 1;
  });
}

// Themes the program's windows with the skin in skin[0 .. byte_count). The bytes are
// read during the call only. Returns 1 when the skin was applied, 0 when it was refused
// (null, a count outside 1 .. 64 KiB, or any failed check of the format, or no toolkit
// table in the program), in which case the windows keep the look they had.
//
// `reserved_text` and the three integers are reserved for later use: the program passes
// an empty text and zeros, and the engine never reads them.
SKIN_ENGINE_EXPORT int32_t SkinEngine_AttachRes(const uint8_t* skin, int32_t byte_count,
                                                const char* /*reserved_text*/,
                                                int32_t /*reserved_a*/, int32_t /*reserved_b*/,
                                                int32_t /*reserved_c*/) {
  if (!skin || byte_count <= 0 || static_cast<size_t>(byte_count) > skin::kMaxSkinSize) return 0;
  return Guarded([&] {
    std::optional<skin::Skin> decoded = skin::Decode({skin, static_cast<size_t>(byte_count)});
    if (!decoded) return 0;
    EngineState& state = State();
    state.attached = std::move(decoded);
    skin::ApplyTheme(*state.attached, state.aero);
    return 1;
  });
}
