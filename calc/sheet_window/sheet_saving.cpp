#include "calc/sheet_window/sheet_saving.h"

#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>

#include <filesystem>

#include "calc/sheet/sheet_file.h"
#include "calc/sheet_window/sheet_windows.h"
#include "calc/sheet_window/toolkit_dialogs.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/ui/system/message_box.h"

namespace calc {
namespace {

// The system's reason, when it gave one, before the advice.
void ReportFailure(const std::string& utf8_path, const std::string& reason) {
  rt::PresentInMessageBox("计算书未能保存：\n" + rt::Utf8ToGbk(utf8_path) +
                          (reason.empty() ? "" : "\n" + reason) +
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

// The chooser's filters, in the order it lists them.
constexpr SheetFormat kOffered[] = {SheetFormat::kHtml, SheetFormat::kPdf};
constexpr char kFilters[] = "HTML\t*.html\nPDF\t*.pdf";

// The sheet's own name without its extension, which the chosen filter then gives.
std::string ProposedName(const Sheet& sheet) {
  std::string name = rt::GbkToUtf8(DefaultFileName(sheet));
  const std::string_view extension = ExtensionOf(SheetFormat::kHtml);
  if (name.ends_with(extension)) name.resize(name.size() - extension.size());
  return name;
}

SheetFormat ChosenFormat(const Fl_Native_File_Chooser& chooser) {
  const int index = chooser.filter_value();
  return index >= 0 && index < static_cast<int>(std::size(kOffered)) ? kOffered[index]
                                                                     : kOffered[0];
}

// The chooser asked before replacing the name it gave; a name the extension was added to
// may stand for another file, and is asked about here.
bool MayWrite(const std::string& given, const std::string& utf8_path) {
  if (given == utf8_path || !rt::platform::AnyEntryMatches(rt::Utf8ToGbk(utf8_path))) return true;
  const std::string question =
      rt::GbkToUtf8("“" + rt::Utf8ToGbk(utf8_path) + "”已存在，要替换它吗？");
  const std::string replace = rt::GbkToUtf8("替换"), title = rt::GbkToUtf8("保存计算书");
  fl_message_title(title.c_str());
  return fl_choice("%s", fl_cancel, replace.c_str(), nullptr, question.c_str()) == 1;
}

}  // namespace

std::optional<std::string> SaveSheetThroughChooser(const Sheet& sheet) {
  const CjkDialogFaces faces;
  const std::string folder = TheSheetWindows().offered_folder;
  Fl_Native_File_Chooser chooser(Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
  const std::string title = rt::GbkToUtf8("保存计算书");
  const std::string name = ProposedName(sheet);
  chooser.title(title.c_str());
  chooser.filter(kFilters);
  chooser.options(Fl_Native_File_Chooser::SAVEAS_CONFIRM | Fl_Native_File_Chooser::NEW_FOLDER |
                  Fl_Native_File_Chooser::USE_FILTER_EXT);
  // The whole path, which every platform's chooser takes as the folder and the name.
  const std::string proposed = folder.empty() ? name : folder + "/" + name;
  chooser.preset_file(proposed.c_str());
  const int answer = chooser.show();
  if (answer == -1) {
    rt::PresentInMessageBox("文件选择框未能打开：" +
                            rt::Utf8ToGbk(chooser.errmsg() ? chooser.errmsg() : ""));
    return std::nullopt;
  }
  if (answer != 0 || !chooser.filename() || !*chooser.filename()) return std::nullopt;
  const std::string given = chooser.filename();
  const SheetFileChoice file = ChooseSheetFile(given, ChosenFormat(chooser));
  if (!MayWrite(given, file.utf8_path)) return std::nullopt;
  TheSheetWindows().offered_folder = FolderOf(file.utf8_path);
  std::string reason;
  if (!SaveSheet(sheet, file.utf8_path, file.format, &reason)) {
    ReportFailure(file.utf8_path, reason);
    return std::nullopt;
  }
  return file.utf8_path;
}

}  // namespace calc
