#include "calc/sheet_window/toolkit_dialogs.h"

#include <FL/Fl.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_PostScript.H>
#include <FL/Fl_Printer.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include <cstring>
#include <list>
#include <utility>

#include "runtime/core/frame.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/ui/controls/look.h"

namespace calc {
namespace {

// Each toolkit variable with its text (GBK).
const std::pair<const char**, const char*> kDialogLabels[] = {
    {&fl_ok, "确定"},
    {&fl_cancel, "取消"},
    {&fl_yes, "是"},
    {&fl_no, "否"},
    {&fl_close, "关闭"},
    {&Fl_File_Chooser::add_favorites_label, "添加到收藏夹"},
    {&Fl_File_Chooser::all_files_label, "所有文件 (*)"},
    {&Fl_File_Chooser::custom_filter_label, "自定义筛选"},
    {&Fl_File_Chooser::existing_file_label, "文件已存在，要替换它吗？"},
    {&Fl_File_Chooser::favorites_label, "收藏夹"},
    {&Fl_File_Chooser::filename_label, "文件名："},
    {&Fl_File_Chooser::filesystems_label, "文件系统"},
    {&Fl_File_Chooser::manage_favorites_label, "管理收藏夹"},
    {&Fl_File_Chooser::new_directory_label, "新文件夹名："},
    {&Fl_File_Chooser::new_directory_tooltip, "新建文件夹"},
    {&Fl_File_Chooser::preview_label, "预览"},
    {&Fl_File_Chooser::save_label, "保存"},
    {&Fl_File_Chooser::show_label, "显示："},
    {&Fl_File_Chooser::hidden_label, "显示隐藏文件"},
    {&Fl_Native_File_Chooser::file_exists_message, "文件已存在，要替换它吗？"},
    {&Fl_Printer::dialog_title, "打印"},
    {&Fl_Printer::dialog_printer, "打印机："},
    {&Fl_Printer::dialog_range, "打印范围"},
    {&Fl_Printer::dialog_copies, "份数"},
    {&Fl_Printer::dialog_all, "全部"},
    {&Fl_Printer::dialog_pages, "页码"},
    {&Fl_Printer::dialog_from, "从："},
    {&Fl_Printer::dialog_to, "到："},
    {&Fl_Printer::dialog_properties, "属性…"},
    {&Fl_Printer::dialog_copyNo, "份数："},
    {&Fl_Printer::dialog_print_button, "打印"},
    {&Fl_Printer::dialog_cancel_button, "取消"},
    {&Fl_Printer::dialog_print_to_file, "打印到文件"},
    {&Fl_Printer::property_title, "打印机属性"},
    {&Fl_Printer::property_pagesize, "纸张大小："},
    {&Fl_Printer::property_mode, "输出模式："},
    {&Fl_Printer::property_use, "使用"},
    {&Fl_Printer::property_save, "保存"},
    {&Fl_Printer::property_cancel, "取消"},
    {&Fl_PostScript_File_Device::file_chooser_title, "选择 PostScript 文件 (.ps)"},
};

// Labels the print dialog gives as fixed English words rather than through a variable,
// with their texts (GBK).
const std::pair<const char*, const char*> kFixedLabels[] = {
    {"Collate", "逐份打印"},
    {"Selection", "所选内容"},
};

// The UTF-8 text for a fixed English label; null for any other label.
const char* TranslationOf(const char* label) {
  static const std::list<std::string> texts = [] {
    std::list<std::string> utf8;
    for (const auto& [english, gbk] : kFixedLabels) utf8.push_back(rt::GbkToUtf8(gbk));
    return utf8;
  }();
  auto text = texts.begin();
  for (const auto& [english, gbk] : kFixedLabels) {
    if (label && std::strcmp(label, english) == 0) return text->c_str();
    ++text;
  }
  return nullptr;
}

void TranslateFixedLabels(Fl_Group& group) {
  for (int i = 0; i < group.children(); ++i) {
    Fl_Widget& child = *group.child(i);
    if (const char* translation = TranslationOf(child.label())) child.label(translation);
    if (Fl_Group* inner = child.as_group()) TranslateFixedLabels(*inner);
  }
}

// Called before the toolkit waits for events, hence before a new dialog is first drawn.
void TranslateShownWindows(void*) {
  for (Fl_Window* window = Fl::first_window(); window; window = Fl::next_window(window))
    TranslateFixedLabels(*window);
}

}  // namespace

void SpeakChineseInToolkitDialogs() {
  static std::list<std::string> texts;  // UTF-8, where the toolkit's variables point
  if (!texts.empty()) return;
  for (const auto& [variable, gbk] : kDialogLabels) {
    texts.push_back(rt::GbkToUtf8(gbk));
    *variable = texts.back().c_str();
  }
}

// The toolkit's face names start with a style letter: " " regular, "B" bold.
CjkDialogFaces::CjkDialogFaces()
    : regular_(Fl::get_font(FL_HELVETICA)),
      bold_(Fl::get_font(FL_HELVETICA_BOLD)),
      cjk_regular_(Fl::get_font(rt::ToToolkitFont(std::nullopt).face)),
      cjk_bold_("B" + cjk_regular_.substr(1)) {
  Fl::set_font(FL_HELVETICA, cjk_regular_.c_str());
  Fl::set_font(FL_HELVETICA_BOLD, cjk_bold_.c_str());
}

CjkDialogFaces::~CjkDialogFaces() {
  Fl::set_font(FL_HELVETICA, regular_);
  Fl::set_font(FL_HELVETICA_BOLD, bold_);
}

ChineseFixedLabels::ChineseFixedLabels() { Fl::add_check(TranslateShownWindows); }

ChineseFixedLabels::~ChineseFixedLabels() { Fl::remove_check(TranslateShownWindows); }

// A folder that cannot be entered leaves the chooser where it was.
InOfferedFolder::InOfferedFolder(const std::string& utf8_folder) {
  if (!utf8_folder.empty()) rt::platform::EnterFolder(rt::Utf8ToGbk(utf8_folder));
}

// Relative names (the skin engine library, the DLL commands) refer to the program's
// folder again.
InOfferedFolder::~InOfferedFolder() {
  if (!rt::ProgramFolderPath().empty()) rt::platform::EnterFolder(rt::ProgramFolderPath());
}

}  // namespace calc
