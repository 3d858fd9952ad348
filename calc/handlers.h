// The calculator's event handlers. Their order in handlers.def is the order of the
// handler table that the window template's bindings index.
#pragma once

#include "calc/click_record.h"
#include "runtime/core/events.h"

namespace calc {

#define HANDLER(name) rt::HandlerResult name(const rt::EventArgs& args);
#include "calc/handlers.def"
#undef HANDLER

// Runs a page's calculation for a click, and records it; a click has no answer.
template <class Page>
rt::HandlerResult Calculate(void (*calculation)(const Page&), const Page& page) {
  ClickRecording recording;
  calculation(page);
  return std::nullopt;
}

}  // namespace calc
