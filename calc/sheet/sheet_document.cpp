#include "calc/sheet/sheet_document.h"

#include <initializer_list>

#include "calc/model/numbers.h"
#include "runtime/core/number_format.h"

namespace calc {
namespace {

DocumentCell Text(const std::string& text) { return {text, false}; }
DocumentCell Number(const std::string& text) { return {text, true}; }

DocumentTable TableWith(std::initializer_list<std::string> headings) { return {headings, {}}; }

DocumentSection InputsSection(const Sheet& sheet) {
  DocumentTable table = TableWith({"参数", "符号", "输入文本", "存储值", "单位"});
  for (const SheetEntry& input : sheet.inputs)
    table.rows.push_back({{Text(input.label), Text(input.symbol), Text(input.text),
                           Number(rt::FormatDouble(input.value)), Text(input.unit)}});
  return {"输入参数", table, true, {}, {}};
}

DocumentSection WorkingValuesSection(const Sheet& sheet) {
  DocumentTable table = TableWith({"符号", "含义", "值", "单位"});
  for (const WorkingValue& value : sheet.working_values)
    table.rows.push_back(
        {{Text(value.symbol), Text(value.meaning), Number(value.text), Text(value.unit)}});
  return {"中间量", table, false, {}, {}};
}

DocumentSection SettingSection(const Sheet& sheet) {
  const SheetEntry& setting = sheet.setting;
  return {"整定值",
          {},
          false,
          DocumentParagraph{setting.label + " = " + setting.text + " " + setting.unit,
                            ParagraphStyle::kSetting},
          {}};
}

DocumentRow FaultRowOf(const FaultRow& row) {
  const std::string marks = RowMarks(row);
  return {{Number(rt::FormatInteger(row.failures)), Number(TableNumber(row.overvoltage)),
           Number(TableNumber(row.signal)), Text(row.picks_up ? "是" : "否"), Text(marks)},
          !marks.empty()};
}

DocumentSection FaultTableSection(const Sheet& sheet) {
  DocumentTable table = TableWith(
      {"故障数 F", "过电压倍数 V(F)", "信号 S(F)（" + sheet.setting.unit + "）", "动作", "标记"});
  for (const FaultRow& row : sheet.faults) table.rows.push_back(FaultRowOf(row));
  return {"故障表", table, false, {}, {}};
}

DocumentRow StageRowOf(const char* stage, const std::string& limit, const ProtectionStage& values,
                       const std::string& setting) {
  return {{Text(stage), Number(limit), Number(rt::FormatDouble(values.computed_K)),
           Number(rt::FormatDouble(values.K)), Number(rt::FormatDouble(values.signal)),
           Number(setting)}};
}

// The two stages of a fused variant's protection, the alarm at 1.05 and the trip at Kv.
DocumentSection StagesSection(const Sheet& sheet) {
  const std::string& unit = sheet.setting.unit;
  DocumentTable table = TableWith(
      {"段", "过电压倍数", "K（取整前）", "K", "信号（" + unit + "）", "整定值（" + unit + "）"});
  table.rows.push_back(
      StageRowOf("告警", kAlarmOvervoltageLimit, *sheet.alarm, ShownText(sheet.alarm->setting)));
  const SheetEntry* Kv = InputWithSymbol(sheet, "Kv");
  table.rows.push_back(StageRowOf("跳闸", Kv ? Kv->text : "", *sheet.trip, sheet.setting.text));
  return {
      "告警与跳闸", table, false, DocumentParagraph{"告警：带时限发信号；跳闸：切除电容器组"}, {}};
}

DocumentSection FuselessSection(const Sheet& sheet) {
  DocumentTable table = TableWith({"故障", "过电压倍数 V", "信号（" + sheet.setting.unit + "）"});
  table.rows.push_back(
      {{Text("一台电容器内部 β 击穿"), Number(TableNumber(sheet.fuseless->overvoltage)),
        Number(rt::FormatDouble(sheet.fuseless->signal))}});
  return {"故障", table, false, {}, {}};
}

DocumentSection ResultsSection(const Sheet& sheet) {
  DocumentTable table = TableWith({"参数", "结果", "单位", "公式"});
  for (const SheetEntry& result : sheet.results)
    table.rows.push_back(
        {{Text(result.label), Number(result.text), Text(result.unit), Text(result.formula)}});
  const SheetEntry* rated = InputWithSymbol(sheet, "UN");
  const std::string operating =
      "电容器运行电压 Uc = " + rt::FormatDouble(*sheet.operating_voltage) +
      " kV（电容器额定电压 UN = " + (rated ? rated->text : "") + " kV）";
  return {"计算结果", table, false, DocumentParagraph{operating}, {}};
}

DocumentRow MeasuredRow(const std::string& what, double value, const std::string& unit) {
  return {{Text(what), Number(TableNumber(value)), Text(unit)}, false};
}

DocumentSection MeasuredSection(const Sheet& sheet) {
  const MeasuredCheck& check = *sheet.measured;
  const std::string& unit = sheet.setting.unit;
  DocumentTable table = TableWith({"项目", "值", "单位"});
  table.rows.push_back(MeasuredRow("初始不平衡信号 S0", check.initial_signal, unit));
  if (check.phase_signals)
    for (size_t phase = 0; phase < 3; ++phase)
      table.rows.push_back(MeasuredRow(std::string(1, char('A' + phase)) + "相初始不平衡信号",
                                       (*check.phase_signals)[phase], unit));
  table.rows.push_back(MeasuredRow("S0 占整定值的比例", check.share_of_setting * 100, "%"));
  table.rows.push_back(
      MeasuredRow("电容器最高电压（以 Uψ / N 为 1）", check.highest_unit_voltage, "倍"));
  if (check.rebalanced_signal)
    table.rows.push_back(MeasuredRow("配平后初始不平衡信号", *check.rebalanced_signal, unit));
  return {"实测电容校核", table, false, {}, {}};
}

DocumentSection WarningsSection(const Sheet& sheet) {
  DocumentSection section{"提示", {}, false, {}, {}};
  for (const SheetWarning& warning : sheet.warnings) section.list.push_back({warning.message});
  if (section.list.empty()) section.paragraph = DocumentParagraph{"无。"};
  return section;
}

DocumentSection FormulasSection(const Sheet& sheet) {
  DocumentSection section{"计算公式", {}, false, {}, {}};
  for (const std::string& formula : sheet.formulas) section.list.push_back({formula});
  return section;
}

}  // namespace

SheetDocument DocumentOf(const Sheet& sheet) {
  SheetDocument document{SheetTitle(sheet), "计算时间：" + SheetTime(sheet), {}, sheet.note};
  std::vector<DocumentSection>& sections = document.sections;
  sections.push_back(InputsSection(sheet));
  if (sheet.results.empty()) {
    sections.push_back(WorkingValuesSection(sheet));
    sections.push_back(SettingSection(sheet));
  }
  if (sheet.failed_count) sections.push_back(FaultTableSection(sheet));
  if (sheet.alarm && sheet.trip) sections.push_back(StagesSection(sheet));
  if (sheet.fuseless) sections.push_back(FuselessSection(sheet));
  if (sheet.operating_voltage) sections.push_back(ResultsSection(sheet));
  if (sheet.measured) sections.push_back(MeasuredSection(sheet));
  sections.push_back(WarningsSection(sheet));
  sections.push_back(FormulasSection(sheet));
  return document;
}

}  // namespace calc
