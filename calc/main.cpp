// The calculator's process start: the start routine runs, the result boxes offer their
// calculation sheets, a saved sheet named on the command line is put back into its page
// (and so is one dropped onto the window later), the message loop waits for the window to
// close, and the runtime ends the program with the routine's result.
#include <optional>

#include "calc/pages/main_window.h"
#include "calc/pages/program.h"
#include "calc/sheet/saved_sheet.h"
#include "calc/sheet_window/sheet_menu.h"
#include "calc/sheet_window/sheet_opening.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments = rt::platform::ProgramArguments(argc, argv);
  // Read before the start makes the program's folder the current one, so that a relative
  // path names the file where the user is.
  std::optional<calc::SavedSheetReading> reading;
  const std::string path = arguments.empty() ? "" : rt::Utf8ToGbk(arguments[0]);
  if (!arguments.empty()) reading = calc::ReadSavedSheetFile(path);
  calc::StartProgram(rt::DisplayMode::kOnScreen);
  calc::OfferSheetWindows(calc::kMainWindowId);
  calc::OpenDroppedSheets();
  if (reading) calc::OpenReadSheet(path, *reading);
  rt::WaitForEnd();
  rt::EndProgram(0);
}
