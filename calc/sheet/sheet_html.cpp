// The markup is ASCII; every text of the sheet (GBK) becomes UTF-8 as it is escaped, so
// that the embedded diagram, the bulk of the page, needs no conversion.
#include "calc/sheet/sheet_html.h"

#include "calc/sheet/base64.h"
#include "calc/sheet/saved_sheet.h"
#include "calc/sheet/sheet_document.h"
#include "calc/sheet/sheet_json.h"
#include "runtime/platform/gbk.h"

namespace calc {
namespace {

constexpr char kStyle[] =
    "@page { size: A4; margin: 15mm; }\n"
    "body { font-family: \"SimSun\", \"AR PL UMing CN\", serif; font-size: 10pt; max-width: 180mm;"
    " margin: 1em auto; }\n"
    "h1 { font-size: 15pt; } h2 { font-size: 12pt; margin: 1em 0 0.3em; }\n"
    "table { border-collapse: collapse; } th, td { border: 1px solid #999; padding: 2px 6px; }\n"
    "th { background: #eee; } td.number { text-align: right; }\n"
    "tr.marked td { background: #eef3ff; }\n"
    ".note { font-family: \"KaiTi_GB2312\", \"KaiTi\", \"AR PL UKai CN\", serif; }\n"
    ".beside { display: flex; flex-wrap: wrap; align-items: flex-start; justify-content: "
    "space-between; }\n"
    "figure { margin: 0 0 0 4mm; } figure img { max-width: 45mm; max-height: 45mm; }\n"
    "td:first-child { white-space: nowrap; } .setting { font-weight: bold; }\n"
    "figcaption { font-size: 9pt; text-align: center; }\n";

std::string Escaped(const std::string& gbk) {
  std::string html;
  for (char c : rt::GbkToUtf8Text(gbk)) {
    switch (c) {
      case '&': html += "&amp;"; break;
      case '<': html += "&lt;"; break;
      case '>': html += "&gt;"; break;
      case '"': html += "&quot;"; break;
      default: html += c;
    }
  }
  return html;
}

// <tag class="...">text</tag>, the text escaped.
std::string Element(const char* tag, const std::string& text, const char* css_class = nullptr) {
  std::string open =
      std::string("<") + tag + (css_class ? std::string(" class=\"") + css_class + "\"" : "") + ">";
  return open + Escaped(text) + "</" + tag + ">";
}

std::string CellHtml(const DocumentCell& cell) {
  return Element("td", cell.text, cell.number ? "number" : nullptr);
}

std::string RowHtml(const DocumentRow& row) {
  std::string html = row.marked ? "<tr class=\"marked\">" : "<tr>";
  for (const DocumentCell& cell : row.cells) html += CellHtml(cell);
  return html + "</tr>\n";
}

std::string TableHtml(const DocumentTable& table) {
  std::string html = "<table>\n<tr>";
  for (const std::string& heading : table.headings) html += Element("th", heading);
  html += "</tr>\n";
  for (const DocumentRow& row : table.rows) html += RowHtml(row);
  return html + "</table>\n";
}

// The data URL type of an image file by its first bytes; null for a kind browsers do not show.
const char* ImageType(const std::vector<uint8_t>& file) {
  if (file.size() > 2 && file[0] == 0xFF && file[1] == 0xD8) return "image/jpeg";
  if (file.size() > 2 && file[0] == 'B' && file[1] == 'M') return "image/bmp";
  if (file.size() > 6 && file[0] == 'G' && file[1] == 'I' && file[2] == 'F') return "image/gif";
  return nullptr;
}

std::string DiagramHtml(const std::vector<uint8_t>& diagram) {
  const char* type = ImageType(diagram);
  if (!type) return {};
  return "<figure><img alt=\"" + Escaped(kDiagramCaption) + "\" src=\"data:" + type + ";base64," +
         Base64(diagram) + "\">" + Element("figcaption", kDiagramCaption) + "</figure>\n";
}

std::string ListHtml(const std::vector<DocumentListItem>& list) {
  std::string items;
  for (const DocumentListItem& item : list) items += "<li>" + Escaped(item.text) + "</li>\n";
  return "<ul>\n" + items + "</ul>\n";
}

std::string SectionHtml(const DocumentSection& section, const std::vector<uint8_t>& diagram) {
  std::string html = Element("h2", section.heading);
  if (section.table && section.diagram_beside) {
    html +=
        "<div class=\"beside\">\n" + TableHtml(*section.table) + DiagramHtml(diagram) + "</div>\n";
  } else if (section.table) {
    html += TableHtml(*section.table);
  }
  if (const auto& paragraph = section.paragraph) {
    const bool setting = paragraph->style == ParagraphStyle::kSetting;
    html += Element("p", paragraph->text, setting ? "setting" : nullptr) + "\n";
  }
  if (!section.list.empty()) html += ListHtml(section.list);
  return html;
}

std::string Head(const SheetDocument& document) {
  return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n" +
         Element("title", document.title) + "\n<style>\n" + kStyle + "</style>\n</head>\n";
}

// The sheet's JSON, for the program to reopen it. "<" occurs only inside its strings,
// where "\u003c" says the same and no "</script>" can end the element early.
std::string SheetScript(const Sheet& sheet) {
  std::string script =
      std::string("<script type=\"application/json\" id=\"") + kSheetScriptId + "\">\n";
  for (char c : SheetJson(sheet)) {
    if (c == '<') {
      script += "\\u003c";
    } else {
      script += c;
    }
  }
  return script + "</script>\n";
}

std::string Body(const SheetDocument& document, const Sheet& sheet) {
  std::string body = Element("h1", document.title) + "\n" + Element("p", document.time_line) + "\n";
  for (const DocumentSection& section : document.sections)
    body += SectionHtml(section, sheet.diagram);
  return "<body>\n" + body + Element("p", document.note, "note") + "\n" + SheetScript(sheet) +
         "</body>\n";
}

}  // namespace

std::string SheetHtml(const Sheet& sheet) {
  const SheetDocument document = DocumentOf(sheet);
  return Head(document) + Body(document, sheet) + "</html>\n";
}

}  // namespace calc
