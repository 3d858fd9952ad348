#include "calc/sheet/sheet_text.h"

#include <algorithm>

namespace calc {
namespace {

// A tab or a line end inside a cell would split it.
std::string Cell(std::string text) {
  std::replace_if(
      text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
  return text;
}

std::string Row(const std::vector<std::string>& cells) {
  std::string line;
  for (const std::string& cell : cells) line += (line.empty() ? "" : "\t") + Cell(cell);
  return line + "\n";
}

std::string TableText(const DocumentTable& table) {
  std::string text = Row(table.headings);
  for (const DocumentRow& row : table.rows) {
    std::vector<std::string> cells;
    for (const DocumentCell& cell : row.cells) cells.push_back(cell.text);
    text += Row(cells);
  }
  return text;
}

std::string SectionText(const DocumentSection& section) {
  std::string text = "\n" + section.heading + "\n";
  if (section.table) text += TableText(*section.table);
  if (section.paragraph) text += section.paragraph->text + "\n";
  for (const DocumentListItem& item : section.list) text += "· " + item.text + "\n";
  return text;
}

}  // namespace

std::string SheetPlainText(const SheetDocument& document) {
  std::string text = document.title + "\n" + document.time_line + "\n";
  for (const DocumentSection& section : document.sections) text += SectionText(section);
  if (!document.note.empty()) text += "\n" + document.note + "\n";
  return text;
}

}  // namespace calc
