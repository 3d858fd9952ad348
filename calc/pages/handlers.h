// The calculator's event handlers. Their order in handlers.def is the order of the
// handler table that the window template's bindings index.
#pragma once

#include "runtime/core/events.h"

namespace calc {

#define HANDLER(name) rt::HandlerResult name(const rt::EventArgs& args);
#include "calc/pages/handlers.def"
#undef HANDLER

}  // namespace calc
