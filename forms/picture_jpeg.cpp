// JPEG through libjpeg. Its default error handling ends the process; here every error,
// and the warning that the data ended early, abandons the decode instead.
#include <algorithm>
#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

#include "forms/picture_codecs.h"

namespace forms::detail {
namespace {

// libjpeg-turbo (Debian's) writes RGBA rows directly. IJG's libjpeg (the toolkit's
// bundled one, in the Windows build) offers only RGB: its rows are spread to RGBA in place.
#ifdef JCS_EXTENSIONS
constexpr J_COLOR_SPACE kOutputSpace = JCS_EXT_RGBA;
void SpreadToRgba(JSAMPROW, int) {}
#else
constexpr J_COLOR_SPACE kOutputSpace = JCS_RGB;
// The RGB pixels were decoded into the last three quarters of the row; pixel i moves
// from byte width + 3i to byte 4i, never over one not yet moved.
void SpreadToRgba(JSAMPROW row, int width) {
  const JSAMPROW rgb = row + width;
  for (int i = 0; i < width; ++i) {
    const JSAMPLE r = rgb[3 * i], g = rgb[3 * i + 1], b = rgb[3 * i + 2];
    row[4 * i] = r;
    row[4 * i + 1] = g;
    row[4 * i + 2] = b;
    row[4 * i + 3] = 0xFF;
  }
}
#endif

// Where in an RGBA row libjpeg writes its output.
JSAMPROW DecodeTarget(JSAMPROW row, int width) {
  return kOutputSpace == JCS_RGB ? row + width : row;
}

// libjpeg's own working memory, bounded for progressive files whose whole coefficient
// image is buffered: a hostile header cannot make it take more.
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

// A sequential scan spends at least two bits on each 8 x 8 block, so one byte of file
// yields at most 256 grey pixels, 1024 bytes of RGBA. Reserving up to that much up front
// spares the growing image its reallocations without trusting a header's claim.
constexpr size_t kMaxOutputPerInputByte = 1024;

struct ErrorManager {
  jpeg_error_mgr base;  // first, so that libjpeg's pointer to it is also one to us
  std::jmp_buf abandon;
};

[[noreturn]] void AbandonDecode(j_common_ptr decoder) {
  std::longjmp(reinterpret_cast<ErrorManager*>(decoder->err)->abandon, 1);
}

// libjpeg only warns when the data ends early, and pads the rest of the image with grey.
// A truncated diagram is a damaged one: drop it rather than show half of it.
void AbandonOnPrematureEnd(j_common_ptr decoder, int level) {
  const int code = decoder->err->msg_code;
  if (level < 0 && (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER)) AbandonDecode(decoder);
}

// Holds no object with a destructor between setjmp and the libjpeg calls that may jump
// back, so the jump skips no clean-up. Rows are appended as they are decoded, so a short
// file claiming a huge image costs little more than what it actually delivers.
bool DecodeInto(std::span<const uint8_t> file, Image* image) {
  jpeg_decompress_struct decoder;
  ErrorManager errors;
  decoder.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = AbandonDecode;
  errors.base.emit_message = AbandonOnPrematureEnd;
  if (setjmp(errors.abandon)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  jpeg_create_decompress(&decoder);
  decoder.mem->max_memory_to_use = kMaxDecoderMemory;
  jpeg_mem_src(&decoder, file.data(), static_cast<unsigned long>(file.size()));
  jpeg_read_header(&decoder, TRUE);
  if (!DimensionsAcceptable(decoder.image_width, decoder.image_height)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  decoder.out_color_space = kOutputSpace;
  jpeg_start_decompress(&decoder);
  image->width = static_cast<int>(decoder.output_width);
  image->height = static_cast<int>(decoder.output_height);
  const size_t row_bytes = static_cast<size_t>(image->width) * 4;
  image->rgba.reserve(std::min(row_bytes * image->height, kMaxOutputPerInputByte * file.size()));
  while (decoder.output_scanline < decoder.output_height) {
    image->rgba.resize(image->rgba.size() + row_bytes);
    const JSAMPROW row = image->rgba.data() + image->rgba.size() - row_bytes;
    JSAMPROW target = DecodeTarget(row, image->width);
    jpeg_read_scanlines(&decoder, &target, 1);
    SpreadToRgba(row, image->width);
  }
  jpeg_finish_decompress(&decoder);
  jpeg_destroy_decompress(&decoder);
  return true;
}

}  // namespace

std::optional<Image> DecodeJpeg(std::span<const uint8_t> file) {
  Image image;
  if (!DecodeInto(file, &image)) return std::nullopt;
  return image;
}

}  // namespace forms::detail
