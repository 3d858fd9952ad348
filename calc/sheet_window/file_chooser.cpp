#include "calc/sheet_window/file_chooser.h"

#include <filesystem>

#include "calc/sheet_window/sheet_windows.h"
#include "calc/sheet_window/toolkit_dialogs.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/system/message_box.h"

namespace calc {

std::optional<ChosenFile> ChooseFile(Fl_Native_File_Chooser::Type type, const char* gbk_title,
                                     const char* filters, const std::string& utf8_name) {
  const CjkDialogFaces faces;
  Fl_Native_File_Chooser chooser(type);
  const std::string title = rt::GbkToUtf8(gbk_title);
  chooser.title(title.c_str());
  chooser.filter(filters);
  const std::string folder = TheSheetWindows().offered_folder;
  if (type == Fl_Native_File_Chooser::BROWSE_SAVE_FILE) {
    chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM | Fl_Native_File_Chooser::NEW_FOLDER |
                    Fl_Native_File_Chooser::USE_FILTER_EXT);
    // The whole path, which every platform's chooser takes as the folder and the name.
    const std::string proposed = folder.empty() ? utf8_name : folder + "/" + utf8_name;
    chooser.preset_file(proposed.c_str());
  } else {
    chooser.directory(folder.c_str());
  }
  const int answer = chooser.show();
  if (answer == -1) {
    rt::PresentInMessageBox("文件选择框未能打开：" +
                            rt::Utf8ToGbk(chooser.errmsg() ? chooser.errmsg() : ""));
    return std::nullopt;
  }
  if (answer != 0 || !chooser.filename() || !*chooser.filename()) return std::nullopt;
  return ChosenFile{chooser.filename(), chooser.filter_value()};
}

void OfferFolderOf(const std::string& utf8_path) {
  const std::u8string folder =
      std::filesystem::path(std::u8string(utf8_path.begin(), utf8_path.end()))
          .parent_path()
          .u8string();
  TheSheetWindows().offered_folder = std::string(folder.begin(), folder.end());
}

}  // namespace calc
