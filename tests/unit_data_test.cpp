#include "forms/unit_data.h"

#include <gtest/gtest.h>

#include "forms/byte_writer.h"
#include "forms/template.h"
#include "tests/allocation_probe.h"

namespace {

using forms::ByteWriter;

template <class Unit>
Unit Parse(uint32_t type_code, const std::vector<uint8_t>& bytes) {
  auto unit = forms::ParseUnitData(type_code, bytes);
  EXPECT_TRUE(unit);
  return unit ? std::get<Unit>(*unit) : Unit{};
}

// Writes `unit` in `version` and reads it back.
template <class Unit>
Unit RoundTrip(uint32_t type_code, const Unit& unit, uint32_t version) {
  return Parse<Unit>(type_code, forms::SerializeUnitData(unit, version));
}

TEST(UnitDataTest, ReadsHandAssembledTimerAndTabLayouts) {
  EXPECT_EQ(Parse<forms::TimerUnit>(forms::kTimerType, {1, 0, 0, 0, 15, 0, 0, 0}).period, 15u);

  ByteWriter v1;  // a tab of version 1: no drawn style, opacity or background stored
  for (uint32_t field : {1u, 0u, 0u, 2u, 0u}) v1.U32(field);  // version .. current page, font
  v1.U16(2);
  v1.Text("a");
  v1.Text("bc");
  const auto tab = Parse<forms::TabUnit>(forms::kTabType, v1.bytes());
  EXPECT_EQ(tab.current_page, 2u);
  EXPECT_EQ(tab.pages, (std::vector<std::string>{"a", "bc"}));
  EXPECT_EQ(tab.drawn_style, 0u);
  EXPECT_EQ(tab.opaque, 1u);
  EXPECT_EQ(tab.background, forms::kDefaultColour);

  ByteWriter v3;
  for (uint32_t field : {3u, 1u, 0u, 0u, 1u, 0u, 0x123456u, 0u}) v3.U32(field);
  v3.U16(1);
  v3.Text("p");
  const auto tab3 = Parse<forms::TabUnit>(forms::kTabType, v3.bytes());
  EXPECT_EQ(tab3.tab_position, 1u);
  EXPECT_EQ(tab3.drawn_style, 1u);
  EXPECT_EQ(tab3.opaque, 0u);
  EXPECT_EQ(tab3.background, 0x123456u);
}

std::vector<uint8_t> GroupBoxWithFontBlock(const std::vector<uint8_t>& font) {
  ByteWriter out;
  for (uint32_t field : {1u, 0u, 0u, forms::kDefaultColour}) out.U32(field);
  out.SizedBlock(font);
  out.Text("g");
  return out.Release();
}

TEST(UnitDataTest, FontIsNothingOrExactlyOneLogicalFont) {
  ByteWriter font;
  for (int32_t field : {-16, 0, 0, 0, 400}) font.I32(field);
  for (uint8_t field : {0, 0, 0, 134, 0, 0, 0, 0x31}) font.U8(field);
  font.Append(std::string_view("楷体_GB2312"));
  font.Zeros(32 - std::string_view("楷体_GB2312").size());
  ASSERT_EQ(font.size(), 60u);

  const auto group =
      Parse<forms::GroupBoxUnit>(forms::kGroupBoxType, GroupBoxWithFontBlock(font.bytes()));
  ASSERT_TRUE(group.font);
  EXPECT_EQ(group.font->height, -16);
  EXPECT_EQ(group.font->weight, 400);
  EXPECT_EQ(group.font->charset, 134);
  EXPECT_EQ(group.font->pitch_and_family, 0x31);
  EXPECT_EQ(group.font->face, "楷体_GB2312");
  EXPECT_EQ(group.caption, "g");
  EXPECT_FALSE(Parse<forms::GroupBoxUnit>(forms::kGroupBoxType, GroupBoxWithFontBlock({})).font);

  auto short_font = font.bytes();
  short_font.pop_back();
  EXPECT_FALSE(forms::ParseUnitData(forms::kGroupBoxType, GroupBoxWithFontBlock(short_font)));
  auto unterminated_face = font.bytes();
  std::fill(unterminated_face.begin() + 28, unterminated_face.end(), 'A');
  EXPECT_FALSE(
      forms::ParseUnitData(forms::kGroupBoxType, GroupBoxWithFontBlock(unterminated_face)));
}

TEST(UnitDataTest, VersionsOutsideTheTypesRangeFail) {
  const struct {
    uint32_t type_code, highest;
  } types[] = {{forms::kWindowType, 6},   {forms::kEditBoxType, 2}, {forms::kDrawPanelType, 1},
               {forms::kGroupBoxType, 1}, {forms::kLabelType, 2},   {forms::kButtonType, 1},
               {forms::kComboBoxType, 3}, {forms::kTabType, 3},     {forms::kTimerType, 1}};
  for (const auto& type : types) {
    EXPECT_EQ(forms::HighestUnitDataVersion(type.type_code), type.highest);
    const auto defaults = *forms::DefaultUnitData(type.type_code);
    auto bytes = forms::SerializeUnitData(defaults, type.highest);
    EXPECT_TRUE(forms::ParseUnitData(type.type_code, bytes)) << std::hex << type.type_code;
    for (uint32_t version : {0u, type.highest + 1}) {
      bytes[0] = static_cast<uint8_t>(version);
      EXPECT_FALSE(forms::ParseUnitData(type.type_code, bytes)) << std::hex << type.type_code;
      EXPECT_THROW(forms::SerializeUnitData(defaults, version), std::invalid_argument);
    }
  }
  EXPECT_EQ(forms::HighestUnitDataVersion(forms::kBalloonTipType), 0u);
  EXPECT_EQ(forms::HighestUnitDataVersion(forms::kMenuItemType), 0u);
}

TEST(UnitDataTest, WindowFieldsAnOlderVersionLacksKeepTheirDefaults) {
  forms::WindowUnit window;
  window.in_task_bar = 0;
  window.reserved3 = 7;
  window.shape = 3;
  window.always_on_top = 1;
  window.reserved5 = 9;
  window.class_text = "k";
  window.caption = "c";
  const forms::WindowUnit defaults;
  for (uint32_t version = 1; version <= 6; ++version) {
    const auto read = RoundTrip(forms::kWindowType, window, version);
    EXPECT_EQ(read.in_task_bar, version >= 2 ? 0u : defaults.in_task_bar) << version;
    EXPECT_EQ(read.shape, version >= 3 ? 3u : defaults.shape) << version;
    EXPECT_EQ(read.reserved3, version >= 3 ? 7u : defaults.reserved3) << version;
    EXPECT_EQ(read.always_on_top, version >= 4 ? 1u : defaults.always_on_top) << version;
    EXPECT_EQ(read.reserved5, version >= 5 ? 9u : defaults.reserved5) << version;
    EXPECT_EQ(read.class_text, version >= 6 ? "k" : "") << version;
    EXPECT_EQ(read.caption, "c") << version;
  }
}

TEST(UnitDataTest, OtherTypesOlderVersionsKeepTheirDefaults) {
  forms::LabelUnit label;
  label.caption = "c";
  label.text2 = "t";
  const auto label1 = RoundTrip(forms::kLabelType, label, 1);
  EXPECT_EQ(label1.caption, "c");
  EXPECT_EQ(label1.text2, "");

  forms::EditBoxUnit edit;
  edit.content = "1.3";
  edit.text3 = "t";
  const auto edit1 = RoundTrip(forms::kEditBoxType, edit, 1);
  EXPECT_EQ(edit1.content, "1.3");
  EXPECT_EQ(edit1.text3, "");

  forms::ComboBoxUnit combo;
  combo.items = {"a", "b"};
  combo.text2 = "t";
  combo.reserved3 = 5;
  const auto combo1 = RoundTrip(forms::kComboBoxType, combo, 1);
  EXPECT_EQ(combo1.items, combo.items);
  EXPECT_EQ(combo1.text2, "");
  const auto combo2 = RoundTrip(forms::kComboBoxType, combo, 2);
  EXPECT_EQ(combo2.text2, "t");
  EXPECT_EQ(combo2.reserved3, 0u);

  forms::TabUnit tab;
  tab.drawn_style = 1;
  tab.opaque = 0;
  const auto tab2 = RoundTrip(forms::kTabType, tab, 2);
  EXPECT_EQ(tab2.drawn_style, 1u);
  EXPECT_EQ(tab2.opaque, 1u);
}

TEST(UnitDataTest, RejectsLeftoverBytesAndUnknownTypes) {
  using Bytes = std::vector<uint8_t>;
  EXPECT_FALSE(forms::ParseUnitData(forms::kTimerType, Bytes{1, 0, 0, 0, 15, 0, 0, 0, 0}));
  EXPECT_FALSE(forms::ParseUnitData(forms::kTimerType, Bytes{1, 0, 0, 0, 15, 0, 0}));
  EXPECT_TRUE(forms::ParseUnitData(forms::kBalloonTipType, Bytes{}));
  EXPECT_FALSE(forms::ParseUnitData(forms::kBalloonTipType, Bytes{0}));
  EXPECT_FALSE(forms::ParseUnitData(forms::kMenuItemType, Bytes{1, 0, 0, 0}));
  EXPECT_FALSE(forms::ParseUnitData(0x00030001, Bytes{1, 0, 0, 0}));
}

TEST(UnitDataTest, ForgedItemCountFailsWithoutAllocatingForIt) {
  auto bytes = forms::SerializeUnitData(forms::ComboBoxUnit{}, 1);  // ends with the item count
  bytes[bytes.size() - 2] = 0xFF;
  bytes[bytes.size() - 1] = 0xFF;
  std::optional<forms::UnitData> unit;
  const size_t largest = testing_support::LargestAllocationDuring(
      [&] { unit = forms::ParseUnitData(forms::kComboBoxType, bytes); });
  EXPECT_FALSE(unit);
  EXPECT_LT(largest, 4096u);
}

TEST(UnitDataTest, WriterRefusesAFaceNameWithoutRoomForItsTerminator) {
  forms::LabelUnit label;
  label.font.emplace().face = std::string(32, 'A');
  EXPECT_THROW(forms::SerializeUnitData(label, 2), std::invalid_argument);
  label.font->face.pop_back();
  EXPECT_EQ(RoundTrip(forms::kLabelType, label, 2).font->face, label.font->face);
}

}  // namespace
