// capcalc-script --batch BANKS.csv OUTDIR [--pdf]: many banks at once. Each row of the
// table is one bank, put into its page as if typed and calculated by its "计算" button
// exactly as in the window; its sheet goes to OUTDIR/NAME.json and NAME.html (NAME.pdf
// with --pdf), and OUTDIR/summary.csv lists every bank made.
#pragma once

#include <iosfwd>
#include <string>

namespace script {

struct BatchRequest {
  std::string table;   // the CSV's path as the user gave it, UTF-8
  std::string folder;  // OUTDIR, the same
  bool pdf = false;
};

// Runs the batch in the running calculator; reports bad rows ("row N: ...", N counting
// the banks from 1) and progress to `err`. Returns 0 when every bank was made, 2 when any
// row failed or the table or the folder could not be used.
int RunBatch(const BatchRequest& request, std::ostream& err);

}  // namespace script
