// The main window as the program carries it: its description compiled at build time,
// embedded, and read back with the loader.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "forms/control_ids.h"
#include "forms/main_window_template.h"
#include "forms/template.h"
#include "forms/unit_data.h"

namespace {

using forms::ControlRecord;

const std::vector<std::string> kHandlerNames = {
#define HANDLER(name) #name,
#include "calc/pages/handlers.def"
#undef HANDLER
};

uint32_t HandlerIndex(const std::string& name) {
  auto found = std::find(kHandlerNames.begin(), kHandlerNames.end(), name);
  EXPECT_NE(found, kHandlerNames.end()) << name;
  return static_cast<uint32_t>(found - kHandlerNames.begin());
}

constexpr uint32_t kBlue = 0x00FF0000;
constexpr uint32_t kRed = 0x000000FF;

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { parsed_ = forms::ParseTemplate(forms::MainWindowTemplate()); }
  void SetUp() override {
    ASSERT_TRUE(parsed_);
    ASSERT_EQ(parsed_->windows.size(), 1u);
  }

  static const forms::WindowEntry& Window() { return parsed_->windows[0]; }
  static const std::vector<ControlRecord>& Records() { return Window().records; }

  static const ControlRecord& Record(const std::string& name) {
    for (const ControlRecord& record : Records())
      if (record.name == name) return record;
    throw std::out_of_range("no control named " + name);
  }

  template <class Unit>
  static Unit UnitOf(const ControlRecord& record) {
    auto unit = forms::ParseUnitData(record.type_code, record.unit_data);
    EXPECT_TRUE(unit && std::holds_alternative<Unit>(*unit)) << record.name;
    return unit && std::holds_alternative<Unit>(*unit) ? std::get<Unit>(*unit) : Unit{};
  }

  static std::vector<const ControlRecord*> OfType(uint32_t type_code) {
    std::vector<const ControlRecord*> found;
    for (const ControlRecord& record : Records())
      if (record.type_code == type_code) found.push_back(&record);
    return found;
  }

  static inline std::optional<forms::Template> parsed_;
};

TEST_F(MainWindowTest, WindowEntryAndTheWindowsOwnRecord) {
  const forms::WindowEntry& window = Window();
  EXPECT_EQ(window.window_id, 0x52010001u);
  EXPECT_EQ(ids::kMainWindowId, 0x52010001u);
  EXPECT_EQ(window.value1, 0x00B99550u);
  EXPECT_EQ(window.value2, 0x19010020u);
  EXPECT_EQ(window.text1, "");
  EXPECT_EQ(window.text2, "");
  ASSERT_EQ(Records().size(), 230u);

  const ControlRecord& own = Records()[0];
  EXPECT_EQ(own.control_id, 0x06010000u);
  EXPECT_EQ(own.type_code, forms::kWindowType);
  EXPECT_EQ(own.name, "");
  EXPECT_EQ(std::vector<int32_t>({own.left, own.top, own.width, own.height}),
            std::vector<int32_t>({50, 50, 650, 488}));
  EXPECT_EQ(own.flags, 1u);
  EXPECT_EQ(own.tag, "请输入电容器额定电压值，比如11/√3，则输入其值：6.35");
  ASSERT_EQ(own.bindings.size(), 1u);
  EXPECT_EQ(own.bindings[0].event, 0);
  EXPECT_EQ(own.bindings[0].handler, HandlerIndex("OnMainWindowCreated"));

  EXPECT_EQ(own.unit_data.at(0), 6u);
  const auto unit = UnitOf<forms::WindowUnit>(own);
  EXPECT_EQ(unit.border, 2u);
  EXPECT_EQ(unit.maximise_button + unit.minimise_button, 0u);
  EXPECT_EQ(unit.control_box, 1u);
  EXPECT_EQ(unit.position, 1u);
  EXPECT_EQ(unit.movable, 1u);
  EXPECT_EQ(unit.escape_closes, 1u);
  EXPECT_EQ(unit.enter_moves_focus, 0u);
  EXPECT_EQ(unit.in_task_bar, 1u);
  EXPECT_EQ(unit.always_on_top, 0u);
  EXPECT_EQ(unit.caption.rfind("电容器相关计算  （", 0), 0u) << unit.caption;
  EXPECT_TRUE(unit.caption.ends_with("）"));
  // Texts are GBK: "电" is B5 E7 there (E7 94 B5 in UTF-8).
  EXPECT_EQ(unit.caption.substr(0, 2), "\xB5\xE7");
}

