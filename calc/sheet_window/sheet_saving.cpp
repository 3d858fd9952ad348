#include "calc/sheet_window/sheet_saving.h"

#include <FL/Fl_Native_File_Chooser.H>

#include <filesystem>

#include "calc/sheet/sheet_file.h"
#include "calc/sheet_window/sheet_windows.h"
#include "calc/sheet_window/toolkit_dialogs.h"
#include "runtime/platform/gbk.h"
#include "runtime/ui/system/message_box.h"

namespace calc {
namespace {

void ReportFailure(const std::string& utf8_path) {
  rt::PresentInMessageBox("计算书未能保存：\n" + rt::Utf8ToGbk(utf8_path) +
                          "\n请检查该文件夹是否存在、是否可写，磁盘是否已满。");
}

// The folder holding the file the chooser gave (UTF-8).
std::string FolderOf(const std::string& utf8_path) {
  const std::u8string folder =
      std::filesystem::path(std::u8string(utf8_path.begin(), utf8_path.end()))
          .parent_path()
          .u8string();
  return std::string(folder.begin(), folder.end());
}

}  // namespace

void SaveSheetThroughChooser(const Sheet& sheet) {
  const CjkDialogFaces faces;
  const std::string folder = TheSheetWindows().offered_folder;
  Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
  const std::string title = rt::GbkToUtf8("保存计算书");
  const std::string name = rt::GbkToUtf8(DefaultFileName(sheet));
  chooser.title(title.c_str());
  chooser.filter("HTML\t*.html");
  chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM | Fl_Native_File_Chooser::NEW_FOLDER |
                  Fl_Native_File_Chooser::USE_FILTER_EXT);
  // The whole path, which every platform's chooser takes as the folder and the name.
  const std::string proposed = folder.empty() ? name : folder + "/" + name;
  chooser.preset_file(proposed.c_str());
  const int answer = chooser.show();
  if (answer == -1) {
    rt::PresentInMessageBox("文件选择框未能打开：" +
                            rt::Utf8ToGbk(chooser.errmsg() ? chooser.errmsg() : ""));
    return;
  }
  if (answer != 0 || !chooser.filename() || !*chooser.filename()) return;  // cancelled
  const std::string path = chooser.filename();
  TheSheetWindows().offered_folder = FolderOf(path);
  if (!SaveSheet(sheet, path, SheetFormat::kHtml)) ReportFailure(path);
}

}  // namespace calc
