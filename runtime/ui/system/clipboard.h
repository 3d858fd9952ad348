// What the edit menu needs to know of the clipboard beyond what the toolkit offers.
#pragma once

namespace rt {

// Whether a paste from the clipboard may bring text: someone holds the clipboard. Asks
// without waiting for the holder, which may be slow or hung.
bool ClipboardMayHoldText();

}  // namespace rt