TEST_F(MainWindowTest, ControlCountsPerType) {
  std::map<uint32_t, int> counts;
  for (const ControlRecord& record : Records()) ++counts[record.type_code];
  const std::map<uint32_t, int> expected = {
      {forms::kWindowType, 1},    {forms::kTabType, 1},      {forms::kGroupBoxType, 22},
      {forms::kLabelType, 109},   {forms::kEditBoxType, 75}, {forms::kButtonType, 13},
      {forms::kDrawPanelType, 6}, {forms::kComboBoxType, 1}, {forms::kTimerType, 1},
      {forms::kBalloonTipType, 1}};
  EXPECT_EQ(counts, expected);
}

TEST_F(MainWindowTest, ControlIdsAreUniqueSerialsAndMatchTheGeneratedHeader) {
  std::set<uint32_t> serials;
  for (size_t i = 1; i < Records().size(); ++i) {
    const uint32_t id = Records()[i].control_id;
    EXPECT_EQ(id >> 16, 0x1601u) << Records()[i].name;
    EXPECT_TRUE(forms::IsValidId(id));
    serials.insert(id & 0xFFFF);
  }
  EXPECT_EQ(serials.size(), 229u);
  EXPECT_EQ(*serials.begin(), 0x0002u);
  EXPECT_EQ(*serials.rbegin(), 0x02C5u);

  EXPECT_EQ(ids::选择夹1, Record("选择夹1").control_id);
  EXPECT_EQ(ids::编辑框_电容电压, Record("编辑框_电容电压").control_id);
  EXPECT_EQ(ids::系统频率, Record("系统频率").control_id);
  EXPECT_EQ(ids::按钮_桥式差内熔丝, Record("按钮_桥式差内熔丝").control_id);
  EXPECT_EQ(ids::气球提示框1, Record("气球提示框1").control_id);
}

TEST_F(MainWindowTest, EveryRecordHasTheCommonDefaultsAndReadableUnitData) {
  const std::map<uint32_t, uint32_t> flags_by_type = {
      {forms::kWindowType, 1},    {forms::kTabType, 17},     {forms::kGroupBoxType, 1},
      {forms::kLabelType, 1},     {forms::kEditBoxType, 5},  {forms::kButtonType, 5},
      {forms::kDrawPanelType, 1}, {forms::kComboBoxType, 5}, {forms::kTimerType, 0},
      {forms::kBalloonTipType, 0}};
  for (const ControlRecord& record : Records()) {
    SCOPED_TRACE(record.name);
    EXPECT_EQ(record.event_owner, 0u);
    EXPECT_EQ(record.remark, "");
    EXPECT_EQ(record.mouse_pointer, std::vector<uint8_t>(4, 0));
    EXPECT_EQ(record.tab_order, 0u);
    if (record.control_id != 0x06010000) {
      EXPECT_EQ(record.tag, "");
    }
    const uint32_t expected_flags =
        record.name == "画板_角接" ? 0 : flags_by_type.at(record.type_code);
    EXPECT_EQ(record.flags, expected_flags);
    EXPECT_TRUE(forms::ParseUnitData(record.type_code, record.unit_data));
    const uint32_t highest = forms::HighestUnitDataVersion(record.type_code);
    if (highest != 0) {
      EXPECT_EQ(record.unit_data.at(0), highest);
    }
  }
  EXPECT_TRUE(Record("气球提示框1").unit_data.empty());
  EXPECT_EQ(Record("气球提示框1").type_code, 0x00020001u);
}

