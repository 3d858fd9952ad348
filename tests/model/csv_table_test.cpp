// Reading the CSV a spreadsheet writes: its encodings, quoting and line numbers.
#include "calc/model/csv_table.h"

#include <gtest/gtest.h>

namespace {

using Fields = std::vector<std::string>;

std::vector<Fields> FieldsOf(const calc::CsvTable& table) {
  std::vector<Fields> fields;
  for (const calc::CsvRow& row : table.rows) fields.push_back(row.fields);
  return fields;
}

TEST(CsvTableTest, QuotedFieldsHoldSeparatorsQuotesAndLineBreaks) {
  const calc::CsvTable table =
      calc::ReadCsvTable("name,note\r\n\"a,b\",\"say \"\"hi\"\"\"\n\"two\nlines\",x\n,\n");
  EXPECT_TRUE(table.error.empty());
  EXPECT_EQ(FieldsOf(table),
            (std::vector<Fields>{
                {"name", "note"}, {"a,b", "say \"hi\""}, {"two\nlines", "x"}, {"", ""}}));
  // Each record keeps the line it starts on, past a line break inside quotes.
  EXPECT_EQ(table.rows[2].line, 3u);
  EXPECT_EQ(table.rows[3].line, 5u);
}

TEST(CsvTableTest, BlankLinesAreSkippedButCounted) {
  const calc::CsvTable table = calc::ReadCsvTable("a\n\n\r\nb");
  EXPECT_EQ(FieldsOf(table), (std::vector<Fields>{{"a"}, {"b"}}));
  EXPECT_EQ(table.rows[1].line, 4u);
}

TEST(CsvTableTest, Utf8WithOrWithoutMarkAndGbkGiveTheSameInsideText) {
  const std::string gbk = "\xcf\xe0,\xb4\xae\n";  // 相,串 as a Chinese spreadsheet saves it
  const std::string utf8 = "\xe7\x9b\xb8,\xe4\xb8\xb2\n";
  for (const std::string& bytes : {gbk, utf8, "\xEF\xBB\xBF" + utf8}) {
    const calc::CsvTable table = calc::ReadCsvTable(bytes);
    EXPECT_EQ(FieldsOf(table), (std::vector<Fields>{{"\xcf\xe0", "\xb4\xae"}})) << bytes;
  }
}

TEST(CsvTableTest, AnUnclosedQuoteNamesTheLineWhereItsRecordStarts) {
  const calc::CsvTable table = calc::ReadCsvTable("a,b\nc,\"open\nd\n");
  EXPECT_EQ(table.error, "unterminated quoted field");
  EXPECT_EQ(table.error_line, 2u);
  EXPECT_EQ(FieldsOf(table), (std::vector<Fields>{{"a", "b"}}));
}

}  // namespace
