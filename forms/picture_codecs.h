// The decoders behind DecodePicture, one per recognised format that is decoded.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "forms/picture.h"

namespace forms::detail {

std::optional<Image> DecodeJpeg(std::span<const uint8_t> file);
std::optional<Image> DecodeBmp(std::span<const uint8_t> file);
// ICO and CUR share one layout; the cursor's hot spot is of no use to a picture.
std::optional<Image> DecodeIcon(std::span<const uint8_t> file);

// Within kMaxImageSide and kMaxImagePixels, both positive.
bool DimensionsAcceptable(int64_t width, int64_t height);
// A transparent image of that size; the dimensions must be acceptable.
Image BlankImage(int width, int height);

}  // namespace forms::detail