TEST_F(MainWindowTest, ContainersAndChildLists) {
  const ControlRecord& tab = Records().back();
  EXPECT_EQ(tab.name, "选择夹1");
  EXPECT_EQ(tab.container, 0u);
  EXPECT_EQ(Record("标签12").container, 0u);
  EXPECT_EQ(Record("编辑框_电容电压").container, ids::分组框1);
  EXPECT_EQ(Record("分组框1").container, ids::选择夹1);

  std::map<uint32_t, const ControlRecord*> by_id;
  for (const ControlRecord& record : Records()) by_id[record.control_id] = &record;
  std::map<uint32_t, std::vector<uint32_t>> contents;  // in record order
  for (size_t i = 1; i < Records().size(); ++i) {
    const ControlRecord& record = Records()[i];
    if (record.container == 0) continue;
    const uint32_t container_type = by_id.at(record.container)->type_code;
    EXPECT_TRUE(container_type == forms::kGroupBoxType || container_type == forms::kTabType)
        << record.name;
    contents[record.container].push_back(record.control_id);
  }
  for (const ControlRecord* group : OfType(forms::kGroupBoxType))
    EXPECT_EQ(group->children, contents[group->control_id]) << group->name;

  ASSERT_EQ(tab.children.size(), 36u);
  EXPECT_EQ(std::count(tab.children.begin(), tab.children.end(), 0u), 5);
  EXPECT_EQ(tab.children.back(), 0u);
  const std::vector<uint32_t> page1(tab.children.begin(), tab.children.begin() + 8);
  EXPECT_EQ(page1,
            (std::vector<uint32_t>{ids::气球提示框1, ids::时钟1, ids::分组框2, ids::按钮_电容器计算,
                                   ids::画板_角接, ids::画板_星接, ids::分组框1, 0}));
  std::vector<uint32_t> on_pages;
  std::copy_if(tab.children.begin(), tab.children.end(), std::back_inserter(on_pages),
               [](uint32_t id) { return id != 0; });
  std::vector<uint32_t> in_tab = contents[tab.control_id];
  std::sort(on_pages.begin(), on_pages.end());
  std::sort(in_tab.begin(), in_tab.end());
  EXPECT_EQ(on_pages, in_tab);
  EXPECT_EQ(in_tab.size(), 31u);
}

TEST_F(MainWindowTest, TabComboTimerPanelsAndButtons) {
  const ControlRecord& tab_record = Record("选择夹1");
  EXPECT_EQ(tab_record.unit_data.at(0), 3u);
  const auto tab = UnitOf<forms::TabUnit>(tab_record);
  EXPECT_EQ(tab.pages, (std::vector<std::string>{"电容参数计算", "开口三角电压计算", "电压差动计算",
                                                 "不平衡电流计算", "桥式差电流计算"}));
  EXPECT_EQ(tab.current_page, 0u);
  EXPECT_EQ(tab.tab_position, 0u);

  const auto combo = UnitOf<forms::ComboBoxUnit>(Record("组合框_接线方式"));
  EXPECT_EQ(combo.kind, 1u);
  EXPECT_EQ(combo.items, (std::vector<std::string>{"星形接线", "角形接线"}));
  EXPECT_EQ(combo.current_item, 0);
  EXPECT_EQ(combo.content, "");

  EXPECT_EQ(UnitOf<forms::TimerUnit>(Record("时钟1")).period, 15u);

  for (const ControlRecord* panel : OfType(forms::kDrawPanelType)) {
    const auto unit = UnitOf<forms::DrawPanelUnit>(*panel);
    EXPECT_EQ(unit.border, 0u) << panel->name;
    EXPECT_EQ(unit.background, forms::kDefaultColour) << panel->name;
    EXPECT_EQ(unit.picture_mode, 2u) << panel->name;
  }
  const ControlRecord& star = Record("画板_星接");
  const ControlRecord& delta = Record("画板_角接");
  EXPECT_EQ(std::vector<int32_t>({star.left, star.width, star.height}),
            std::vector<int32_t>({delta.left, delta.width, delta.height}));

  for (const ControlRecord* button : OfType(forms::kButtonType)) {
    const auto unit = UnitOf<forms::ButtonUnit>(*button);
    EXPECT_EQ(unit.caption, "计算") << button->name;
    EXPECT_EQ(unit.kind, 0u) << button->name;
    EXPECT_FALSE(unit.font) << button->name;
  }
}

