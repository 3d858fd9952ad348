// The text conversion between the system's UTF-8 and the program's GB18030 on arbitrary
// bytes. Whatever the system hands over comes back exactly; an inside text without escape
// characters of its own comes back exactly too.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "runtime/platform/gbk.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// The inside forms of the escape characters: what a byte that is no UTF-8 becomes.
const std::vector<std::string>& EscapeForms() {
  static const std::vector<std::string> forms = [] {
    std::vector<std::string> all;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
      all.push_back(rt::Utf8ToGbk(std::string(1, static_cast<char>(byte))));
    return all;
  }();
  return forms;
}

bool MayHoldEscapes(const std::string& inside) {
  for (const std::string& form : EscapeForms()) {
    if (inside.find(form) != std::string::npos) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::string inside = rt::Utf8ToGbk(bytes);
  Require(rt::GbkToUtf8(inside) == bytes);
  if (!MayHoldEscapes(bytes)) Require(rt::Utf8ToGbk(rt::GbkToUtf8(bytes)) == bytes);
  return 0;
}
