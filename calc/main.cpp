// The calculator's process start: the start routine runs, the message loop waits for the
// window to close, and the runtime ends the program with the routine's result.
#include "calc/program.h"

int main() {
  calc::StartProgram(rt::DisplayMode::kOnScreen);
  rt::WaitForEnd();
  rt::EndProgram(0);
}
