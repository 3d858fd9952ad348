#include "tools/capcalc-script/script.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <istream>
#include <map>
#include <ostream>

#include "calc/main_window.h"
#include "forms/main_window_template.h"
#include "runtime/controls/balloon_tip.h"
#include "runtime/controls/focus.h"
#include "runtime/controls/live_control.h"
#include "runtime/events.h"
#include "runtime/gbk.h"
#include "runtime/heap.h"
#include "runtime/loaded_windows.h"
#include "runtime/posted_calls.h"
#include "runtime/property_access.h"
#include "tools/capcalc-script/sheet_command.h"

namespace script {
namespace {

// What went wrong with a line; empty when it ran.
using Problem = std::string;

struct Context {
  std::ostream& out;
  rt::LoadedWindow& window;
};

std::optional<long long> ParseNumber(std::string_view text) {
  long long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

rt::ControlState* Named(Context& context, const Line& line) {
  if (!line.has_name || line.name.empty()) return nullptr;
  rt::ControlState* control = rt::FindControlByName(context.window, rt::Utf8ToGbk(line.name));
  return control && control->live ? control : nullptr;
}

Problem NoSuchControl(const Line& line) {
  return line.has_name ? "unknown control \"" + line.name + "\"" : "missing control name";
}

Problem NotApplicable(const Line& line) {
  return "\"" + line.command + "\" does not apply to " + line.name;
}

void PrintValue(Context& context, const Line& line, const std::string& index, const std::string& value) {
  context.out << line.name << (index.empty() ? "" : "." + index) << "=" << value << "\n";
}

// The value of a property read, printed by its form: numbers in decimal, texts as they
// are, byte arrays in hexadecimal.
std::string FormatProperty(rt::ControlState& control, int32_t index, uint64_t bits) {
  std::optional<rt::PropertyForm> form;
  if (index == rt::kTag) form = rt::PropertyForm::kText;
  if (index == rt::kMousePointer) form = rt::PropertyForm::kBytes;
  if (index >= rt::kFirstTypeProperty) form = control.live->FormOf(index - rt::kFirstTypeProperty);
  void* block = reinterpret_cast<void*>(static_cast<uintptr_t>(bits));
  if (form == rt::PropertyForm::kText) {
    std::string text = block ? rt::GbkToUtf8(static_cast<const char*>(block)) : "";
    rt::FreeMem(block);
    return text;
  }
  if (form == rt::PropertyForm::kBytes) {
    static const char kHex[] = "0123456789abcdef";
    std::string hex;
    for (uint32_t i = 0; i < rt::BytesCount(block); ++i) {
      uint8_t byte = rt::BytesData(block)[i];
      hex += kHex[byte >> 4];
      hex += kHex[byte & 15];
    }
    rt::FreeMem(block);
    return hex;
  }
  if (form == rt::PropertyForm::kLong) return std::to_string(static_cast<int64_t>(bits));
  return std::to_string(static_cast<int32_t>(bits));
}

Problem Set(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  if (control->record.type_code != forms::kEditBoxType) return NotApplicable(line);
  std::string gbk = rt::Utf8ToGbk(line.rest);
  rt::Value text = rt::MakeText(gbk.c_str());
  rt::SetProperty(context.window.window_id, control->record.control_id, calc::kContentProperty,
                  -1, text.lo, text.hi);
  return {};
}

Problem Select(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  std::optional<long long> index = ParseNumber(line.rest);
  if (!index) return "item index expected, got \"" + line.rest + "\"";
  if (!control->live->UserPickItem(static_cast<int>(*index))) {
    return control->record.type_code == forms::kComboBoxType
               ? "no item " + line.rest + " in " + line.name
               : NotApplicable(line);
  }
  return {};
}

Problem Click(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  if (!control->live->UserClick()) return NotApplicable(line);
  return {};
}

Problem Get(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  PrintValue(context, line, "", rt::GbkToUtf8(control->live->DisplayedText()));
  return {};
}

Problem Prop(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  std::optional<long long> index = ParseNumber(line.rest);
  if (!index || *index < 0 || *index > INT32_MAX) return "property index expected, got \"" + line.rest + "\"";
  auto property = static_cast<int32_t>(*index);
  if (property >= rt::kFirstTypeProperty && !control->live->FormOf(property - rt::kFirstTypeProperty))
    return line.name + " has no property " + line.rest;
  uint64_t bits = rt::GetProperty(context.window.window_id, control->record.control_id, property, -1);
  PrintValue(context, line, line.rest, FormatProperty(*control, property, bits));
  return {};
}

Problem DumpTemplate(Context&, const Line& line) {
  // The path is everything after the command.
  std::string path = line.has_name ? line.name + (line.rest.empty() ? "" : " " + line.rest) : "";
  if (path.empty()) return "missing path";
  std::ofstream file(path, std::ios::binary);
  std::span<const uint8_t> block = forms::MainWindowTemplate();
  file.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
  if (!file) return "cannot write " + path;
  return {};
}

// Keyboard input as the toolkit delivers it: one key event per character.
void SendCharacter(Fl_Widget* widget, const std::string& utf8) {
  std::string text = utf8;
  Fl::e_text = text.data();
  Fl::e_length = static_cast<int>(text.size());
  Fl::e_keysym = text.size() == 1 ? static_cast<unsigned char>(text[0]) : 0;
  Fl::e_state = 0;
  Fl::e_number = FL_KEYBOARD;
  widget->handle(FL_KEYBOARD);
  Fl::e_number = FL_KEYUP;
  widget->handle(FL_KEYUP);
  Fl::e_text = nullptr;
  Fl::e_length = 0;
}

Problem Focus(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  Fl_Widget* widget = control->live->widget();
  if (!widget || !rt::GiveFocus(widget)) return line.name + " cannot take the focus";
  return {};
}

Problem Type(Context& context, const Line& line) {
  if (Problem problem = Focus(context, line); !problem.empty()) return problem;
  Fl_Widget* widget = rt::FocusedWidget();
  for (size_t i = 0; i < line.rest.size();) {
    size_t n = rt::Utf8CharacterLength(std::string_view(line.rest).substr(i));
    SendCharacter(widget, line.rest.substr(i, n));
    i += n;
  }
  return {};
}

Problem Blur(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  Fl_Widget* widget = control->live->widget();
  Fl_Widget* focused = rt::FocusedWidget();
  if (widget && focused && widget->contains(focused)) rt::ClearFocus();
  return {};
}

// The page number is the only field: "page 2".
Problem Page(Context& context, const Line& line) {
  std::optional<long long> page = line.rest.empty() ? ParseNumber(line.name) : std::nullopt;
  if (!page) return "page number expected";
  for (rt::ControlState& control : context.window.controls) {
    if (control.record.type_code != forms::kTabType || !control.live) continue;
    if (*page < 1 || !control.live->UserSelectPage(static_cast<int>(*page - 1)))
      return "no page " + line.name;
    return {};
  }
  return "the window has no pages";
}

Problem Tick(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  if (control->record.type_code != forms::kTimerType) return NotApplicable(line);
  std::optional<long long> count = ParseNumber(line.rest);
  if (!count || *count < 0) return "tick count expected, got \"" + line.rest + "\"";
  for (long long i = 0; i < *count; ++i) control->live->Raise(0);
  return {};
}

// A mouse move over the middle of the control.
Problem Hover(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  Fl_Widget* widget = control->live->widget();
  if (!widget) return NotApplicable(line);
  rt::EventArgs args;
  args.count = 3;
  args.values[0] = widget->w() / 2;
  args.values[1] = widget->h() / 2;
  control->live->Raise(rt::kMouseMoved, args);
  return {};
}

Problem Tip(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  for (rt::ControlState& candidate : context.window.controls) {
    if (candidate.record.type_code != forms::kBalloonTipType || !candidate.live) continue;
    std::optional<std::string> tip =
        rt::WholeControlTip(*candidate.live, context.window.window_id, control->record.control_id);
    PrintValue(context, line, "", rt::GbkToUtf8(tip.value_or("")));
    return {};
  }
  PrintValue(context, line, "", "");
  return {};
}

using CommandFunction = Problem (*)(Context&, const Line&);

const std::map<std::string, CommandFunction>& Commands() {
  static const std::map<std::string, CommandFunction> kCommands = {
      {"set", Set},     {"select", Select}, {"click", Click}, {"get", Get},
      {"prop", Prop},   {"type", Type},     {"focus", Focus}, {"blur", Blur},
      {"page", Page},   {"tick", Tick},     {"hover", Hover}, {"tip", Tip},
      {"dump-template", DumpTemplate},
      {"sheet", [](Context& context, const Line& line) { return WriteSheet(context.window, line); }},
  };
  return kCommands;
}

}  // namespace

std::optional<Line> SplitLine(std::string_view text) {
  if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
  if (text.empty() || text.front() == '#') return std::nullopt;
  Line line;
  size_t first = text.find(' ');
  line.command = std::string(text.substr(0, first));
  if (first == std::string_view::npos) return line;
  std::string_view after = text.substr(first + 1);
  size_t second = after.find(' ');
  line.has_name = true;
  line.name = std::string(after.substr(0, second));
  if (second != std::string_view::npos) line.rest = std::string(after.substr(second + 1));
  return line;
}

int RunScript(std::istream& in, std::ostream& out, std::ostream& err) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(calc::kMainWindowId);
  Context context{out, *window};
  std::string text;
  for (long number = 1; std::getline(in, text); ++number) {
    std::optional<Line> line = SplitLine(text);
    if (!line) continue;
    auto command = Commands().find(line->command);
    Problem problem = command == Commands().end() ? "unknown command \"" + line->command + "\""
                                                  : command->second(context, *line);
    rt::RunPostedCalls();
    if (!problem.empty()) {
      out.flush();
      err << "line " << number << ": " << problem << "\n";
      return 2;
    }
  }
  return 0;
}

}  // namespace script
