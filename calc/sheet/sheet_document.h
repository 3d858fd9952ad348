// A calculation sheet as a reader meets it: the title, the moment of the click, then
// sections under their headings, each a table (beside it the page's diagram, for the
// inputs), a paragraph and a list, in that order, and at the end the reference note. The
// HTML file and the sheet window both show this one document, so that what is saved is
// what was seen. Texts are GBK.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/sheet/sheet.h"

namespace calc {

struct DocumentCell {
  std::string text;
  bool number = false;  // set right-aligned
};

struct DocumentRow {
  std::vector<DocumentCell> cells;
  bool marked = false;  // a marked row of the fault table
};

struct DocumentTable {
  std::vector<std::string> headings;
  std::vector<DocumentRow> rows;
};

enum class ParagraphStyle { kPlain, kSetting };

struct DocumentParagraph {
  std::string text;
  ParagraphStyle style = ParagraphStyle::kPlain;
};

// A warning in words (its code stays in the JSON), or a formula.
struct DocumentListItem {
  std::string text;
};

struct DocumentSection {
  std::string heading;
  std::optional<DocumentTable> table;
  bool diagram_beside = false;  // the page's diagram stands to the right of the table
  std::optional<DocumentParagraph> paragraph;
  std::vector<DocumentListItem> list;
};

struct SheetDocument {
  std::string title;
  std::string time_line;  // "计算时间：2026-12-08 15:30:05"
  std::vector<DocumentSection> sections;
  std::string note;
};

SheetDocument DocumentOf(const Sheet& sheet);

// The caption under the diagram.
inline constexpr char kDiagramCaption[] = "原理图";

}  // namespace calc
