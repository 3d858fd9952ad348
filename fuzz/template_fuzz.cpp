// Fuzzes the template loader and the unit data reader. The first input byte picks what the
// rest is: a template block as it stands, edits to the real main window template (so that
// the fuzzer starts deep inside a well-formed block instead of having to find its layout),
// or the unit data of one control type. Whatever loads must write back to bytes that load
// again and write back the same.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <span>
#include <vector>

#include "forms/main_window_template.h"
#include "forms/template.h"
#include "forms/unit_data.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

uint32_t Read32(const uint8_t* data) {
  uint32_t value;
  std::memcpy(&value, data, sizeof value);
  return value;
}

// Each edit is a 32-bit position (modulo the block size) and a 32-bit value written there;
// a shorter tail cuts the block at a position.
std::vector<uint8_t> EditedRealBlock(std::span<const uint8_t> edits) {
  const auto real = forms::MainWindowTemplate();
  std::vector<uint8_t> block(real.begin(), real.end());
  for (; edits.size() >= 8; edits = edits.subspan(8)) {
    const size_t at = Read32(edits.data()) % block.size();
    const uint32_t value = Read32(edits.data() + 4);
    std::memcpy(block.data() + at, &value, std::min<size_t>(4, block.size() - at));
  }
  if (!edits.empty()) {
    uint8_t cut[4] = {};
    std::memcpy(cut, edits.data(), std::min(edits.size(), sizeof cut));
    block.resize(Read32(cut) % (block.size() + 1));
  }
  return block;
}

void CheckUnitData(uint32_t type_code, std::span<const uint8_t> bytes) {
  const auto unit = forms::ParseUnitData(type_code, bytes);
  if (!unit) return;
  const uint32_t version = forms::HighestUnitDataVersion(type_code) ? Read32(bytes.data()) : 0;
  const auto written = forms::SerializeUnitData(*unit, version);
  const auto again = forms::ParseUnitData(type_code, written);
  Require(again && forms::SerializeUnitData(*again, version) == written);
}

void CheckTemplate(std::span<const uint8_t> block) {
  const auto tmpl = forms::ParseTemplate(block);
  if (!tmpl) return;
  for (const forms::WindowEntry& window : tmpl->windows)
    for (const forms::ControlRecord& record : window.records)
      CheckUnitData(record.type_code, record.unit_data);
  const auto written = forms::SerializeTemplate(*tmpl);
  const auto again = forms::ParseTemplate(written);
  Require(again && forms::SerializeTemplate(*again) == written);
}

constexpr uint32_t kTypeCodes[] = {
    forms::kWindowType, forms::kEditBoxType,   forms::kDrawPanelType, forms::kGroupBoxType,
    forms::kLabelType,  forms::kButtonType,    forms::kComboBoxType,  forms::kTabType,
    forms::kTimerType,  forms::kBalloonTipType};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const std::span<const uint8_t> rest(data + 2, size - 2);
  switch (data[0] % 3) {
    case 0: CheckTemplate(rest); break;
    case 1: CheckTemplate(EditedRealBlock(rest)); break;
    default: CheckUnitData(kTypeCodes[data[1] % std::size(kTypeCodes)], rest); break;
  }
  return 0;
}
