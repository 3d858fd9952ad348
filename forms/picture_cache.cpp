#include "forms/picture_cache.h"

#include <utility>

namespace forms {

void PictureCache::Assign(std::vector<uint8_t> file) {
  file_ = std::move(file);
  decoded_.reset();
  drawing_.reset();
}

bool PictureCache::EnsureDecoded() {
  if (decoded_) return true;
  if (file_.empty()) return false;
  decoded_ = DecodePicture(file_);
  if (!decoded_) file_.clear();  // a failing file is dropped, not retried at every paint
  return decoded_.has_value();
}

const PictureDrawing* PictureCache::Drawing(int area_width, int area_height, PictureMode mode) {
  if (!EnsureDecoded()) return nullptr;
  const bool same_layout =
      drawing_ && drawn_width_ == area_width && drawn_height_ == area_height && drawn_mode_ == mode;
  if (!same_layout) {
    drawing_ = LayoutPicture(*decoded_, area_width, area_height, mode);
    drawn_width_ = area_width;
    drawn_height_ = area_height;
    drawn_mode_ = mode;
  }
  return drawing_->image.rgba.empty() ? nullptr : &*drawing_;
}

}  // namespace forms
