#include "tools/capcalc-script/sheet_pdf.h"

namespace script {

// The PDF writer is not part of this build yet: say so rather than write nothing quietly.
bool SaveSheetPdf(const calc::Sheet&, const std::string&, std::string* reason) {
  *reason = "PDF output is not available";
  return false;
}

}  // namespace script
