#include "calc/sheet_window/sheet_opening.h"

#include "calc/pages/sheet_reopening.h"
#include "runtime/ui/system/message_box.h"

namespace calc {

void OpenReadSheet(const std::string& gbk_path, const SavedSheetReading& reading) {
  const std::string problem = reading.sheet ? PutBackSavedSheet(*reading.sheet) : reading.problem;
  if (!problem.empty()) rt::PresentInMessageBox("计算书未能打开：\n" + gbk_path + "\n" + problem);
}

}  // namespace calc