TEST_F(MainWindowTest, LabelLooks) {
  const std::set<std::string> engraved = {"标签12", "标签107", "标签108"};
  const std::set<std::string> notes = {"标签107", "标签108"};
  for (const ControlRecord* label : OfType(forms::kLabelType)) {
    SCOPED_TRACE(label->name);
    const auto unit = UnitOf<forms::LabelUnit>(*label);
    EXPECT_EQ(unit.effect, engraved.count(label->name) ? 1u : 0u);
    EXPECT_EQ(unit.word_wrap, notes.count(label->name) ? 1u : 0u);
    EXPECT_EQ(unit.font.has_value(), notes.count(label->name) == 1);
    EXPECT_EQ(unit.text_colour, label->name == "标签12"   ? kBlue
                                : label->name == "标签18" ? kRed
                                                          : forms::kBlack);
    EXPECT_EQ(unit.background, forms::kDefaultColour);
    EXPECT_EQ(unit.border, 0u);
    EXPECT_EQ(unit.horizontal_alignment, 0u);
    EXPECT_EQ(unit.vertical_alignment, 1u);
  }
  const auto note = UnitOf<forms::LabelUnit>(Record("标签108"));
  ASSERT_TRUE(note.font);
  EXPECT_EQ(note.font->face, "楷体_GB2312");
  EXPECT_EQ(note.font->height, -16);
  EXPECT_EQ(note.font->weight, 400);
  EXPECT_EQ(note.font->charset, 134);
  EXPECT_EQ(note.font->pitch_and_family, 0x31);  // fixed pitch, modern family
  EXPECT_EQ(note.caption, "注：本计算值按照标准公式计算，仅作为参考，实际使用时请参照经验值设置。");
  EXPECT_EQ(Record("标签12").width, 830);
}

std::string ExpectedContent(const std::string& name) {
  static const std::map<std::string, std::string> kByPrefix = {{"编辑框_Klm", "1.3"},
                                                               {"编辑框_B", "0.5"}};
  static const std::map<std::string, std::string> kByName = {
      {"编辑框_频率", "50"},  {"编辑框_电容电流1", "0"}, {"编辑框_Kv1", "1.1"},
      {"编辑框_Kv3", "1.1"},  {"编辑框_Kv5", "1.1"},     {"编辑框_Kv7", "1.1"},
      {"编辑框_Kv2", "1.15"}, {"编辑框_Kv4", "1.15"},    {"编辑框_Kv6", "1.15"},
      {"编辑框_Kv8", "1.15"}};
  if (kByName.count(name)) return kByName.at(name);
  for (const auto& [prefix, content] : kByPrefix)
    if (name.starts_with(prefix)) return content;
  return "";
}

TEST_F(MainWindowTest, EditBoxModesLooksAndInitialContents) {
  std::map<uint32_t, int> modes;
  for (const ControlRecord* edit : OfType(forms::kEditBoxType)) {
    SCOPED_TRACE(edit->name);
    const auto unit = UnitOf<forms::EditBoxUnit>(*edit);
    ++modes[unit.input_mode];
    EXPECT_EQ(unit.content, ExpectedContent(edit->name));
    const bool result = unit.input_mode == 1;
    EXPECT_EQ(unit.text_colour, result ? kBlue : forms::kBlack);
    const bool page1_result = result && edit->container == ids::分组框2;
    EXPECT_EQ(unit.font.has_value(), page1_result);
    if (page1_result) {
      EXPECT_EQ(unit.font->face, "宋体");
      EXPECT_EQ(unit.font->height, -12);
      EXPECT_EQ(unit.font->charset, 134);
      EXPECT_EQ(unit.font->pitch_and_family, 0x02);  // variable pitch
    }
    EXPECT_EQ(unit.border, 1u);
    EXPECT_EQ(unit.multi_line, 0u);
  }
  EXPECT_EQ(modes, (std::map<uint32_t, int>{{1, 16}, {7, 18}, {9, 41}}));
  EXPECT_EQ(UnitOf<forms::EditBoxUnit>(Record("编辑框_零序CT比")).input_mode, 9u);
  EXPECT_EQ(UnitOf<forms::EditBoxUnit>(Record("编辑框_零序CT比1")).input_mode, 9u);
  EXPECT_EQ(UnitOf<forms::EditBoxUnit>(Record("编辑框_CT变比")).input_mode, 7u);
  const ControlRecord& voltage = Record("编辑框_电容电压");
  EXPECT_EQ(std::vector<int32_t>({voltage.left, voltage.top, voltage.width, voltage.height}),
            std::vector<int32_t>({110, 32, 56, 24}));
}

