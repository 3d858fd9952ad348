#include "runtime/ui/loop/posted_calls.h"

#include <FL/Fl.H>

#include <deque>

#include "runtime/core/frame.h"
#include "runtime/ui/loop/toolkit_state.h"

namespace rt {
namespace {

std::deque<std::function<void()>>& Queue() { return Toolkit().posted_calls; }

void RunFromLoop(void*) { RunPostedCalls(); }

}  // namespace

void PostCall(std::function<void()> call) {
  Queue().push_back(std::move(call));
  if (CurrentDisplayMode() == DisplayMode::kOnScreen) Fl::add_timeout(0.0, RunFromLoop);
}

void CancelPostedCalls() { Fl::remove_timeout(RunFromLoop); }

void RunPostedCalls() {
  while (!Queue().empty()) {
    std::function<void()> call = std::move(Queue().front());
    Queue().pop_front();
    call();
  }
}

}  // namespace rt
