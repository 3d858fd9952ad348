#include "calc/sheet_window/sheet_saving.h"

#include <FL/Fl_Native_File_Chooser.H>
#include <FL/fl_ask.H>

#include "calc/sheet/sheet_file.h"
#include "calc/sheet_window/file_chooser.h"
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

SheetFormat ChosenFormat(int filter) {
  return filter >= 0 && filter < static_cast<int>(std::size(kOffered)) ? kOffered[filter]
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
  const std::optional<ChosenFile> chosen = ChooseFile(Fl_Native_File_Chooser::BROWSE_SAVE_FILE,
                                                      "保存计算书", kFilters, ProposedName(sheet));
  if (!chosen) return std::nullopt;
  const std::string& given = chosen->utf8_path;
  const SheetFileChoice file = ChooseSheetFile(given, ChosenFormat(chosen->filter));
  if (!MayWrite(given, file.utf8_path)) return std::nullopt;
  OfferFolderOf(file.utf8_path);
  std::string reason;
  if (!SaveSheet(sheet, file.utf8_path, file.format, &reason)) {
    ReportFailure(file.utf8_path, reason);
    return std::nullopt;
  }
  return file.utf8_path;
}

}  // namespace calc
