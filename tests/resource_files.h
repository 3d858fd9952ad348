// Reads the committed picture files, for the tests and the benchmark.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace picture_test {

using Bytes = std::vector<uint8_t>;

inline Bytes ReadResource(const std::string& name) {
  std::ifstream in(std::string(CAPCALC_RESOURCE_DIR) + "/" + name, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace picture_test
