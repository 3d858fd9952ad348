#include "calc/sheet_window/sheet_opening.h"

#include "calc/pages/sheet_reopening.h"
#include "runtime/ui/loop/file_drop.h"
#include "runtime/ui/system/message_box.h"

namespace calc {

void OpenReadSheet(const std::string& gbk_path, const SavedSheetReading& reading) {
  const std::string problem = reading.sheet ? PutBackSavedSheet(*reading.sheet) : reading.problem;
  if (!problem.empty()) rt::PresentInMessageBox("计算书未能打开：\n" + gbk_path + "\n" + problem);
}

void OpenDroppedSheets() {
  rt::SetFileDropRoutine(
      [](const std::string& gbk_path) { OpenReadSheet(gbk_path, ReadSavedSheetFile(gbk_path)); });
}

}  // namespace calc
