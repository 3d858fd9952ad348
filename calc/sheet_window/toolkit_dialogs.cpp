#include "calc/sheet_window/toolkit_dialogs.h"

#include <FL/Fl.H>

#include "runtime/core/frame.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/ui/controls/look.h"

namespace calc {
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
