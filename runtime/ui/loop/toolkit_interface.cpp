#include "runtime/ui/loop/toolkit_interface.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include "runtime/core/error_report.h"
#include "runtime/core/frame.h"
#include "runtime/core/runtime_state.h"
#include "runtime/ui/controls/window_control.h"
#include "runtime/ui/loop/message_loop.h"
#include "runtime/ui/loop/posted_calls.h"
#include "runtime/ui/loop/toolkit_state.h"
#include "runtime/ui/loop/window_builder.h"
#include "runtime/ui/system/display.h"
#include "runtime/ui/system/message_box.h"
#include "runtime/ui/system/popup_focus.h"
#include "runtime/ui/system/toolkit_options.h"

namespace rt {
namespace {

class ToolkitUserInterface final : public UserInterface {
 public:
  explicit ToolkitUserInterface(DisplayMode mode) : mode_(mode) {
    SettleToolkitOptions();
    if (mode == DisplayMode::kOnScreen) ConnectToDisplay();
  }

  // What the toolkit still holds of this runtime goes with it: the dispatch hooks of the
  // dialog keys and the event watch, and the pending posted calls.
  ~ToolkitUserInterface() override {
    if (mode_ == DisplayMode::kOnScreen) Fl::event_dispatch(nullptr);
    CancelPostedCalls();
  }

  DisplayMode mode() const override { return mode_; }

  void Prepare(const ProgramDescription& program) override {
    if (program.window_class) Fl_Window::default_xclass(program.window_class);
    if (mode_ != DisplayMode::kOnScreen) return;
    // The toolkit's wake-up channel stands in for the hidden message window that takes
    // another thread's end request; taking the toolkit lock once opens it.
    Fl::lock();
    InstallDialogKeys();
    KeepFocusThroughPopups();
  }

  void PresentError(const std::string& gbk_text) override {
    if (mode_ == DisplayMode::kOnScreen) {
      PresentInMessageBox(gbk_text);
    } else {
      PresentOnStandardError(gbk_text);
    }
  }

  bool ShowWindow(LoadedWindow& window) override { return ShowLoadedWindow(window); }

  void RunMessageLoop() override { rt::RunMessageLoop(mode_); }

  bool CallOnInterfaceThread(void (*call)(void*), void* argument) override {
    if (mode_ != DisplayMode::kOnScreen) return false;
    Fl::awake(call, argument);
    return true;
  }

  ToolkitState& state() { return state_; }

 private:
  const DisplayMode mode_;
  ToolkitState state_;
};

}  // namespace

std::unique_ptr<UserInterface> ToolkitInterface(DisplayMode mode) {
  return std::make_unique<ToolkitUserInterface>(mode);
}

ToolkitState& Toolkit() { return static_cast<ToolkitUserInterface&>(*Runtime().ui).state(); }

}  // namespace rt
