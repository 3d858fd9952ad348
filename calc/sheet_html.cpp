// The markup is ASCII; every text of the sheet (GBK) becomes UTF-8 as it is escaped, so
// that the embedded diagram, the bulk of the page, needs no conversion.
#include "calc/sheet_html.h"

#include <initializer_list>

#include "calc/base64.h"
#include "runtime/core/number_format.h"
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
    "tr.marked td { background: #eef3ff; } .code { color: #666; font-family: monospace; }\n"
    ".note { font-family: \"KaiTi_GB2312\", \"KaiTi\", \"AR PL UKai CN\", serif; }\n"
    ".beside { display: flex; flex-wrap: wrap; align-items: flex-start; justify-content: space-between; }\n"
    "figure { margin: 0 0 0 4mm; } figure img { max-width: 45mm; max-height: 45mm; }\n"
    "td:first-child { white-space: nowrap; } .setting { font-weight: bold; }\n"
    "figcaption { font-size: 9pt; text-align: center; }\n";

std::string Escaped(const std::string& gbk) {
  std::string html;
  for (char c : rt::GbkToUtf8(gbk)) {
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
  std::string open = std::string("<") + tag + (css_class ? std::string(" class=\"") + css_class + "\"" : "") + ">";
  return open + Escaped(text) + "</" + tag + ">";
}

std::string Cell(const std::string& text) { return Element("td", text); }
std::string NumberCell(const std::string& text) { return Element("td", text, "number"); }

std::string HeaderRow(std::initializer_list<const char*> headings) {
  std::string row = "<tr>";
  for (const char* heading : headings) row += Element("th", heading);
  return row + "</tr>\n";
}

std::string Table(const std::string& header, const std::string& rows) {
  return "<table>\n" + header + rows + "</table>\n";
}

// The data URL type of an image file by its first bytes; null for a kind browsers do not show.
const char* ImageType(const std::vector<uint8_t>& file) {
  if (file.size() > 2 && file[0] == 0xFF && file[1] == 0xD8) return "image/jpeg";
  if (file.size() > 2 && file[0] == 'B' && file[1] == 'M') return "image/bmp";
  if (file.size() > 6 && file[0] == 'G' && file[1] == 'I' && file[2] == 'F') return "image/gif";
  return nullptr;
}

std::string DiagramSection(const Sheet& sheet) {
  const char* type = ImageType(sheet.diagram);
  if (!type) return {};
  return "<figure><img alt=\"" + Escaped("原理图") + "\" src=\"data:" + type + ";base64," + Base64(sheet.diagram) +
         "\">" + Element("figcaption", "原理图") + "</figure>\n";
}

std::string InputsSection(const Sheet& sheet) {
  std::string rows;
  for (const SheetEntry& input : sheet.inputs)
    rows += "<tr>" + Cell(input.label) + Cell(input.symbol) + Cell(input.text) +
            NumberCell(rt::FormatDouble(input.value)) + Cell(input.unit) + "</tr>\n";
  return Element("h2", "输入参数") + "<div class=\"beside\">\n" +
         Table(HeaderRow({"参数", "符号", "输入文本", "存储值", "单位"}), rows) + DiagramSection(sheet) + "</div>\n";
}

std::string WorkingValuesSection(const Sheet& sheet) {
  std::string rows;
  for (const WorkingValue& value : sheet.working_values)
    rows += "<tr>" + Cell(value.symbol) + Cell(value.meaning) + NumberCell(value.text) + Cell(value.unit) + "</tr>\n";
  return Element("h2", "中间量") + Table(HeaderRow({"符号", "含义", "值", "单位"}), rows);
}

std::string SettingSection(const Sheet& sheet) {
  const SheetEntry& setting = sheet.setting;
  return Element("h2", "整定值") + Element("p", setting.label + " = " + setting.text + " " + setting.unit, "setting") +
         "\n";
}

std::string FaultRowHtml(const FaultRow& row) {
  const std::string marks = RowMarks(row);
  return std::string(marks.empty() ? "<tr>" : "<tr class=\"marked\">") + NumberCell(rt::FormatInteger(row.failures)) +
         NumberCell(TableNumber(row.overvoltage)) + NumberCell(TableNumber(row.signal)) +
         Cell(row.picks_up ? "是" : "否") + Cell(marks) + "</tr>\n";
}

std::string FaultTableSection(const Sheet& sheet) {
  std::string rows;
  for (const FaultRow& row : sheet.faults) rows += FaultRowHtml(row);
  const std::string signal = "信号 S(F)（" + sheet.setting.unit + "）";
  return Element("h2", "故障表") +
         Table(HeaderRow({"故障数 F", "过电压倍数 V(F)", signal.c_str(), "动作", "标记"}), rows);
}

std::string FuselessSection(const Sheet& sheet) {
  const std::string signal = "信号（" + sheet.setting.unit + "）";
  return Element("h2", "故障") +
         Table(HeaderRow({"故障", "过电压倍数 V", signal.c_str()}),
               "<tr>" + Cell("一台电容器内部 β 击穿") + NumberCell(TableNumber(sheet.fuseless->overvoltage)) +
                   NumberCell(rt::FormatDouble(sheet.fuseless->signal)) + "</tr>\n");
}

std::string ResultsSection(const Sheet& sheet) {
  std::string rows;
  for (const SheetEntry& result : sheet.results)
    rows += "<tr>" + Cell(result.label) + NumberCell(result.text) + Cell(result.unit) + Cell(result.formula) + "</tr>\n";
  const SheetEntry* rated = InputWithSymbol(sheet, "UN");
  const std::string operating = "电容器运行电压 Uc = " + rt::FormatDouble(*sheet.operating_voltage) +
                                " kV（电容器额定电压 UN = " + (rated ? rated->text : "") + " kV）";
  return Element("h2", "计算结果") + Table(HeaderRow({"参数", "结果", "单位", "公式"}), rows) + Element("p", operating) +
         "\n";
}

std::string WarningsSection(const Sheet& sheet) {
  std::string items;
  for (const SheetWarning& warning : sheet.warnings)
    items += "<li>" + Element("span", warning.code, "code") + " " + Escaped(warning.message) + "</li>\n";
  return Element("h2", "提示") + (items.empty() ? Element("p", "无。") + "\n" : "<ul>\n" + items + "</ul>\n");
}

std::string FormulasSection(const Sheet& sheet) {
  std::string items;
  for (const std::string& formula : sheet.formulas) items += Element("li", formula) + "\n";
  return Element("h2", "计算公式") + "<ul>\n" + items + "</ul>\n";
}

std::string Head(const Sheet& sheet) {
  return "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n" +
         Element("title", SheetTitle(sheet)) + "\n<style>\n" + kStyle + "</style>\n</head>\n";
}

std::string Body(const Sheet& sheet) {
  std::string body = Element("h1", SheetTitle(sheet)) + "\n" + Element("p", "计算时间：" + SheetTime(sheet)) + "\n";
  body += InputsSection(sheet);
  if (sheet.results.empty()) body += WorkingValuesSection(sheet) + SettingSection(sheet);
  if (sheet.failed_count) body += FaultTableSection(sheet);
  if (sheet.fuseless) body += FuselessSection(sheet);
  if (sheet.operating_voltage) body += ResultsSection(sheet);
  body += WarningsSection(sheet) + FormulasSection(sheet);
  return "<body>\n" + body + Element("p", sheet.note, "note") + "\n</body>\n";
}

}  // namespace

std::string SheetHtml(const Sheet& sheet) { return Head(sheet) + Body(sheet) + "</html>\n"; }

}  // namespace calc
