// The skin compiler, run by the build: capcalc_skinc OUTPUT SOURCE...
// Compiles each skin source and writes the binary skins one after another to OUTPUT, in
// the order given. Each skin's header carries its length, so the result needs no index.

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "skin/engine/skin_format.h"
#include "skin/tools/skin_source.h"

namespace {

bool AppendCompiled(const char* source_path, std::vector<uint8_t>& pack) {
  std::ifstream in(source_path, std::ios::binary);
  if (!in) {
    std::cerr << source_path << ": cannot read\n";
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  std::string error;
  const std::optional<skin::Skin> parsed = skin::ParseSource(text.str(), &error);
  if (!parsed) {
    std::cerr << source_path << ": " << error << '\n';
    return false;
  }
  const std::vector<uint8_t> binary = skin::Encode(*parsed);
  pack.insert(pack.end(), binary.begin(), binary.end());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: capcalc_skinc OUTPUT SOURCE...\n";
    return 2;
  }
  std::vector<uint8_t> pack;
  for (int i = 2; i < argc; ++i) {
    if (!AppendCompiled(argv[i], pack)) return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(pack.data()), static_cast<std::streamsize>(pack.size()));
  out.close();
  if (!out) {
    std::cerr << argv[1] << ": cannot write\n";
    return 1;
  }
  return 0;
}
