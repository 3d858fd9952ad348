#include "calc/sheet/sheet_json.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "runtime/platform/gbk.h"

namespace calc {
namespace {

using Member = std::pair<std::string, std::string>;  // key (GBK) and JSON value

// A GBK text as a JSON string.
std::string String(const std::string& gbk) {
  static const char kHex[] = "0123456789abcdef";
  std::string json = "\"";
  for (char c : rt::GbkToUtf8Text(gbk)) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (byte < 0x20) {
      json += "\\u00";
      json += kHex[byte >> 4];
      json += kHex[byte & 15];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string Number(double value) {
  if (!std::isfinite(value)) return "null";
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

std::string Bool(bool value) { return value ? "true" : "false"; }

std::string Joined(const std::vector<std::string>& items, const char* open, const char* separator,
                   const char* close) {
  std::string json = open;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) json += separator;
    json += items[i];
  }
  return json + close;
}

std::vector<std::string> Pairs(const std::vector<Member>& members) {
  std::vector<std::string> pairs;
  for (const auto& [key, value] : members) pairs.push_back(String(key) + ": " + value);
  return pairs;
}

std::string Object(const std::vector<Member>& members) {
  return Joined(Pairs(members), "{", ", ", "}");
}

// One item a line, indented under its key.
std::string Block(const std::vector<std::string>& items) {
  return items.empty() ? "[]" : Joined(items, "[\n    ", ",\n    ", "\n  ]");
}

std::string VariantCode(Variant variant) {
  switch (variant) {
    case Variant::kCapacitorParameters: return "\"capacitor_parameters\"";
    case Variant::kFuseless: return "\"fuseless\"";
    case Variant::kExternalFuses: return "\"external_fuses\"";
    case Variant::kInternalFuses: return "\"internal_fuses\"";
  }
  return "null";
}

std::string Inputs(const Sheet& sheet) {
  std::vector<std::string> items;
  for (const SheetEntry& input : sheet.inputs)
    items.push_back(Object({{"control", String(input.control)},
                            {"label", String(input.label)},
                            {"text", String(input.text)},
                            {"value", Number(input.value)},
                            {"unit", String(input.unit)}}));
  return Block(items);
}

// The working values the sheet shows beside the inputs, by their symbols.
std::string Working(const Sheet& sheet) {
  static constexpr std::string_view kSymbols[] = {"Us", "Iψ", "CT", "D", "G", "T", "R"};
  std::vector<Member> members;
  for (const WorkingValue& value : sheet.working_values)
    if (std::find(std::begin(kSymbols), std::end(kSymbols), value.symbol) != std::end(kSymbols))
      members.emplace_back(value.symbol, Number(value.value));
  return Object(members);
}

// K before and after the whole-number rule.
std::string FailedCountOf(double computed, double used) {
  return Object({{"computed", Number(computed)}, {"used", Number(used)}});
}

// The row's marks as codes, in the order the sheet lists them.
std::string Marks(const FaultRow& row) {
  std::vector<std::string> marks;
  for (auto [applies, code] :
       {std::pair{row.at_k, "k"}, std::pair{row.first_pickup, "first_pickup"},
        std::pair{row.last_within_kv, "last_within_kv"}, std::pair{row.alarm, "alarm"}})
    if (applies) marks.push_back(String(code));
  return Joined(marks, "[", ", ", "]");
}

std::string Faults(const Sheet& sheet) {
  std::vector<std::string> items;
  for (const FaultRow& row : sheet.faults)
    items.push_back(Object({{"failures", std::to_string(row.failures)},
                            {"overvoltage", Number(row.overvoltage)},
                            {"signal", Number(row.signal)},
                            {"picks_up", Bool(row.picks_up)},
                            {"marks", Marks(row)}}));
  return Block(items);
}

// The limit as written, not as held: 1.05, not 1.0499999523162842.
std::string Alarm(const ProtectionStage& alarm) {
  return Object({{"overvoltage_limit", kAlarmOvervoltageLimit},
                 {"failed_count", FailedCountOf(alarm.computed_K, alarm.K)},
                 {"signal", Number(alarm.signal)},
                 {"setting", Number(alarm.setting)}});
}

std::string Results(const Sheet& sheet) {
  std::vector<Member> members;
  for (const SheetEntry& result : sheet.results)
    members.emplace_back(result.control, String(result.text));
  return Joined(Pairs(members), "{\n    ", ",\n    ", "\n  }");
}

std::string Warnings(const Sheet& sheet) {
  std::vector<std::string> codes;
  for (const SheetWarning& warning : sheet.warnings) codes.push_back(String(warning.code));
  return Joined(codes, "[", ", ", "]");
}

std::vector<Member> VariantMembers(const Sheet& sheet) {
  if (sheet.failed_count) {
    std::vector<Member> members = {
        {"failed_count", FailedCountOf(sheet.failed_count->computed, sheet.failed_count->used)},
        {"faults", Faults(sheet)}};
    if (sheet.alarm) members.emplace_back("alarm", Alarm(*sheet.alarm));
    return members;
  }
  if (sheet.fuseless)
    return {{"fuseless", Object({{"overvoltage", Number(sheet.fuseless->overvoltage)},
                                 {"signal", Number(sheet.fuseless->signal)}})}};
  return {{"results", Results(sheet)},
          {"operating_voltage", Number(sheet.operating_voltage.value_or(NAN))}};
}

std::string MeasuredMember(const MeasuredCheck& check) {
  std::string phases = "null";
  if (check.phase_signals) {
    std::vector<std::string> signals;
    for (double signal : *check.phase_signals) signals.push_back(Number(signal));
    phases = Joined(signals, "[", ", ", "]");
  }
  return Object({{"initial_signal", Number(check.initial_signal)},
                 {"phase_signals", phases},
                 {"share_of_setting", Number(check.share_of_setting)},
                 {"max_unit_voltage", Number(check.highest_unit_voltage)},
                 {"rebalanced_signal", Number(check.rebalanced_signal.value_or(NAN))}});
}

}  // namespace

std::string SheetJson(const Sheet& sheet) {
  std::vector<Member> members = {
      {"page", String(sheet.page_title)},
      {"variant", VariantCode(sheet.variant)},
      {"inputs", Inputs(sheet)},
      {"setting", Object({{"control", String(sheet.setting.control)},
                          {"text", String(sheet.setting.text)},
                          {"value", Number(sheet.setting.value)}})},
      {"working", Working(sheet)},
  };
  for (Member& member : VariantMembers(sheet)) members.push_back(std::move(member));
  if (sheet.measured) members.emplace_back("measured", MeasuredMember(*sheet.measured));
  members.emplace_back("warnings", Warnings(sheet));
  return Joined(Pairs(members), "{\n  ", ",\n  ", "\n}\n");
}

}  // namespace calc
