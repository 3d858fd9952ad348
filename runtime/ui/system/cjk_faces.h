// The installed faces that draw the template's two Chinese fonts.
#pragma once

#include <string>

namespace rt {

// In the toolkit's form of a face name: a style letter (" " regular), then the name.
struct CjkFaces {
  std::string song;  // "宋体"
  std::string kai;   // "楷体_GB2312"
};

// Looked up once, on the first call.
const CjkFaces& InstalledCjkFaces();

}  // namespace rt
