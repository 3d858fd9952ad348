#include "calc/sheet_formulas.h"

#include <span>

#include "calc/main_window.h"
#include "runtime/core/number_format.h"

namespace calc {
namespace {

using Formulas = std::span<const char* const>;

// "{F}" and "{C}" stand for the current page's constants, "{S}" for what its relay sees.
constexpr const char* kVoltageFuseless[] = {
    "Us = Uψ / (U1 / U2) × 1000",
    "Uch = 3β·Us / (3MN - β·(3N(M - 1) + 2))",
    "Udz = Uch / Klm",
    "D = 3N - 2",
    "V = 3MN / (3MN(1 - β) + D·β)：β 击穿的那台电容器完好部分的过电压倍数",
};
constexpr const char* kCurrentFuseless[] = {
    "Ich = {F}β·Iψ / (CT·(3MN - β·(3MN - 6N + {C})))",
    "Idz = Ich / Klm",
    "D = 6N - {C}",
    "V = 3MN / (3MN(1 - β) + D·β)：β 击穿的那台电容器完好部分的过电压倍数",
};
constexpr const char* kVoltageExternal[] = {
    "Us = Uψ / (U1 / U2) × 1000",
    "K = 取整[3MN(Kv - 1) / (Kv(3N - 2))]，且 K ≥ 1",
    "Uch = 3K·Us / (3MN - K(3N - 2))",
    "Udz = Uch / Klm",
    "D = 3N - 2，G = 3·Us",
    "V(F) = 3MN / (3MN - F·D)：F 台电容器故障切除后完好电容器的过电压倍数",
    "S(F) = G·F / (3MN - F·D)：{S}，S(F) ≥ Udz 时动作",
};
constexpr const char* kCurrentExternal[] = {
    "K = 取整[3MN(Kv - 1) / (Kv(6N - {C}))]，且 K ≥ 1",
    "Ich = {F}K·Iψ / (CT·(3MN - K(6N - {C})))",
    "Idz = Ich / Klm",
    "D = 6N - {C}，G = {F}·Iψ / CT",
    "V(F) = 3MN / (3MN - F·D)：F 台电容器故障切除后完好电容器的过电压倍数（故障在同一半或同一臂）",
    "S(F) = G·F / (3MN - F·D)：{S}，S(F) ≥ Idz 时动作",
};
constexpr const char* kVoltageInternal[] = {
    "Us = Uψ / (U1 / U2) × 1000",
    "R = 3N(M(n - 1) + 1) - 2，T = 3MNmn",
    "K = 取整[T(Kv - 1) / (Kv·R)]，且 K ≥ 1",
    "Uch = 3K·Us / (T - K·R)",
    "Udz = Uch / Klm",
    "G = 3·Us",
    "V(F) = T / (T - F·R)：一个元件组内 F 个元件故障切除后其余元件的过电压倍数",
    "S(F) = G·F / (T - F·R)：{S}，S(F) ≥ Udz 时动作",
};
constexpr const char* kCurrentInternal[] = {
    "R = 3N(M(n - 1) + 2) - {C}，T = 3MNmn",
    "K = 取整[T(Kv - 1) / (Kv·R)]，且 K ≥ 1",
    "Ich = {F}K·Iψ / (CT·(T - K·R))",
    "Idz = Ich / Klm",
    "G = {F}·Iψ / CT",
    "V(F) = T / (T - F·R)：一个元件组内 F 个元件故障切除后其余元件的过电压倍数",
    "S(F) = G·F / (T - F·R)：{S}，S(F) ≥ Idz 时动作",
};

Formulas FormulasOf(bool voltage, Variant variant) {
  switch (variant) {
    case Variant::kFuseless: return voltage ? Formulas(kVoltageFuseless) : Formulas(kCurrentFuseless);
    case Variant::kExternalFuses: return voltage ? Formulas(kVoltageExternal) : Formulas(kCurrentExternal);
    case Variant::kInternalFuses: return voltage ? Formulas(kVoltageInternal) : Formulas(kCurrentInternal);
    case Variant::kCapacitorParameters: break;
  }
  return {};
}

void ReplaceAll(std::string& text, std::string_view placeholder, const std::string& by) {
  for (size_t at = text.find(placeholder); at != std::string::npos; at = text.find(placeholder, at + by.size()))
    text.replace(at, placeholder.size(), by);
}

struct ResultFormulas {
  uint32_t box;
  const char* star;
  const char* delta;  // null when the same
};

constexpr ResultFormulas kResultFormulas[] = {
    {编辑框_电容电流, "IN = QN / (3·UN)", "IN = QN / (√3·UN)"},
    {编辑框_电容电流1, "星形接线时不适用，为空", "IN / √3"},
    {编辑框_XC, "Xc = 1000·UN·UN / (QN / 3)", nullptr},
    {编辑框_XL, "XL = Xc·Kr / 100", nullptr},
    {编辑框_电容电流2, "Irun = Qout / (√3·Usys)，Qout 取所示的值", nullptr},
    {编辑框_电容输出, "Qout = QN·Usys·Usys / (3·UN·UN·(1 - Kr/100))",
     "Qout = QN·Usys·Usys / (UN·UN·(1 - Kr/100))"},
    {编辑框_调谐频率, "ft = f·√(100 / Kr)", nullptr},
    {编辑框_补偿容量, "Qcomp = P·(tanφ1 - tanφ2)，tanφ = √(1 - cosφ·cosφ) / cosφ", nullptr},
    {编辑框_电容电流6, "3·IN / nCT", nullptr},
    {编辑框_电容电流7, "1.5·IN / nCT", nullptr},
    {编辑框_电容电流8, "3√3·IN / nCT", nullptr},
    {编辑框_电容电流9, "1.5√3·IN / nCT", nullptr},
};

}  // namespace

std::vector<std::string> ProtectionFormulas(SheetPage page, Variant variant) {
  const protection::CurrentPageConstants constants = ConstantsOf(page);
  std::vector<std::string> formulas;
  for (const char* formula : FormulasOf(MeasuresVoltage(page), variant)) {
    std::string text = formula;
    ReplaceAll(text, "{F}", rt::FormatDouble(constants.F));
    ReplaceAll(text, "{C}", rt::FormatDouble(constants.C));
    ReplaceAll(text, "{S}", SignalName(page));
    formulas.push_back(std::move(text));
  }
  return formulas;
}

std::string ResultFormula(uint32_t box, bool star) {
  for (const ResultFormulas& formulas : kResultFormulas)
    if (formulas.box == box) return star || !formulas.delta ? formulas.star : formulas.delta;
  return {};
}

std::string OperatingVoltageFormula(bool star) {
  return star ? "Uc = Usys / (√3·(1 - Kr/100))" : "Uc = Usys / (1 - Kr/100)";
}

}  // namespace calc
