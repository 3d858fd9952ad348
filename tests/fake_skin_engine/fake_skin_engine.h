// What the stand-in skin engine remembers of its calls.
#pragma once

#include <cstdint>
#include <vector>

struct FakeSkinEngineCalls {
  int aero_calls = 0;
  int32_t aero = -1;
  const uint8_t* skin = nullptr;  // the buffer as passed; the program should free it at once
  std::vector<uint8_t> skin_bytes;
  int32_t byte_count = -1;
  bool text_is_empty_string = false;
  int32_t reserved[3] = {-1, -1, -1};
};

// Exported by the stand-in: FakeSkinEngine_Calls() returns its record.
using FakeSkinEngineCallsExport = const FakeSkinEngineCalls*();
