// What the sheet windows keep while the calculator runs: the open window of each page
// and the folder the file choosers offer next. It is part of the calculator's state, so
// it goes with the runtime, and its windows before the toolkit's display.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "calc/model/kinds.h"
#include "runtime/core/frame.h"

class Fl_Double_Window;

namespace calc {

class SheetWindow;

class SheetWindows : public rt::ProgramState {
 public:
  SheetWindows();
  ~SheetWindows() override;

  std::map<CalculationPage, std::unique_ptr<SheetWindow>> open;
  std::map<CalculationPage, std::unique_ptr<Fl_Double_Window>> measured;  // measured_window.h
  std::string offered_folder;  // UTF-8: the folder of the last file saved, else the home folder
};

// The running calculator's, made on first use.
SheetWindows& TheSheetWindows();

}  // namespace calc
