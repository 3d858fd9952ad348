#include "tools/formc/description.h"

#include <cstdio>
#include <map>
#include <optional>
#include <set>

#include "forms/unit_data.h"
#include "forms/unit_fields.h"
#include "tools/formc/field_setter.h"

namespace formc {
namespace {

using forms::ControlRecord;

struct ControlType {
  const char* name;
  uint32_t code;
  uint32_t default_flags;
  bool holds_controls;
};

// Visible unless never shown; types that take the focus are tab stops.
constexpr uint32_t kVisible = forms::kVisible;
constexpr uint32_t kFocusable = forms::kVisible | forms::kTabStop;
constexpr ControlType kControlTypes[] = {
    {"window", forms::kWindowType, kVisible, false},
    {"Tab", forms::kTabType, kVisible, true},
    {"GroupBox", forms::kGroupBoxType, kVisible, true},
    {"Label", forms::kLabelType, kVisible, false},
    {"EditBox", forms::kEditBoxType, kFocusable, false},
    {"Button", forms::kButtonType, kFocusable, false},
    {"DrawPanel", forms::kDrawPanelType, kVisible, false},
    {"ComboBox", forms::kComboBoxType, kFocusable, false},
    {"Timer", forms::kTimerType, 0, false},
    {"Q_tip", forms::kBalloonTipType, 0, false},
};

// A `control` block as written.
struct ControlBlock {
  const Line* header;
  std::string name;  // UTF-8; empty for an unnamed record such as the window's own
  const ControlType* type;
  uint32_t id;
  std::vector<const Line*> lines;
};

struct WindowBlock {
  const Line* header;
  std::string symbol;
  uint32_t id;
  std::vector<const Line*> settings;
  std::vector<ControlBlock> controls;
};

// A control compiled from its block, before container names are resolved.
struct Control {
  const ControlBlock* block;
  ControlRecord record;
  forms::UnitData unit;
  const Line* container_line = nullptr;
  std::optional<size_t> parent;  // index of the container in the window's controls
  std::vector<const Line*> pages;
};

const ControlType& ParseType(const Line& line, const Token& token) {
  for (const ControlType& type : kControlTypes)
    if (token.text == type.name) return type;
  Fail(line, "unknown control type '" + token.text + "'");
}

ControlBlock ParseControlHeader(const Line& line) {
  ExpectArgs(line, 3);
  const Token& name = line.args[0];
  ControlBlock block{&line,
                     name.text.empty() ? "" : ParseName(line, name),
                     &ParseType(line, line.args[1]),
                     ParseNumber<uint32_t>(line, line.args[2]),
                     {}};
  if (!forms::IsValidId(block.id) || forms::IsMenuItemId(block.id))
    Fail(line, "'" + line.args[2].text + "' is not a control id");
  return block;
}

WindowBlock ParseWindowHeader(const Line& line) {
  ExpectArgs(line, 2);
  WindowBlock block{
      &line, ParseName(line, line.args[0]), ParseNumber<uint32_t>(line, line.args[1]), {}, {}};
  if (!forms::IsValidId(block.id)) Fail(line, "'" + line.args[1].text + "' is not a window id");
  return block;
}

std::vector<WindowBlock> GroupBlocks(const std::vector<Line>& lines) {
  std::vector<WindowBlock> windows;
  for (const Line& line : lines) {
    if (line.key == "window") {
      windows.push_back(ParseWindowHeader(line));
    } else if (windows.empty()) {
      Fail(line, "the description starts with a 'window' line");
    } else if (line.key == "control") {
      windows.back().controls.push_back(ParseControlHeader(line));
    } else if (windows.back().controls.empty()) {
      windows.back().settings.push_back(&line);
    } else {
      windows.back().controls.back().lines.push_back(&line);
    }
  }
  return windows;
}

// Names become constants of one header and ids identify records, so neither may repeat:
// names across the whole description, control ids within a window, window ids across it.
void CheckUnique(const std::vector<WindowBlock>& windows) {
  std::set<std::string> names;
  std::set<uint32_t> window_ids;
  for (const WindowBlock& window : windows) {
    if (!names.insert(window.symbol).second) Fail(*window.header, "name given twice");
    if (!window_ids.insert(window.id).second) Fail(*window.header, "window id given twice");
    std::set<uint32_t> control_ids;
    for (const ControlBlock& control : window.controls) {
      if (!control.name.empty() && !names.insert(control.name).second)
        Fail(*control.header, "name '" + control.name + "' given twice");
      if (!control_ids.insert(control.id).second)
        Fail(*control.header, "control id " + control.header->args[2].text + " given twice");
    }
  }
}

void ApplyWindowSetting(forms::WindowEntry& entry, const Line& line) {
  if (line.key == "values") {
    ExpectArgs(line, 2);
    entry.value1 = ParseNumber<uint32_t>(line, line.args[0]);
    entry.value2 = ParseNumber<uint32_t>(line, line.args[1]);
  } else if (line.key == "text1" || line.key == "text2") {
    ExpectArgs(line, 1);
    (line.key == "text1" ? entry.text1 : entry.text2) = ParseGbkText(line, line.args[0]);
  } else {
    Fail(line, "'" + line.key + "' is not a window setting (values, text1, text2)");
  }
}

uint32_t HandlerIndex(const Line& line, const Token& name,
                      const std::vector<std::string>& handlers) {
  for (size_t i = 0; i < handlers.size(); ++i)
    if (handlers[i] == name.text) return static_cast<uint32_t>(i);
  Fail(line, "unknown handler '" + name.text + "'");
}

void AddBinding(ControlRecord& record, const Line& line, const std::vector<std::string>& handlers) {
  ExpectArgs(line, 2);
  const int32_t event = ParseNumber<int32_t>(line, line.args[0]);
  for (const forms::Binding& binding : record.bindings)
    if (binding.event == event) Fail(line, "event " + line.args[0].text + " bound twice");
  record.bindings.push_back({event, HandlerIndex(line, line.args[1], handlers)});
}

void SetGeometry(ControlRecord& record, const Line& line) {
  ExpectArgs(line, 4);
  record.left = ParseNumber<int32_t>(line, line.args[0]);
  record.top = ParseNumber<int32_t>(line, line.args[1]);
  record.width = ParseNumber<int32_t>(line, line.args[2]);
  record.height = ParseNumber<int32_t>(line, line.args[3]);
}

uint32_t UnitVersion(const ControlBlock& block, const Line* version_line) {
  const uint32_t highest = forms::HighestUnitDataVersion(block.type->code);
  if (!version_line) return highest;
  if (highest == 0) Fail(*version_line, std::string(block.type->name) + " stores no unit data");
  ExpectArgs(*version_line, 1);
  const uint32_t version = ParseNumber<uint32_t>(*version_line, version_line->args[0]);
  if (version < 1 || version > highest)
    Fail(*version_line,
         std::string(block.type->name) + " unit data has versions 1 to " + std::to_string(highest));
  return version;
}

void SetUnitField(forms::UnitData& unit, uint32_t version, const ControlBlock& block,
                  const Line& line, FileReader& files) {
  FieldSetter setter(line, files);
  std::visit([&](auto& u) { forms::VisitUnitFields(setter, u, version); }, unit);
  if (!setter.matched())
    Fail(line, "'" + line.key + "' is not a setting of " + block.type->name +
                   " (unit data version " + std::to_string(version) + ")");
}

// Sorts the lines of a block: record settings are applied at once, the rest are returned
// as unit data fields, to be applied once the version is known.
std::vector<const Line*> ApplyRecordSettings(Control& control, const Line*& version_line,
                                             const std::vector<std::string>& handlers) {
  ControlRecord& record = control.record;
  std::vector<const Line*> fields;
  std::set<std::string> seen;
  for (const Line* line : control.block->lines) {
    const std::string& key = line->key;
    if (key != "on" && key != "page" && !seen.insert(key).second)
      Fail(*line, "'" + key + "' given twice");
    if (key == "in") {
      ExpectArgs(*line, 1);
      control.container_line = line;
    } else if (key == "at") {
      SetGeometry(record, *line);
    } else if (key == "flags" || key == "tab_order") {
      ExpectArgs(*line, 1);
      (key == "flags" ? record.flags : record.tab_order) =
          ParseNumber<uint32_t>(*line, line->args[0]);
    } else if (key == "tag") {
      ExpectArgs(*line, 1);
      record.tag = ParseGbkText(*line, line->args[0]);
    } else if (key == "on") {
      AddBinding(record, *line, handlers);
    } else if (key == "page") {
      if (record.type_code != forms::kTabType) Fail(*line, "only a Tab has pages");
      control.pages.push_back(line);
    } else if (key == "version") {
      version_line = line;
    } else {
      fields.push_back(line);
    }
  }
  if (!seen.count("at")) Fail(*control.block->header, "no 'at LEFT TOP WIDTH HEIGHT' line");
  return fields;
}

Control CompileControl(const ControlBlock& block, const std::vector<std::string>& handlers,
                       FileReader& files) {
  Control control{&block, {}, *forms::DefaultUnitData(block.type->code), nullptr, {}, {}};
  ControlRecord& record = control.record;
  record.control_id = block.id;
  record.type_code = block.type->code;
  record.name = ToGbk(*block.header, block.name);
  record.flags = block.type->default_flags;
  record.mouse_pointer.assign(sizeof(uint32_t), 0);  // pointer kind 0: the default pointer

  const Line* version_line = nullptr;
  const auto fields = ApplyRecordSettings(control, version_line, handlers);
  const uint32_t version = UnitVersion(block, version_line);
  for (const Line* line : fields) SetUnitField(control.unit, version, block, *line, files);
  record.unit_data = forms::SerializeUnitData(control.unit, version);
  return control;
}

void CheckRecordKinds(const WindowBlock& window) {
  if (window.controls.empty() || window.controls[0].type->code != forms::kWindowType)
    Fail(*window.header, "the window's first record is its own, of type window");
  for (size_t i = 1; i < window.controls.size(); ++i)
    if (window.controls[i].type->code == forms::kWindowType)
      Fail(*window.controls[i].header, "a window has one record of type window, its first");
}

std::map<std::string, size_t> IndexByName(const std::vector<Control>& controls) {
  std::map<std::string, size_t> index;
  for (size_t i = 0; i < controls.size(); ++i)
    if (!controls[i].block->name.empty()) index[controls[i].block->name] = i;
  return index;
}

size_t FindControl(const std::map<std::string, size_t>& index, const Line& line, const Token& name,
                   const char* role) {
  auto found = index.find(name.text);
  if (found == index.end()) Fail(line, std::string("unknown ") + role + " '" + name.text + "'");
  return found->second;
}

// A loop of containers would leave the runtime moving controls into each other forever.
void CheckNoContainerLoop(const std::vector<Control>& controls, const Control& control) {
  std::optional<size_t> up = control.parent;
  for (size_t steps = 0; up; ++steps, up = controls[*up].parent)
    if (steps == controls.size()) Fail(*control.container_line, "containers form a loop");
}

void ResolveContainers(std::vector<Control>& controls, const std::map<std::string, size_t>& index) {
  for (size_t i = 0; i < controls.size(); ++i) {
    Control& control = controls[i];
    if (!control.container_line) continue;
    const Line& line = *control.container_line;
    const size_t parent = FindControl(index, line, line.args[0], "container");
    const ControlBlock& block = *controls[parent].block;
    if (!block.type->holds_controls || parent == i)
      Fail(line, "'" + block.name + "' cannot hold this control");
    control.parent = parent;
    control.record.container = block.id;
  }
  for (const Control& control : controls) CheckNoContainerLoop(controls, control);
}

// A Tab's child list is its page lists one after another, each ended by a 0 entry. Every
// control in the Tab stands on exactly one page, and there is a list for every page title.
void FillPages(std::vector<Control>& controls, size_t tab_index,
               const std::map<std::string, size_t>& index) {
  Control& tab = controls[tab_index];
  std::set<size_t> listed;
  for (const Line* line : tab.pages) {
    for (const Token& name : line->args) {
      const size_t i = FindControl(index, *line, name, "control");
      if (controls[i].parent != tab_index)
        Fail(*line, "'" + name.text + "' is not in '" + tab.block->name + "'");
      if (!listed.insert(i).second) Fail(*line, "'" + name.text + "' is on two pages");
      tab.record.children.push_back(controls[i].block->id);
    }
    tab.record.children.push_back(0);
  }
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i].parent == tab_index && !listed.count(i))
      Fail(*controls[i].container_line, "'" + controls[i].block->name + "' is on no page");
  const size_t titles = std::get<forms::TabUnit>(tab.unit).pages.size();
  if (titles != tab.pages.size())
    Fail(*tab.block->header, std::to_string(titles) + " page titles but " +
                                 std::to_string(tab.pages.size()) + " 'page' lines");
}

