// Characters between GB18030 and UTF-8, with the C library's iconv.
#include <iconv.h>

#include "runtime/platform/platform.h"

namespace rt::platform {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one whole character into `out`; false when it has no counterpart.
  bool Convert(std::string_view in, std::string* out) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in_ptr = const_cast<char*>(in.data());
    size_t in_left = in.size();
    char* out_ptr = buffer;
    size_t out_left = sizeof buffer;
    if (iconv(cd_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<size_t>(-1) || in_left)
      return false;
    out->assign(buffer, static_cast<size_t>(out_ptr - buffer));
    return true;
  }

 private:
  iconv_t cd_;
};

// Opened once for each thread that converts: a conversion descriptor keeps state between
// calls and must not be shared.
struct Converters {
  Converter to_utf8{"UTF-8", "GB18030"};
  Converter to_inside{"GB18030", "UTF-8"};
};

Converters& TheConverters() {
  thread_local Converters converters;
  return converters;
}

}  // namespace

bool ConvertCharacter(Direction direction, std::string_view character, std::string* out) {
  Converters& converters = TheConverters();
  return (direction == Direction::kToUtf8 ? converters.to_utf8 : converters.to_inside)
      .Convert(character, out);
}

}  // namespace rt::platform
