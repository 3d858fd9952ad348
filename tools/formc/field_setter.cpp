#include "tools/formc/field_setter.h"

#include <fstream>
#include <iterator>

#include "forms/field_io.h"
#include "forms/unit_fields.h"

namespace formc {

forms::Bytes FileReader::Read(const Line& line, const Token& path) {
  if (path.text.empty()) return {};  // "" leaves the field empty
  const std::filesystem::path full = root_ / path.text;
  std::ifstream in(full, std::ios::binary);
  if (!in || !std::filesystem::is_regular_file(full)) Fail(line, "cannot open " + full.string());
  forms::Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) Fail(line, "cannot read " + full.string());
  files_read_.push_back(full.string());
  return bytes;
}

bool FieldSetter::Matches(const char* name) {
  if (line_.key != name) return false;
  matched_ = true;
  return true;
}

void FieldSetter::Colours(const char* name, uint32_t (&v)[3]) {
  if (!Matches(name)) return;
  ExpectArgs(line_, 3);
  for (size_t i = 0; i < 3; ++i) v[i] = ParseNumber<uint32_t>(line_, line_.args[i]);
}

void FieldSetter::Text(const char* name, std::string& v) {
  if (Matches(name)) v = ParseGbkText(line_, Single());
}

void FieldSetter::TextList(const char* name, std::vector<std::string>& v) {
  if (!Matches(name)) return;
  v.clear();
  for (const Token& token : line_.args) v.push_back(ParseGbkText(line_, token));
}

void FieldSetter::Bytes(const char* name, forms::Bytes& v) {
  if (Matches(name)) v = files_.Read(line_, Single());
}

void FieldSetter::Font(const char* name, forms::Font& v) {
  if (!Matches(name)) return;
  if (line_.args.empty()) Fail(line_, "font needs its face name first");
  forms::LogFont font;
  font.face = ParseGbkText(line_, line_.args[0]);
  if (font.face.size() >= forms::kFaceNameSize)
    Fail(line_,
         "font face name longer than " + std::to_string(forms::kFaceNameSize - 1) + " bytes");
  for (size_t i = 1; i < line_.args.size(); ++i) SetFontField(font, line_.args[i]);
  v = font;
}

void FieldSetter::SetFontField(forms::LogFont& font, const Token& assignment) {
  const size_t equals = assignment.text.find('=');
  if (assignment.quoted || equals == std::string::npos)
    Fail(line_, "expected field=value after the font's face name, found '" + assignment.text + "'");
  const Line field{line_.where,
                   assignment.text.substr(0, equals),
                   {Token{assignment.text.substr(equals + 1), false}}};
  FieldSetter setter(field, files_);
  forms::VisitFontFields(setter, font);
  if (!setter.matched() || field.key == "face")
    Fail(line_, "'" + field.key + "' is not a font field");
}

}  // namespace formc