TEST_F(MainWindowTest, TheTwentyFiveBindingsReachTheirOwnHandlers) {
  const struct {
    const char* control;
    int32_t event;
    const char* handler;
  } expected[] = {
      {"时钟1", 0, "OnBannerTimerTick"},
      {"组合框_接线方式", 0, "OnConnectionTypeSelected"},
      {"选择夹1", 0, "OnPagesClicked"},
      {"按钮_电容器计算", 0, "OnCapacitorParametersClicked"},
      {"编辑框_电容电压", -6, "OnCapacitorVoltageMouseMoved"},
      {"编辑框_电容电压", -7, "OnCapacitorVoltageGotFocus"},
      {"编辑框_电容电压1", -6, "OnOpenDeltaPhaseVoltageMouseMoved"},
      {"编辑框_线圈一次", -6, "OnOpenDeltaCoilPrimaryMouseMoved"},
      {"编辑框_线圈二次", -6, "OnOpenDeltaCoilSecondaryMouseMoved"},
      {"按钮_开口无熔丝", 0, "OnOpenDeltaFuselessClicked"},
      {"按钮_开口外熔丝", 0, "OnOpenDeltaExternalFuseClicked"},
      {"按钮_开口内熔丝", 0, "OnOpenDeltaInternalFuseClicked"},
      {"编辑框_电容电压2", -6, "OnDifferentialPhaseVoltageMouseMoved"},
      {"编辑框_线圈一次1", -6, "OnDifferentialCoilPrimaryMouseMoved"},
      {"编辑框_线圈二次1", -6, "OnDifferentialCoilSecondaryMouseMoved"},
      {"按钮_差动无熔丝", 0, "OnDifferentialFuselessClicked"},
      {"按钮_差动外熔丝", 0, "OnDifferentialExternalFuseClicked"},
      {"按钮_差动内熔丝", 0, "OnDifferentialInternalFuseClicked"},
      {"按钮_中性线电流无熔丝", 0, "OnNeutralLineFuselessClicked"},
      {"按钮_中性线电流外熔丝", 0, "OnNeutralLineExternalFuseClicked"},
      {"按钮_中性线电流内熔丝", 0, "OnNeutralLineInternalFuseClicked"},
      {"按钮_桥式差电流无熔丝", 0, "OnBridgeFuselessClicked"},
      {"按钮_桥式差电流外熔丝", 0, "OnBridgeExternalFuseClicked"},
      {"按钮_桥式差内熔丝", 0, "OnBridgeInternalFuseClicked"},
  };
  for (const auto& binding : expected) {
    const auto& bindings = Record(binding.control).bindings;
    auto found = std::find_if(bindings.begin(), bindings.end(),
                              [&](const forms::Binding& b) { return b.event == binding.event; });
    ASSERT_NE(found, bindings.end()) << binding.control << " " << binding.event;
    EXPECT_EQ(found->handler, HandlerIndex(binding.handler)) << binding.control;
  }
  std::set<uint32_t> handlers;
  size_t total = 0;
  for (const ControlRecord& record : Records()) {
    total += record.bindings.size();
    for (const forms::Binding& binding : record.bindings) handlers.insert(binding.handler);
  }
  EXPECT_EQ(total, 25u);  // the window's own and the 24 above: nothing else is bound
  EXPECT_EQ(handlers.size(), 25u);
  EXPECT_EQ(*handlers.rbegin(), kHandlerNames.size() - 1);
}

TEST_F(MainWindowTest, WritesBackToTheSameBytesAndNoShorterBlockLoads) {
  const auto block = forms::MainWindowTemplate();
  EXPECT_EQ(forms::SerializeTemplate(*parsed_), std::vector<uint8_t>(block.begin(), block.end()));
  EXPECT_FALSE(forms::ParseTemplate(block.first(block.size() - 1)));
  // Every length would take seconds under the sanitizers; a spread of them, and the tail,
  // where the last record ends, does not.
  const size_t tail = block.size() - 64;
  for (size_t size = 1; size < tail; size += 97)
    EXPECT_FALSE(forms::ParseTemplate(block.first(size))) << size;
  for (size_t size = tail; size < block.size(); ++size)
    EXPECT_FALSE(forms::ParseTemplate(block.first(size))) << size;
}

}  // namespace
