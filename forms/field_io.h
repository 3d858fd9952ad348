// The two visitors that carry the field lists of forms/unit_fields.h (and the record layouts
// of the template) to and from bytes: FieldReader fills the fields from a ByteReader,
// FieldWriter writes them to a ByteWriter.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/byte_reader.h"
#include "forms/byte_writer.h"
#include "forms/template.h"
#include "forms/unit_fields.h"

namespace forms {

// Bytes of the face name inside a logical font, terminator included.
constexpr size_t kFaceNameSize = 32;

class FieldReader {
 public:
  explicit FieldReader(ByteReader& in) : in_(in) {}

  void U8(const char*, uint8_t& v) { v = in_.U8(); }
  void U16(const char*, uint16_t& v) { v = in_.U16(); }
  void U32(const char*, uint32_t& v) { v = in_.U32(); }
  void I32(const char*, int32_t& v) { v = in_.I32(); }
  void Colours(const char*, uint32_t (&v)[3]) {
    for (uint32_t& colour : v) colour = in_.U32();
  }
  void Text(const char*, std::string& v) { v = in_.Text(); }
  void CString(const char*, std::string& v) { v = in_.CString(); }
  void Bytes(const char*, forms::Bytes& v) { Assign(v, in_.SizedBlock()); }
  // Everything up to the end of the record.
  void Rest(const char*, forms::Bytes& v) { Assign(v, in_.Take(in_.remaining())); }
  void Reserved(size_t n) { in_.Take(n); }

  void TextList(const char*, std::vector<std::string>& v) {
    uint32_t count = in_.Checked(in_.U16(), sizeof(uint32_t));
    v.clear();
    v.reserve(count);
    for (uint32_t i = 0; i < count; ++i) v.push_back(in_.Text());
  }
  void U32List(const char*, std::vector<uint32_t>& v) {
    v.resize(in_.Checked(in_.U32(), sizeof(uint32_t)));
    for (uint32_t& value : v) value = in_.U32();
  }
  void Bindings(const char*, std::vector<Binding>& v) {
    v.resize(in_.Checked(in_.U32(), sizeof(int32_t) + sizeof(uint32_t)));
    for (Binding& binding : v) {
      binding.event = in_.I32();
      binding.handler = in_.U32();
    }
  }

  // Either nothing (the default font) or exactly one logical font.
  void Font(const char*, forms::Font& v) {
    v.reset();
    auto bytes = in_.SizedBlock();
    if (bytes.empty()) return;
    ByteReader font_in(bytes);
    FieldReader font_io(font_in);
    VisitFontFields(font_io, v.emplace());
    if (!font_in.AtEnd()) in_.Fail();
  }
  void FaceName(const char*, std::string& v) {
    auto bytes = in_.Take(kFaceNameSize);
    auto end = std::find(bytes.begin(), bytes.end(), 0);
    if (end == bytes.end()) {
      in_.Fail();
      return;
    }
    v.assign(bytes.begin(), end);
  }

 private:
  static void Assign(forms::Bytes& v, std::span<const uint8_t> bytes) {
    v.assign(bytes.begin(), bytes.end());
  }

  ByteReader& in_;
};

class FieldWriter {
 public:
  explicit FieldWriter(ByteWriter& out) : out_(out) {}

  void U8(const char*, const uint8_t& v) { out_.U8(v); }
  void U16(const char*, const uint16_t& v) { out_.U16(v); }
  void U32(const char*, const uint32_t& v) { out_.U32(v); }
  void I32(const char*, const int32_t& v) { out_.I32(v); }
  void Colours(const char*, const uint32_t (&v)[3]) {
    for (uint32_t colour : v) out_.U32(colour);
  }
  void Text(const char*, const std::string& v) { out_.Text(v); }
  void CString(const char*, const std::string& v) { out_.CString(v); }
  void Bytes(const char*, const forms::Bytes& v) { out_.SizedBlock(v); }
  void Rest(const char*, const forms::Bytes& v) { out_.Append(v); }
  void Reserved(size_t n) { out_.Zeros(n); }

  void TextList(const char*, const std::vector<std::string>& v) {
    if (v.size() > UINT16_MAX) throw std::length_error("more texts than a 16-bit count holds");
    out_.U16(static_cast<uint16_t>(v.size()));
    for (const std::string& text : v) out_.Text(text);
  }
  void U32List(const char*, const std::vector<uint32_t>& v) {
    out_.U32(ByteWriter::CheckedSize(v.size()));
    for (uint32_t value : v) out_.U32(value);
  }
  void Bindings(const char*, const std::vector<Binding>& v) {
    out_.U32(ByteWriter::CheckedSize(v.size()));
    for (const Binding& binding : v) {
      out_.I32(binding.event);
      out_.U32(binding.handler);
    }
  }

  void Font(const char*, const forms::Font& v) {
    ByteWriter font_out;
    if (v) {
      FieldWriter font_io(font_out);
      VisitFontFields(font_io, *v);
    }
    out_.SizedBlock(font_out.bytes());
  }
  // The reader stops at the first zero byte, so a face must fit with its terminator and
  // hold no zero byte of its own.
  void FaceName(const char*, const std::string& v) {
    if (v.size() >= kFaceNameSize || v.find('\0') != std::string::npos)
      throw std::invalid_argument("font face name too long or holding a zero byte");
    out_.Append(v);
    out_.Zeros(kFaceNameSize - v.size());
  }

 private:
  ByteWriter& out_;
};

}  // namespace forms
