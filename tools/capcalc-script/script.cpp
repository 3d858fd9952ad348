#include "tools/capcalc-script/script.h"

#include <FL/Fl.H>
#include <FL/Fl_Widget.H>

#include <algorithm>
#include <cstdint>
#include <istream>
#include <map>
#include <ostream>

#include "calc/pages/main_window.h"
#include "forms/main_window_template.h"
#include "runtime/core/events.h"
#include "runtime/core/heap.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/core/property_access.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/platform/utf8.h"
#include "runtime/ui/controls/toolkit_control.h"
#include "runtime/ui/loop/focus.h"
#include "runtime/ui/loop/posted_calls.h"
#include "runtime/ui/tips/balloon_tip.h"
#include "tools/capcalc-script/measured_commands.h"
#include "tools/capcalc-script/open_command.h"
#include "tools/capcalc-script/sheet_command.h"
#include "tools/capcalc-script/starting_folder.h"

namespace script {
namespace {

// What went wrong with a line; empty when it ran.
using Problem = std::string;

// More ticks on one line are refused: ten million take about a minute already.
constexpr int kMaxTicks = 10'000'000;

struct Context {
  std::ostream& out;
  rt::LoadedWindow& window;
};

rt::ControlState* Named(Context& context, const Line& line) {
  if (!line.has_name || line.name.empty()) return nullptr;
  rt::ControlState* control = rt::FindControlByName(context.window, rt::Utf8ToGbk(line.name));
  return control && control->live ? control : nullptr;
}

Problem NoSuchControl(const Line& line) {
  return line.has_name ? "unknown control " + Quoted(line.name) : "missing control name";
}

Problem NotApplicable(const Line& line) {
  return Quoted(line.command) + " does not apply to " + line.name;
}

void PrintValue(Context& context, const Line& line, const std::string& index,
                const std::string& value) {
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
  if (form == rt::PropertyForm::kText)
    return rt::GbkToUtf8(rt::HeapText(static_cast<char*>(block)).view());
  if (form == rt::PropertyForm::kBytes) {
    static const char kHex[] = "0123456789abcdef";
    const rt::HeapBlock bytes(block);
    std::string hex;
    for (uint8_t byte : bytes.bytes()) {
      hex += kHex[byte >> 4];
      hex += kHex[byte & 15];
    }
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
  rt::SetProperty(context.window.window_id, control->record.control_id, calc::kContentProperty, -1,
                  text.lo, text.hi);
  return {};
}

Problem Select(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  if (!IsWholeNumber(line.rest)) return "item index expected, got " + Quoted(line.rest);
  std::optional<int> index = ParseNumber<int>(line.rest);
  if (!index || !control->live->UserPickItem(*index)) {
    return control->record.type_code == forms::kComboBoxType
               ? "no item " + Excerpt(line.rest) + " in " + line.name
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
  std::optional<int32_t> index = ParseNumber<int32_t>(line.rest);
  if (!index || *index < 0) return "property index expected, got " + Quoted(line.rest);
  const int32_t property = *index;
  if (property >= rt::kFirstTypeProperty &&
      !control->live->FormOf(property - rt::kFirstTypeProperty))
    return line.name + " has no property " + line.rest;
  uint64_t bits =
      rt::GetProperty(context.window.window_id, control->record.control_id, property, -1);
  PrintValue(context, line, line.rest, FormatProperty(*control, property, bits));
  return {};
}

Problem DumpTemplate(Context&, const Line& line) {
  // The path is everything after the command.
  std::string path = line.has_name ? line.name + (line.rest.empty() ? "" : " " + line.rest) : "";
  if (path.empty()) return "missing path";
  std::string reason;
  if (!rt::platform::ReplaceFileAtomically(rt::Utf8ToGbk(FromStartingFolder(path)),
                                           forms::MainWindowTemplate(), &reason))
    return CannotWrite(path, reason);
  return {};
}

// Keyboard input as the toolkit delivers it: one key event with the text it types.
void SendKey(Fl_Widget* widget, std::string_view utf8) {
  std::string text(utf8);
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

// Whether a handler hears each key typed into the control, or each change of its text.
bool KeysAreHeard(const Context& context, const rt::ControlState& control) {
  if (control.record.type_code != forms::kEditBoxType) return true;
  constexpr int32_t kContentChanged = 0;  // the edit box's own event
  for (int32_t event :
       {kContentChanged, int32_t{rt::kKeyDown}, int32_t{rt::kKeyUp}, int32_t{rt::kCharacter}}) {
    if (rt::HandlerBound(context.window.window_id, control.record.control_id, event)) return true;
  }
  return false;
}

// The length of the next piece of text to type: one character, or where no handler hears
// the keys a whole run of printable characters, as an input method delivers what it
// composed. The text is the same either way, but the toolkit's text field counts its whole
// content on every insert, so a long text typed key by key takes quadratic time.
size_t NextPiece(std::string_view text, bool key_by_key) {
  auto printable = [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F; };
  if (key_by_key || !printable(text.front())) return rt::Utf8CharacterLength(text);
  const auto end = std::find_if_not(text.begin(), text.end(), printable);
  return static_cast<size_t>(end - text.begin());
}

Problem Focus(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  Fl_Widget* widget = rt::WidgetOf(*control);
  if (!widget || !rt::GiveFocus(widget)) return line.name + " cannot take the focus";
  return {};
}

Problem Type(Context& context, const Line& line) {
  if (Problem problem = Focus(context, line); !problem.empty()) return problem;
  Fl_Widget* widget = rt::FocusedWidget();
  const bool key_by_key = KeysAreHeard(context, *Named(context, line));
  for (std::string_view rest = line.rest; !rest.empty();) {
    const size_t length = NextPiece(rest, key_by_key);
    SendKey(widget, rest.substr(0, length));
    rest.remove_prefix(length);
  }
  return {};
}

Problem Blur(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  Fl_Widget* widget = rt::WidgetOf(*control);
  Fl_Widget* focused = rt::FocusedWidget();
  if (widget && focused && widget->contains(focused)) rt::ClearFocus();
  return {};
}

// The page number is the only field: "page 2".
Problem Page(Context& context, const Line& line) {
  if (!line.rest.empty() || !IsWholeNumber(line.name)) return "page number expected";
  std::optional<int> page = ParseNumber<int>(line.name);
  for (rt::ControlState& control : context.window.controls) {
    if (control.record.type_code != forms::kTabType || !control.live) continue;
    if (!page || *page < 1 || !control.live->UserSelectPage(*page - 1))
      return "no page " + Excerpt(line.name);
    return {};
  }
  return "the window has no pages";
}

Problem Tick(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  if (control->record.type_code != forms::kTimerType) return NotApplicable(line);
  if (!IsWholeNumber(line.rest) || line.rest.front() == '-')
    return "tick count expected, got " + Quoted(line.rest);
  std::optional<int> count = ParseNumber<int>(line.rest);
  if (!count || *count > kMaxTicks)
    return "at most " + std::to_string(kMaxTicks) + " ticks at once, got " + Excerpt(line.rest);
  for (int i = 0; i < *count; ++i) control->live->Raise(0);
  return {};
}

// A mouse move over the middle of the control.
Problem Hover(Context& context, const Line& line) {
  rt::ControlState* control = Named(context, line);
  if (!control) return NoSuchControl(line);
  Fl_Widget* widget = rt::WidgetOf(*control);
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
      {"set", Set},
      {"select", Select},
      {"click", Click},
      {"get", Get},
      {"prop", Prop},
      {"type", Type},
      {"focus", Focus},
      {"blur", Blur},
      {"page", Page},
      {"tick", Tick},
      {"hover", Hover},
      {"tip", Tip},
      {"dump-template", DumpTemplate},
      {"sheet",
       [](Context& context, const Line& line) { return WriteSheet(context.window, line); }},
      {"measured",
       [](Context& context, const Line& line) { return LoadMeasured(context.window, line); }},
      {"rebalance",
       [](Context& context, const Line& line) {
         return WriteRebalanced(context.window, line, context.out);
       }},
      {"open", [](Context&, const Line& line) { return OpenSheet(line); }},
  };
  return kCommands;
}

Problem RunLine(Context& context, std::string_view text) {
  std::optional<Line> line = SplitLine(text);
  if (!line) return {};
  auto command = Commands().find(line->command);
  Problem problem = command == Commands().end() ? "unknown command " + Quoted(line->command)
                                                : command->second(context, *line);
  rt::RunPostedCalls();
  return problem;
}

}  // namespace

int RunScript(std::istream& in, std::ostream& out, std::ostream& err, std::string_view source) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(calc::kMainWindowId);
  Context context{out, *window};
  std::string text;
  Problem problem;
  int64_t number = 0;
  try {
    while (problem.empty() && out) {
      const LineRead read = ReadLine(in, &text);
      if (read == LineRead::kEnd) break;
      if (++number == 1 && text.starts_with(kUtf8ByteOrderMark))
        text.erase(0, kUtf8ByteOrderMark.size());
      problem = read == LineRead::kTooLong
                    ? "longer than " + std::to_string(kMaxLineBytes) + " bytes"
                    : RunLine(context, text);
    }
  } catch (const std::ios_base::failure& failure) {
    err << "capcalc-script: cannot read " << source << ": " << failure.code().message() << "\n";
    return 2;
  }
  out.flush();
  if (!out) {
    err << "capcalc-script: cannot write the output\n";
    return 1;
  }
  if (problem.empty()) return 0;
  err << "line " << number << ": " << problem << "\n";
  return 2;
}

}  // namespace script
