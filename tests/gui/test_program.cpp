#include "tests/gui/test_program.h"

#include <X11/keysym.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <stdexcept>
#include <utility>

#include "forms/main_window_template.h"
#include "forms/template.h"
#include "runtime/core/loaded_windows.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/loop/toolkit_interface.h"

namespace gui {

using namespace ids;

const uint32_t kFirstPageResults[12] = {
    编辑框_电容电流,  编辑框_电容电流2, 编辑框_电容电流6, 编辑框_电容电流1,
    编辑框_电容输出,  编辑框_电容电流7, 编辑框_XC,        编辑框_调谐频率,
    编辑框_电容电流8, 编辑框_XL,        编辑框_补偿容量,  编辑框_电容电流9,
};

namespace {

constexpr size_t kMaxBindings = 24;

struct ChildState {
  const Reports* reports = nullptr;
  TestProgram program;
  std::vector<uint8_t> window_template;
};

ChildState& InChild() {
  static ChildState state;
  return state;
}

const forms::Template& RealTemplate() {
  static const forms::Template parsed = *forms::ParseTemplate(forms::MainWindowTemplate());
  return parsed;
}

// The real window with the test's bindings instead of the calculator's: binding i calls
// handler i.
std::vector<uint8_t> TestTemplate(const std::vector<TestBinding>& bindings) {
  forms::Template tmpl = RealTemplate();
  std::vector<forms::ControlRecord>& records = tmpl.windows.at(0).records;
  for (forms::ControlRecord& record : records) record.bindings.clear();
  for (size_t i = 0; i < bindings.size(); ++i) {
    for (forms::ControlRecord& record : records) {
      if (record.control_id == bindings[i].control_id)
        record.bindings.push_back({bindings[i].event, static_cast<uint32_t>(i)});
    }
  }
  return forms::SerializeTemplate(tmpl);
}

std::string ControlName(uint32_t control_id) {
  rt::LoadedWindow* window = rt::FindLoadedWindow(ids::kMainWindowId);
  rt::ControlState* control = window ? rt::FindRecord(*window, control_id) : nullptr;
  if (!control) return "?";
  return control->record.name.empty() ? "window" : rt::GbkToUtf8(control->record.name);
}

template <size_t I>
rt::HandlerResult TestHandler(const rt::EventArgs& args) {
  const TestBinding& binding = InChild().program.bindings.at(I);
  std::string line = ControlName(binding.control_id) + " " + std::to_string(binding.event);
  for (int i = 0; i < args.count; ++i) line += " " + std::to_string(args.values[i]);
  Report(line);
  if (binding.action) binding.action();
  return binding.answer;
}

template <size_t... I>
constexpr std::array<rt::Handler, sizeof...(I)> MakeHandlers(std::index_sequence<I...>) {
  return {&TestHandler<I>...};
}

constexpr std::array<rt::Handler, kMaxBindings> kHandlers =
    MakeHandlers(std::make_index_sequence<kMaxBindings>());

const forms::ControlRecord& RecordOf(uint32_t control_id) {
  for (const forms::ControlRecord& record : RealTemplate().windows.at(0).records) {
    if (record.control_id == control_id) return record;
  }
  throw std::invalid_argument("no control " + std::to_string(control_id));
}

}  // namespace

Reports::Reports() {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  read_ = fds[0];
  write_ = fds[1];
}

Reports::~Reports() {
  close(read_);
  if (write_ >= 0) close(write_);
}

void Reports::Write(const std::string& line) const {
  std::string text = line + "\n";
  // Lines are short: one write each keeps them whole even from several threads.
  if (write(write_, text.data(), text.size()) < 0) _exit(126);
}

void Reports::CloseWriter() {
  close(write_);
  write_ = -1;
}

std::optional<std::string> Reports::Next(std::chrono::milliseconds timeout) {
  return NextBefore(std::chrono::steady_clock::now() + timeout);
}

std::optional<std::string> Reports::NextBefore(std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    size_t end = buffered_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffered_.substr(0, end);
      buffered_.erase(0, end + 1);
      return line;
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd fd{read_, POLLIN, 0};
    if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
    char chunk[512];
    ssize_t n = read(read_, chunk, sizeof chunk);
    if (n <= 0) return std::nullopt;  // the child has ended
    buffered_.append(chunk, static_cast<size_t>(n));
  }
}

bool Reports::WaitFor(const std::string& line, std::chrono::milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::optional<std::string> next = NextBefore(deadline)) {
    if (*next == line) return true;
  }
  return false;
}

std::vector<std::string> Reports::Collect(std::chrono::milliseconds time) {
  auto deadline = std::chrono::steady_clock::now() + time;
  std::vector<std::string> lines;
  while (std::optional<std::string> next = NextBefore(deadline)) lines.push_back(*next);
  return lines;
}

void Report(const std::string& line) { InChild().reports->Write(line); }

