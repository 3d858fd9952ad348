// Sets the unit data field that one description line names (`key value...`). It walks the
// field lists of forms/unit_fields.h like the binary reader and writer do, so the words of
// the description are the field names of those lists and need no table of their own.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "forms/unit_data.h"
#include "tools/formc/lines.h"

namespace formc {

// Reads the files that byte fields (pictures, icon, sound) name, relative to `root`, and
// remembers them so that the build can redo the template when one changes.
class FileReader {
 public:
  explicit FileReader(std::filesystem::path root) : root_(std::move(root)) {}
  forms::Bytes Read(const Line& line, const Token& path);
  const std::vector<std::string>& files_read() const { return files_read_; }

 private:
  std::filesystem::path root_;
  std::vector<std::string> files_read_;
};

class FieldSetter {
 public:
  FieldSetter(const Line& line, FileReader& files) : line_(line), files_(files) {}
  bool matched() const { return matched_; }

  void U8(const char* name, uint8_t& v) { Number(name, v); }
  void U16(const char* name, uint16_t& v) { Number(name, v); }
  void U32(const char* name, uint32_t& v) { Number(name, v); }
  void I32(const char* name, int32_t& v) { Number(name, v); }
  void Colours(const char* name, uint32_t (&v)[3]);
  void Text(const char* name, std::string& v);
  void FaceName(const char* name, std::string& v) { Text(name, v); }
  void TextList(const char* name, std::vector<std::string>& v);
  void Bytes(const char* name, forms::Bytes& v);
  // `font "FACE" field=value...` with the fields of a logical font, e.g. height=-12.
  void Font(const char* name, forms::Font& v);

 private:
  bool Matches(const char* name);
  const Token& Single() const {
    ExpectArgs(line_, 1);
    return line_.args[0];
  }
  template <class T>
  void Number(const char* name, T& v) {
    if (Matches(name)) v = ParseNumber<T>(line_, Single());
  }
  void SetFontField(forms::LogFont& font, const Token& assignment);

  const Line& line_;
  FileReader& files_;
  bool matched_ = false;
};

}  // namespace formc
