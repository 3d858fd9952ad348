#include "calc/model/csv_table.h"

#include "runtime/platform/gbk.h"
#include "runtime/platform/utf8.h"

namespace calc {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsUtf8(std::string_view text) {
  char32_t code;
  while (!text.empty()) {
    const size_t length = rt::DecodeUtf8(text, &code);
    if (length == 0) return false;
    text.remove_prefix(length);
  }
  return true;
}

// The file as an inside text: UTF-8 is converted, anything else is taken as GBK already.
std::string InsideText(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark)) return rt::Utf8ToGbk(bytes.substr(kByteOrderMark.size()));
  if (IsUtf8(bytes)) return rt::Utf8ToGbk(bytes);
  return std::string(bytes);
}

bool IsBlank(const CsvRow& row) { return row.fields.size() == 1 && row.fields[0].empty(); }

// Splits the text into records. Every byte that matters here (comma, quote, CR, LF) is
// ASCII, which no GBK character uses as its first byte; a second byte of a GBK character
// is at least 0x40, so none of them is ever taken from inside a character either.
class CsvReader {
 public:
  explicit CsvReader(std::string_view text) : text_(text) {}

  CsvTable Read() {
    CsvTable table;
    while (at_ < text_.size()) {
      CsvRow row{.line = line_, .fields = {}};
      if (!ReadRecord(row)) {
        table.error = "unterminated quoted field";
        table.error_line = row.line;
        return table;
      }
      if (!IsBlank(row)) table.rows.push_back(std::move(row));
    }
    return table;
  }

 private:
  // Reads fields up to the end of the record; false when a quoted field never closes.
  bool ReadRecord(CsvRow& row) {
    while (true) {
      std::string field;
      if (!ReadField(field)) return false;
      row.fields.push_back(std::move(field));
      if (at_ >= text_.size()) return true;
      const char separator = text_[at_++];
      if (separator == ',') continue;
      if (separator == '\r' && at_ < text_.size() && text_[at_] == '\n') ++at_;
      ++line_;
      return true;
    }
  }

  bool ReadField(std::string& field) {
    if (at_ < text_.size() && text_[at_] == '"') return ReadQuotedField(field);
    while (at_ < text_.size() && !IsSeparator(text_[at_])) field += text_[at_++];
    return true;
  }

  // Text up to the closing quote, then whatever stands before the next separator.
  bool ReadQuotedField(std::string& field) {
    ++at_;
    while (true) {
      if (at_ >= text_.size()) return false;
      const char c = text_[at_++];
      if (c == '"') {
        if (at_ < text_.size() && text_[at_] == '"') {
          field += text_[at_++];
          continue;
        }
        break;
      }
      if (c == '\n') ++line_;
      field += c;
    }
    while (at_ < text_.size() && !IsSeparator(text_[at_])) field += text_[at_++];
    return true;
  }

  static bool IsSeparator(char c) { return c == ',' || c == '\n' || c == '\r'; }

  std::string_view text_;
  size_t at_ = 0;
  size_t line_ = 1;
};

}  // namespace

CsvTable ReadCsvTable(std::string_view bytes) {
  const std::string text = InsideText(bytes);
  return CsvReader(text).Read();
}

}  // namespace calc
