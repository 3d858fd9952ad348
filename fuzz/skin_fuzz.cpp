// The skin reader on arbitrary bytes: it must refuse or accept without reading outside
// them, and whatever it accepts must survive writing out and reading back unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "skin/engine/skin_format.h"

namespace {

void CheckDecode(std::span<const uint8_t> bytes) {
  const std::optional<skin::Skin> skin = skin::Decode(bytes);
  if (skin && skin::Decode(skin::Encode(*skin)) != skin) std::abort();
}

// The input with a sound header: random bytes almost never carry the right checksum, and
// the records behind it are where the reader has most to get right.
std::vector<uint8_t> WithSoundHeader(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image(data, data + size);
  const uint8_t header_start[8] = {'.', 'S', 'K', 'N', 1, 0, 0, 0};
  std::memcpy(image.data(), header_start, sizeof header_start);
  skin::Seal(image);
  return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckDecode({data, size});
  skin::DeclaredLength({data, size});
  if (size >= skin::kHeaderSize) CheckDecode(WithSoundHeader(data, size));
  return 0;
}
