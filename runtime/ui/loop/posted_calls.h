// Calls a control posts to itself, to run once the current toolkit event is over (the
// combo box's item-selected event runs after its list has closed).
#pragma once

#include <functional>

namespace rt {

void PostCall(std::function<void()> call);
// Runs the posted calls in order, including those they post. On screen the message loop
// runs them; without a display the driver does after each command.
void RunPostedCalls();
// Stops the message loop from running calls still waiting (the runtime ends).
void CancelPostedCalls();

}  // namespace rt
