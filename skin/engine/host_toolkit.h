// The toolkit of the program that loaded the engine (see skin/toolkit_entries.h).
#pragma once

#include "skin/toolkit_entries.h"

namespace skin {

// The program's table, looked up in the program's own module on the first call; null
// when the program exports none, or one of another version or size. The engine then
// refuses every request and leaves the program's look as it is.
const ToolkitEntries* HostToolkit();

// The same table, for the engine's code behind an entry point that found it.
const ToolkitEntries& Toolkit();

}  // namespace skin
