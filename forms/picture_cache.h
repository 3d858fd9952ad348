// The picture of one control, as the control keeps it: the stored file, decoded the first
// time the control paints and kept until the picture changes.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "forms/picture_layout.h"

namespace forms {

class PictureCache {
 public:
  // A new picture property value; forgets everything decoded from the previous one.
  void Assign(std::vector<uint8_t> file);

  // The property as it stands: empty once a file has failed to decode.
  const std::vector<uint8_t>& File() const { return file_; }

  // What to draw in a client area of that size; nullptr when there is no picture (none
  // stored, unrecognised, or failed to decode, in which case the file is dropped). The
  // result stays valid until the next call or Assign.
  const PictureDrawing* Drawing(int area_width, int area_height, PictureMode mode);

  // Whether the picture has been decoded: not before the control first paints.
  bool Decoded() const { return decoded_.has_value(); }

 private:
  bool EnsureDecoded();

  std::vector<uint8_t> file_;
  std::optional<Image> decoded_;
  std::optional<PictureDrawing> drawing_;
  int drawn_width_ = 0;
  int drawn_height_ = 0;
  PictureMode drawn_mode_ = PictureMode::kNaturalSize;
};

}  // namespace forms
