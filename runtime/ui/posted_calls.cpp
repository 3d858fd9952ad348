#include "runtime/ui/posted_calls.h"

#include <FL/Fl.H>

#include <deque>

#include "runtime/core/frame.h"

namespace rt {
namespace {

std::deque<std::function<void()>>& Queue() {
  static std::deque<std::function<void()>> queue;
  return queue;
}

void RunFromLoop(void*) { RunPostedCalls(); }

}  // namespace

void PostCall(std::function<void()> call) {
  Queue().push_back(std::move(call));
  if (CurrentDisplayMode() == DisplayMode::kOnScreen) Fl::add_timeout(0.0, RunFromLoop);
}

void RunPostedCalls() {
  while (!Queue().empty()) {
    std::function<void()> call = std::move(Queue().front());
    Queue().pop_front();
    call();
  }
}

}  // namespace rt
