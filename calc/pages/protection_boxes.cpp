#include "calc/pages/protection_boxes.h"

#include <cassert>

#include "calc/pages/main_window.h"

namespace calc {
namespace {

using T = ProtectionTexts;

constexpr unsigned Bit(Variant variant) { return 1u << static_cast<unsigned>(variant); }
constexpr unsigned kFuseless = Bit(Variant::kFuseless);
constexpr unsigned kExternal = Bit(Variant::kExternalFuses);
constexpr unsigned kInternal = Bit(Variant::kInternalFuses);
constexpr unsigned kEvery = kFuseless | kExternal | kInternal;

constexpr InputBox kOpenDelta[] = {
    {"Uψ", &T::Uψ, 编辑框_电容电压1, kEvery}, {"U1", &T::U1, 编辑框_线圈一次, kEvery},
    {"U2", &T::U2, 编辑框_线圈二次, kEvery},  {"M", &T::M, 编辑框_M1, kEvery},
    {"N", &T::N, 编辑框_N1, kEvery},          {"β", &T::β, 编辑框_B, kFuseless},
    {"Klm", &T::Klm, 编辑框_Klm3, kFuseless}, {"Kv", &T::Kv, 编辑框_Kv1, kExternal},
    {"Klm", &T::Klm, 编辑框_Klm1, kExternal}, {"Kv", &T::Kv, 编辑框_Kv2, kInternal},
    {"Klm", &T::Klm, 编辑框_Klm2, kInternal}, {"m", &T::m, 编辑框_M2, kInternal},
    {"n", &T::n, 编辑框_N2, kInternal},
};

constexpr InputBox kDifferential[] = {
    {"Uψ", &T::Uψ, 编辑框_电容电压2, kEvery}, {"U1", &T::U1, 编辑框_线圈一次1, kEvery},
    {"U2", &T::U2, 编辑框_线圈二次1, kEvery}, {"M", &T::M, 编辑框_M3, kEvery},
    {"N", &T::N, 编辑框_N3, kEvery},          {"β", &T::β, 编辑框_B1, kFuseless},
    {"Klm", &T::Klm, 编辑框_Klm4, kFuseless}, {"Kv", &T::Kv, 编辑框_Kv3, kExternal},
    {"Klm", &T::Klm, 编辑框_Klm5, kExternal}, {"Kv", &T::Kv, 编辑框_Kv4, kInternal},
    {"Klm", &T::Klm, 编辑框_Klm6, kInternal}, {"m", &T::m, 编辑框_M4, kInternal},
    {"n", &T::n, 编辑框_N4, kInternal},
};

constexpr InputBox kNeutralLine[] = {
    {"Iψ", &T::Iψ, 编辑框_电容相电流, kEvery}, {"CT", &T::CT, 编辑框_零序CT比, kEvery},
    {"M", &T::M, 编辑框_M5, kEvery},           {"N", &T::N, 编辑框_N5, kEvery},
    {"β", &T::β, 编辑框_B2, kFuseless},        {"Klm", &T::Klm, 编辑框_Klm7, kFuseless},
    {"Kv", &T::Kv, 编辑框_Kv5, kExternal},     {"Klm", &T::Klm, 编辑框_Klm8, kExternal},
    {"Kv", &T::Kv, 编辑框_Kv6, kInternal},     {"Klm", &T::Klm, 编辑框_Klm9, kInternal},
    {"m", &T::m, 编辑框_M6, kInternal},        {"n", &T::n, 编辑框_N6, kInternal},
};

constexpr InputBox kBridge[] = {
    {"Iψ", &T::Iψ, 编辑框_电容相电流1, kEvery},
    {"CT", &T::CT, 编辑框_零序CT比1, kEvery},
    {"M", &T::M, 编辑框_M7, kEvery},
    {"N", &T::N, 编辑框_N7, kEvery},
    {"β", &T::β, 编辑框_B3, kFuseless},
    {"Klm", &T::Klm, 编辑框_Klm10, kFuseless},
    {"Kv", &T::Kv, 编辑框_Kv7, kExternal},
    {"Klm", &T::Klm, 编辑框_Klm11, kExternal},
    {"Kv", &T::Kv, 编辑框_Kv8, kInternal},
    {"Klm", &T::Klm, 编辑框_Klm12, kInternal},
    {"m", &T::m, 编辑框_M8, kInternal},
    {"n", &T::n, 编辑框_N8, kInternal},
};

constexpr ProtectionPageBoxes kPages[] = {
    {CalculationPage::kOpenDeltaPage, kOpenDelta, 编辑框_Udz},
    {CalculationPage::kDifferentialPage, kDifferential, 编辑框_Udz1},
    {CalculationPage::kNeutralLinePage, kNeutralLine, 编辑框_Idz},
    {CalculationPage::kBridgePage, kBridge, 编辑框_Idz1},
};

}  // namespace

const ProtectionPageBoxes& BoxesOfPage(CalculationPage page) {
  assert(page != CalculationPage::kCapacitorPage);
  for (const ProtectionPageBoxes& boxes : kPages)
    if (boxes.page == page) return boxes;
  return kPages[0];
}

uint32_t InputBoxOf(const ProtectionPageBoxes& page, Variant variant, std::string_view symbol) {
  for (const InputBox& input : page.inputs)
    if (input.Serves(variant) && input.symbol == symbol) return input.box;
  return 0;
}

}  // namespace calc
