// The calculator's process start: the start routine runs, the result boxes offer their
// calculation sheets, the message loop waits for the window to close, and the runtime ends
// the program with the routine's result.
#include "calc/pages/main_window.h"
#include "calc/pages/program.h"
#include "calc/sheet_window/sheet_menu.h"

int main() {
  calc::StartProgram(rt::DisplayMode::kOnScreen);
  calc::OfferSheetWindows(calc::kMainWindowId);
  rt::WaitForEnd();
  rt::EndProgram(0);
}
