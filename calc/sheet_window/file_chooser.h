// The file chooser of the calculator's own windows: in the program's CJK face, at the
// folder the last choice left, asking before replacing a file when saving.
#pragma once

#include <FL/Fl_Native_File_Chooser.H>

#include <optional>
#include <string>

namespace calc {

// Shows a chooser of `type` titled `gbk_title` with the `filters` (the toolkit's format),
// proposing `utf8_name` when saving. The file chosen (UTF-8) and the index of the filter
// it was chosen under; nothing when cancelled, or when the chooser could not open, which
// a message box says.
struct ChosenFile {
  std::string utf8_path;
  int filter = 0;
};
std::optional<ChosenFile> ChooseFile(Fl_Native_File_Chooser::Type type, const char* gbk_title,
                                     const char* filters, const std::string& utf8_name = {});

// The folder the choosers offer next: the one holding the file (UTF-8) last chosen.
void OfferFolderOf(const std::string& utf8_path);

}  // namespace calc
