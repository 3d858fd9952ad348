// The program as the runtime knows it, and its start sequence.
#pragma once

#include "runtime/core/frame.h"

namespace calc {

// The handler table, the constant data, the window template and the DLL commands.
const rt::ProgramDescription& Program();

// The start routine up to the message loop: runtime initialisation, the floating-point
// environment, the program's initialisation and clean-up routines, the start window.
void StartProgram(rt::DisplayMode mode);

}  // namespace calc
