#include "skin/skin_data.h"

#include "skin/engine/skin_format.h"

// Linked in by the build (cmake/Embed.cmake): the compiled skins one after another, and
// the built engine library.
extern "C" const unsigned char capcalc_skins[];
extern "C" const uint64_t capcalc_skins_size;
extern "C" const unsigned char capcalc_skin_engine_image[];
extern "C" const uint64_t capcalc_skin_engine_image_size;

namespace skin {

std::span<const uint8_t> AllEmbeddedSkins() { return {capcalc_skins, capcalc_skins_size}; }

std::span<const uint8_t> EmbeddedSkin(int number) {
  if (number < 1 || number > kEmbeddedSkinCount) return {};
  std::span<const uint8_t> rest = AllEmbeddedSkins();
  // Each skin's header declares its length, which leads to the next one.
  for (int at = 1;; ++at) {
    const std::optional<size_t> length = DeclaredLength(rest);
    if (!length) return {};
    if (at == number) return rest.first(*length);
    rest = rest.subspan(*length);
  }
}

std::span<const uint8_t> SkinEngineImage() {
  return {capcalc_skin_engine_image, capcalc_skin_engine_image_size};
}

}  // namespace skin
