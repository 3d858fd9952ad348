#include "forms/unit_data.h"

#include <stdexcept>
#include <type_traits>
#include <utility>
#include <variant>

#include "forms/field_io.h"
#include "forms/unit_fields.h"

namespace forms {
namespace {

template <class Unit, class F>
bool CallIfUnitOfType(uint32_t type_code, F& f) {
  if (UnitType<Unit>::kCode != type_code) return false;
  Unit unit;
  f(unit);
  return true;
}

// Calls f with a default unit of the kind that controls of `type_code` store; false when
// no kind belongs to that type code.
template <class F>
bool WithUnitOfType(uint32_t type_code, F&& f) {
  return [&]<size_t... I>(std::index_sequence<I...>) {
    return (CallIfUnitOfType<std::variant_alternative_t<I, UnitData>>(type_code, f) || ...);
  }
  (std::make_index_sequence<std::variant_size_v<UnitData>>{});
}

// Versions count from 1; a kind without unit data stores no version at all.
bool IsStoredVersion(uint32_t version, uint32_t highest) {
  return highest == 0 ? version == 0 : version >= 1 && version <= highest;
}

}  // namespace

uint32_t HighestUnitDataVersion(uint32_t type_code) {
  uint32_t highest = 0;
  WithUnitOfType(type_code,
                 [&](auto& unit) { highest = UnitType<std::decay_t<decltype(unit)>>::kHighest; });
  return highest;
}

std::optional<UnitData> DefaultUnitData(uint32_t type_code) {
  std::optional<UnitData> result;
  WithUnitOfType(type_code, [&](auto& unit) { result = std::move(unit); });
  return result;
}

std::optional<UnitData> ParseUnitData(uint32_t type_code, std::span<const uint8_t> bytes) {
  std::optional<UnitData> result;
  WithUnitOfType(type_code, [&](auto& unit) {
    constexpr uint32_t highest = UnitType<std::decay_t<decltype(unit)>>::kHighest;
    ByteReader in(bytes);
    const uint32_t version = highest == 0 ? 0 : in.U32();
    if (!IsStoredVersion(version, highest)) return;
    FieldReader io(in);
    VisitUnitFields(io, unit, version);
    if (in.AtEnd()) result = std::move(unit);
  });
  return result;
}

std::vector<uint8_t> SerializeUnitData(const UnitData& unit, uint32_t version) {
  return std::visit(
      [&](const auto& u) {
        constexpr uint32_t highest = UnitType<std::decay_t<decltype(u)>>::kHighest;
        if (!IsStoredVersion(version, highest))
          throw std::invalid_argument("unit data version the control type does not have");
        ByteWriter out;
        if (highest != 0) out.U32(version);
        FieldWriter io(out);
        VisitUnitFields(io, u, version);
        return out.Release();
      },
      unit);
}

}  // namespace forms
