// The skin engine library and the skins the program carries as constant data.
#pragma once

#include <cstdint>
#include <span>

namespace skin {

inline constexpr int kEmbeddedSkinCount = 33;

// Skin `number`, 1 to kEmbeddedSkinCount, starting with its ".SKN" bytes; an empty span
// for any other number.
std::span<const uint8_t> EmbeddedSkin(int number);

// All the skins, one after another, as the program carries them.
std::span<const uint8_t> AllEmbeddedSkins();

// The file image of the engine library (SkinEngine.so, on Windows SkinEngine.dll),
// written beside the program when it is missing there.
std::span<const uint8_t> SkinEngineImage();

}  // namespace skin
