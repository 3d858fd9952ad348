#include "calc/sheet_window/sheet_saving.h"

#include <FL/Fl_Native_File_Chooser.H>

#include <cstdlib>
#include <filesystem>

#include "calc/sheet_file.h"
#include "runtime/gbk.h"
#include "runtime/message_box.h"

namespace calc {
namespace {

// The folder of the last sheet saved in this run, else the user's home: the program's
// own folder, the current one, is seldom a place for documents.
std::string& FolderToOffer() {
  static std::string folder = [] {
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "");
  }();
  return folder;
}

// The folder of a UTF-8 path, in UTF-8, whatever the platform's narrow encoding.
std::string FolderOf(const std::string& utf8_path) {
  const std::u8string folder =
      std::filesystem::path(std::u8string(utf8_path.begin(), utf8_path.end())).parent_path().u8string();
  return std::string(folder.begin(), folder.end());
}

void ReportFailure(const std::string& utf8_path) {
  rt::PresentInMessageBox("计算书未能保存：\n" + rt::Utf8ToGbk(utf8_path) +
                          "\n请检查该文件夹是否存在、是否可写，磁盘是否已满。");
}

}  // namespace

void SaveSheetThroughChooser(const Sheet& sheet) {
  Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
  const std::string title = rt::GbkToUtf8("保存计算书");
  const std::string name = rt::GbkToUtf8(DefaultFileName(sheet));
  chooser.title(title.c_str());
  chooser.filter("HTML\t*.html");
  chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM | Fl_Native_File_Chooser::NEW_FOLDER |
                  Fl_Native_File_Chooser::USE_FILTER_EXT);
  if (!FolderToOffer().empty()) chooser.directory(FolderToOffer().c_str());
  chooser.preset_file(name.c_str());
  const int answer = chooser.show();
  if (answer == -1) {
    rt::PresentInMessageBox("文件选择框未能打开：" + rt::Utf8ToGbk(chooser.errmsg() ? chooser.errmsg() : ""));
    return;
  }
  if (answer != 0 || !chooser.filename() || !*chooser.filename()) return;  // cancelled
  const std::string path = chooser.filename();
  FolderToOffer() = FolderOf(path);
  if (!SaveSheet(sheet, path, SheetFormat::kHtml)) ReportFailure(path);
}

}  // namespace calc
