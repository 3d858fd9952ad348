#include "calc/sheet/saved_sheet.h"

#include <nlohmann/json.hpp>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

namespace calc {
namespace {

using nlohmann::json;

constexpr char kNotASheet[] = "这不是本程序保存的计算书：";

SavedSheetReading Refused(const std::string& why) { return {std::nullopt, kNotASheet + why}; }

// The JSON text inside the HTML sheet's script element; none when it has no such element.
std::optional<std::string_view> EmbeddedJson(std::string_view html) {
  const std::string id_attribute = std::string("id=\"") + kSheetScriptId + "\"";
  const size_t id = html.find(id_attribute);
  if (id == std::string_view::npos) return std::nullopt;
  const size_t start = html.find('>', id);
  const size_t end = html.find("</script>", id);
  if (start == std::string_view::npos || end == std::string_view::npos || end < start)
    return std::nullopt;
  return html.substr(start + 1, end - start - 1);
}

bool LooksLikeHtml(std::string_view bytes) {
  const size_t first = bytes.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
  return first != std::string_view::npos && bytes[first] == '<';
}

std::optional<CalculationPage> PageTitled(const std::string& utf8_title) {
  const std::string title = rt::Utf8ToGbk(utf8_title);
  for (CalculationPage page : {CalculationPage::kCapacitorPage, CalculationPage::kOpenDeltaPage,
                               CalculationPage::kDifferentialPage,
                               CalculationPage::kNeutralLinePage, CalculationPage::kBridgePage})
    if (title == PageTitle(page)) return page;
  return std::nullopt;
}

std::optional<Variant> VariantCoded(const std::string& code) {
  if (code == "capacitor_parameters") return Variant::kCapacitorParameters;
  if (code == "fuseless") return Variant::kFuseless;
  if (code == "external_fuses") return Variant::kExternalFuses;
  if (code == "internal_fuses") return Variant::kInternalFuses;
  return std::nullopt;
}

const json* StringMember(const json& object, const char* key) {
  auto found = object.find(key);
  return found != object.end() && found->is_string() ? &*found : nullptr;
}

// An input of the "inputs" list, or why it is none.
std::optional<SavedInput> InputOf(const json& item) {
  if (!item.is_object()) return std::nullopt;
  const json* control = StringMember(item, "control");
  const json* text = StringMember(item, "text");
  if (!control || !text || control->get_ref<const std::string&>().empty()) return std::nullopt;
  auto value = item.find("value");
  const bool small_whole_number = value != item.end() && value->is_number_integer() &&
                                  value->get<int64_t>() >= 0 && value->get<int64_t>() < 16;
  return SavedInput{rt::Utf8ToGbk(control->get<std::string>()),
                    rt::Utf8ToGbk(text->get<std::string>()),
                    small_whole_number ? value->get<int>() : 0};
}

SavedSheetReading SheetOf(const json& document) {
  if (!document.is_object()) return Refused("数据不是一个 JSON 对象。");
  const json* page_title = StringMember(document, "page");
  std::optional<CalculationPage> page =
      page_title ? PageTitled(page_title->get<std::string>()) : std::nullopt;
  if (!page) return Refused("“page”不是本程序的页面。");
  const json* variant_code = StringMember(document, "variant");
  std::optional<Variant> variant =
      variant_code ? VariantCoded(variant_code->get<std::string>()) : std::nullopt;
  const bool capacitor_page = page == CalculationPage::kCapacitorPage;
  if (!variant || (variant == Variant::kCapacitorParameters) != capacitor_page)
    return Refused("“variant”不是该页面的计算。");
  auto inputs = document.find("inputs");
  if (inputs == document.end() || !inputs->is_array() || inputs->empty())
    return Refused("没有“inputs”输入列表。");
  SavedSheet sheet{*page, *variant, {}};
  for (const json& item : *inputs) {
    std::optional<SavedInput> input = InputOf(item);
    if (!input)
      return Refused("“inputs”第 " + std::to_string(sheet.inputs.size() + 1) +
                     " 项缺少“control”或“text”。");
    sheet.inputs.push_back(std::move(*input));
  }
  return {std::move(sheet), {}};
}

}  // namespace

SavedSheetReading ReadSavedSheet(std::string_view bytes) {
  std::string_view text = bytes;
  if (LooksLikeHtml(bytes)) {
    std::optional<std::string_view> embedded = EmbeddedJson(bytes);
    if (!embedded) return Refused("HTML 文件中没有计算书数据。");
    text = *embedded;
  }
  try {
    return SheetOf(json::parse(text.begin(), text.end()));
  } catch (const json::parse_error& error) {
    return Refused("数据不是完整的 JSON（第 " + std::to_string(error.byte) + " 个字节处有误）。");
  }
}

SavedSheetReading ReadSavedSheetFile(const std::string& gbk_path) {
  std::string bytes, reason;
  if (!rt::platform::ReadFileUpTo(gbk_path, kLargestSavedSheet, &bytes, &reason))
    return {std::nullopt, "无法读取文件：" + reason};
  return ReadSavedSheet(bytes);
}

}  // namespace calc