// Other containers list their controls in the order of the description.
void FillChildLists(std::vector<Control>& controls, const std::map<std::string, size_t>& index) {
  for (const Control& control : controls) {
    if (!control.parent) continue;
    Control& parent = controls[*control.parent];
    if (parent.record.type_code != forms::kTabType)
      parent.record.children.push_back(control.block->id);
  }
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i].record.type_code == forms::kTabType) FillPages(controls, i, index);
}

forms::WindowEntry CompileWindow(const WindowBlock& window,
                                 const std::vector<std::string>& handlers, FileReader& files) {
  CheckRecordKinds(window);
  forms::WindowEntry entry;
  entry.window_id = window.id;
  for (const Line* line : window.settings) ApplyWindowSetting(entry, *line);

  std::vector<Control> controls;
  for (const ControlBlock& block : window.controls)
    controls.push_back(CompileControl(block, handlers, files));
  const auto index = IndexByName(controls);
  ResolveContainers(controls, index);
  FillChildLists(controls, index);
  for (Control& control : controls) entry.records.push_back(std::move(control.record));
  return entry;
}

std::string IdConstant(const std::string& name, uint32_t id) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%08X", id);
  return "inline constexpr uint32_t " + name + " = " + hex + ";\n";
}

std::string IdsHeader(const std::string& description_path,
                      const std::vector<WindowBlock>& windows) {
  std::string header = "// Generated by formc from " +
                       std::filesystem::path(description_path).filename().string() +
                       "; edit the description, not this file.\n"
                       "#pragma once\n\n#include <cstdint>\n\nnamespace ids {\n";
  for (const WindowBlock& window : windows) {
    header += "\n" + IdConstant(window.symbol, window.id);
    for (const ControlBlock& control : window.controls)
      if (!control.name.empty()) header += IdConstant(control.name, control.id);
  }
  return header + "\n}  // namespace ids\n";
}

}  // namespace

