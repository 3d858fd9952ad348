#include "calc/sheet_window/toolkit_dialogs.h"

#include <FL/Fl.H>

#include <cstdlib>
#include <system_error>

#include "runtime/ui/controls/look.h"

namespace calc {
namespace {

std::filesystem::path FromUtf8(const std::string& utf8) { return std::u8string(utf8.begin(), utf8.end()); }

std::string& OfferedFolder() {
  static std::string folder = [] {
    // Windows names the user's folder USERPROFILE and has no HOME.
    const char* home = std::getenv("HOME");
    if (!home) home = std::getenv("USERPROFILE");
    return std::string(home ? home : "");
  }();
  return folder;
}

}  // namespace

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

InOfferedFolder::InOfferedFolder() {
  std::error_code ignored;  // a folder that cannot be entered leaves the chooser where it was
  program_folder_ = std::filesystem::current_path(ignored);
  if (!OfferedFolder().empty()) std::filesystem::current_path(FromUtf8(OfferedFolder()), ignored);
}

// Relative names (the skin engine library, the DLL commands) refer to the program's
// folder again.
InOfferedFolder::~InOfferedFolder() {
  std::error_code ignored;
  if (!program_folder_.empty()) std::filesystem::current_path(program_folder_, ignored);
}

std::string FolderToOffer() { return OfferedFolder(); }

void RememberFolderOf(const std::string& utf8_path) {
  const std::u8string folder = FromUtf8(utf8_path).parent_path().u8string();
  OfferedFolder().assign(folder.begin(), folder.end());
}

}  // namespace calc