int RunTestProgram(const Reports& reports, TestProgram program) {
  if (program.bindings.size() > kMaxBindings) return 125;
  ChildState& child = InChild();
  child.reports = &reports;
  child.program = std::move(program);
  child.window_template = TestTemplate(child.program.bindings);
  static rt::ProgramDescription description;
  description.handlers = kHandlers;
  description.window_template = child.window_template;
  rt::InitRuntime(description, rt::ToolkitInterface(rt::DisplayMode::kOnScreen));
  rt::SetEndRoutine(child.program.end_routine);
  rt::LoadStartWindow(ids::kMainWindowId);
  if (child.program.before_loop) child.program.before_loop();
  rt::WaitForEnd();
  rt::EndProgram(0);
}

std::string ControlName(uint32_t control_id) { return rt::GbkToUtf8(RecordOf(control_id).name); }

ClientRect ControlRect(uint32_t control_id) {
  const forms::ControlRecord* record = &RecordOf(control_id);
  ClientRect rect{record->left, record->top, record->width, record->height};
  while (record->container != 0) {
    record = &RecordOf(record->container);
    rect.x += record->left;
    rect.y += record->top;
  }
  return rect;
}

int PageOf(uint32_t control_id) {
  const forms::ControlRecord* record = &RecordOf(control_id);
  while (record->container != 0 && RecordOf(record->container).type_code != forms::kTabType)
    record = &RecordOf(record->container);
  if (record->container == 0) return 0;
  int page = 1;
  for (uint32_t id : RecordOf(record->container).children) {
    if (id == 0) ++page;
    if (id == record->control_id) return page;
  }
  return 0;
}

std::vector<uint32_t> EditBoxes() {
  std::vector<uint32_t> boxes;
  for (const forms::ControlRecord& record : RealTemplate().windows.at(0).records) {
    if (record.type_code == forms::kEditBoxType) boxes.push_back(record.control_id);
  }
  return boxes;
}

const forms::ControlRecord& MainWindowRecord() {
  return RealTemplate().windows.at(0).records.at(0);
}

void WindowGuiTest::FindMainWindow() {
  window_ = WaitForWindow(display(), Utf8(u8"电容器相关计算"));
  ASSERT_NE(window_, 0u) << "the main window did not appear";
  origin_ = WindowGeometry(display(), window_);
  Settle();
}

void WindowGuiTest::ClickAt(int x, int y, unsigned button, unsigned modifiers) {
  Click(display(), origin_.x + x, origin_.y + y, button, modifiers);
}

void WindowGuiTest::ClickOn(uint32_t control_id, unsigned button) {
  ClientRect r = ControlRect(control_id);
  ClickAt(r.centre_x(), r.centre_y(), button);
}

std::vector<uint32_t> WindowGuiTest::ControlPixels(uint32_t control_id) {
  ClientRect r = ControlRect(control_id);
  return WindowPixels(display(), window_, {r.x, r.y, r.width, r.height});
}

void WindowGuiTest::TabRound(int page, unsigned modifiers) {
  const auto boxes =
      std::ranges::count_if(EditBoxes(), [page](uint32_t box) { return PageOf(box) == page; });
  for (long i = 0; i < boxes + 6; ++i) PressKey(display(), XK_Tab, modifiers);
}

void WindowGuiTest::ExpectShownFromTheStartAfterTabbing(int page, std::span<const uint32_t> boxes,
                                                        uint32_t away) {
  for (unsigned modifiers : {0u, unsigned{ShiftMask}}) {
    TabRound(page, modifiers);
    ClickOn(away);
    Settle();
    std::vector<std::vector<uint32_t>> walked;
    for (uint32_t box : boxes) walked.push_back(ControlPixels(box));
    for (size_t i = 0; i < boxes.size(); ++i) {
      ClickOn(boxes[i]);
      PressKey(display(), XK_Home);
      ClickOn(away);
      Settle();
      EXPECT_EQ(ControlPixels(boxes[i]), walked[i])
          << "page " << page << ", result box " << i << (modifiers ? ", Shift+Tab" : ", Tab");
    }
  }
}

void WindowGuiTest::ExpectFirstTwoPagesShownFromTheStartAfterTabbing(
    const std::function<void(const std::string&)>& shoot) {
  ExpectShownFromTheStartAfterTabbing(1, kFirstPageResults, 编辑框_P);
  shoot("tabbed-page1");
  PressKey(display(), XK_Tab, ControlMask);
  const std::pair<uint32_t, const char*> inputs[] = {
      {编辑框_电容电压1, "6.35"}, {编辑框_线圈一次, "6.35"}, {编辑框_线圈二次, "0.1"},
      {编辑框_M1, "10"},          {编辑框_N1, "1"},          {编辑框_M2, "14"},
      {编辑框_N2, "4"},
  };
  for (const auto& [box, text] : inputs) {
    ClickOn(box);
    TypeText(display(), text);
  }
  ClickOn(按钮_开口内熔丝);
  Settle(300ms);
  const uint32_t second_page_results[] = {编辑框_Udz};
  ExpectShownFromTheStartAfterTabbing(2, second_page_results, 编辑框_电容电压1);
  shoot("tabbed-page2");
}

void TestProgramGuiTest::Start(TestProgram program) {
  child_.emplace(Child::Function(server_, [&] { return RunTestProgram(reports_, program); }));
  reports_.CloseWriter();
  FindMainWindow();
}

}  // namespace gui
