// A stand-in for the skin engine that remembers how it was called, so that tests can see
// what the program passes and whether it keeps its buffer to itself.
#include "tests/fake_skin_engine/fake_skin_engine.h"

namespace {

FakeSkinEngineCalls calls;

}  // namespace

extern "C" {

__attribute__((visibility("default"))) int32_t SkinEngine_SetAero(int32_t on) {
  ++calls.aero_calls;
  calls.aero = on;
  return 1;
}

__attribute__((visibility("default"))) int32_t SkinEngine_AttachRes(const uint8_t* skin,
                                                                    int32_t byte_count,
                                                                    const char* text, int32_t a,
                                                                    int32_t b, int32_t c) {
  calls.skin = skin;
  calls.byte_count = byte_count;
  if (skin && byte_count > 0) calls.skin_bytes.assign(skin, skin + byte_count);
  calls.text_is_empty_string = text && *text == '\0';
  calls.reserved[0] = a;
  calls.reserved[1] = b;
  calls.reserved[2] = c;
  return 1;
}

__attribute__((visibility("default"))) const FakeSkinEngineCalls* FakeSkinEngine_Calls() {
  return &calls;
}

}  // extern "C"