std::vector<std::string> ReadHandlerNames(const SourceFile& file) {
  static const std::string kOpen = "HANDLER(";
  std::vector<std::string> names;
  const auto contents = SplitLines(file.text);
  for (size_t i = 0; i < contents.size(); ++i) {
    std::string text(contents[i]);
    text.erase(0, text.find_first_not_of(" \t"));
    text.erase(text.find_last_not_of(" \t\r") + 1);
    if (text.empty() || text.starts_with("//")) continue;
    const Line line{file.path + ":" + std::to_string(i + 1), {}, {}};
    if (!text.starts_with(kOpen) || !text.ends_with(')')) Fail(line, "expected HANDLER(Name)");
    const Token name{text.substr(kOpen.size(), text.size() - kOpen.size() - 1), false};
    for (const std::string& known : names)
      if (known == name.text) Fail(line, "handler '" + known + "' listed twice");
    names.push_back(ParseName(line, name));
  }
  return names;
}

Compiled Compile(const SourceFile& description, const std::vector<std::string>& handlers,
                 const std::filesystem::path& root) {
  const std::vector<Line> lines = ReadLines(description);
  const std::vector<WindowBlock> windows = GroupBlocks(lines);
  CheckUnique(windows);
  FileReader files(root);
  Compiled compiled;
  for (const WindowBlock& window : windows)
    compiled.tmpl.windows.push_back(CompileWindow(window, handlers, files));
  compiled.ids_header = IdsHeader(description.path, windows);
  compiled.files_read = files.files_read();
  return compiled;
}

}  // namespace formc
