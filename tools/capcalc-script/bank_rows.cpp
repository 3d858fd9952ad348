#include "tools/capcalc-script/bank_rows.h"

#include <algorithm>
#include <array>
#include <optional>

#include "calc/pages/capacitor_boxes.h"
#include "calc/pages/control_io.h"
#include "calc/pages/protection_boxes.h"
#include "calc/pages/sheet_reopening.h"
#include "runtime/platform/gbk.h"

namespace script {
namespace {

using calc::CalculationPage;
using calc::Variant;

// The short page names a bank table gives.
constexpr std::array<std::pair<const char*, CalculationPage>, 5> kPages = {{
    {"电容器参数", CalculationPage::kCapacitorPage},
    {"开口三角", CalculationPage::kOpenDeltaPage},
    {"电压差动", CalculationPage::kDifferentialPage},
    {"中性线", CalculationPage::kNeutralLinePage},
    {"桥差", CalculationPage::kBridgePage},
}};

constexpr std::array<std::pair<const char*, Variant>, 3> kVariants = {{
    {"无熔丝", Variant::kFuseless},
    {"外熔丝", Variant::kExternalFuses},
    {"内熔丝", Variant::kInternalFuses},
}};

constexpr char kConnectionColumn[] = "connection";

constexpr const char* kProtectionSymbols[] = {"Uψ", "U1",  "U2", "M", "N",  "β",
                                              "Kv", "Klm", "m",  "n", "Iψ", "CT"};

template <class Table>
auto Lookup(const Table& table, const std::string& name)
    -> std::optional<decltype(table[0].second)> {
  for (const auto& [key, value] : table)
    if (name == key) return value;
  return std::nullopt;
}

bool IsInputSymbol(const std::string& symbol) {
  if (symbol == kConnectionColumn) return true;
  for (const calc::CapacitorInputBox& input : calc::kCapacitorInputs)
    if (symbol == input.symbol) return true;
  return std::find(std::begin(kProtectionSymbols), std::end(kProtectionSymbols), symbol) !=
         std::end(kProtectionSymbols);
}

// The box a page's calculation reads the input from; 0 when it reads no such input.
uint32_t BoxOf(CalculationPage page, Variant variant, const std::string& symbol) {
  if (page != CalculationPage::kCapacitorPage)
    return calc::InputBoxOf(calc::BoxesOfPage(page), variant, symbol);
  if (symbol == kConnectionColumn) return calc::kConnectionBox;
  for (const calc::CapacitorInputBox& input : calc::kCapacitorInputs)
    if (symbol == input.symbol) return input.box;
  return 0;
}

// A name that makes NAME.json and NAME.html inside the output folder on every system.
bool IsFileName(const std::string& name) {
  if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ')
    return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 ||
           std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos;
  });
}

std::string Field(const calc::CsvRow& row, size_t column) {
  return column < row.fields.size() ? row.fields[column] : std::string();
}

std::string Utf8(const std::string& gbk) { return rt::GbkToUtf8(gbk); }

}  // namespace

std::variant<BankColumns, std::string> ColumnsOf(const calc::CsvRow& header) {
  BankColumns columns;
  std::vector<std::string> seen;
  std::array<bool, 3> found{};
  for (size_t i = 0; i < header.fields.size(); ++i) {
    const std::string& name = header.fields[i];
    if (std::find(seen.begin(), seen.end(), name) != seen.end())
      return "the header names column \"" + Utf8(name) + "\" twice";
    seen.push_back(name);
    if (name == "name") {
      columns.name = i, found[0] = true;
    } else if (name == "page") {
      columns.page = i, found[1] = true;
    } else if (name == "variant") {
      columns.variant = i, found[2] = true;
    } else if (IsInputSymbol(name)) {
      columns.inputs.emplace_back(i, name);
    } else {
      return "the header names column \"" + Utf8(name) + "\", which is no input of any page";
    }
  }
  if (!found[0] || !found[1] || !found[2])
    return "the header must name the columns \"name\", \"page\" and \"variant\"";
  return columns;
}

std::variant<Bank, std::string> BankOf(const BankColumns& columns, const calc::CsvRow& row,
                                       const FreshText& fresh) {
  const std::string name = Field(row, columns.name);
  if (!IsFileName(name))
    return "the name \"" + Utf8(name) + "\" cannot name a file in the output folder";
  const std::optional<CalculationPage> page = Lookup(kPages, Field(row, columns.page));
  if (!page) return "no page \"" + Utf8(Field(row, columns.page)) + "\"";
  const std::string variant_name = Field(row, columns.variant);
  std::optional<Variant> variant = Lookup(kVariants, variant_name);
  if (*page == CalculationPage::kCapacitorPage) {
    if (!variant_name.empty())
      return "the page " + Utf8(Field(row, columns.page)) + " has no variant";
    variant = Variant::kCapacitorParameters;
  } else if (!variant) {
    return "no variant \"" + Utf8(variant_name) + "\"";
  }
  size_t columns_given = 3 + columns.inputs.size();
  if (row.fields.size() > columns_given) return "more fields than the header has columns";
  for (const auto& [column, symbol] : columns.inputs)
    if (!BoxOf(*page, *variant, symbol) && !Field(row, column).empty())
      return "column " + Utf8(symbol) + " is no input of " + Utf8(Field(row, columns.page)) +
             (variant_name.empty() ? "" : " " + Utf8(variant_name)) + "; leave it empty";
  // Every box the calculation reads gets its text, so that nothing of an earlier bank
  // stays in the window.
  Bank bank{name, Field(row, columns.page), variant_name, {*page, *variant, {}}};
  for (uint32_t box : calc::InputBoxesOf(*page, *variant)) {
    std::string text;
    for (const auto& [column, symbol] : columns.inputs)
      if (BoxOf(*page, *variant, symbol) == box) text = Field(row, column);
    bank.sheet.inputs.push_back({calc::ControlName(box), text.empty() ? fresh(box) : text});
  }
  return bank;
}

}  // namespace script
