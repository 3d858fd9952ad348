// capcalc-script: runs the calculator without a display and drives it with the commands
// of a script file (standard input without an argument).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "calc/pages/program.h"
#include "runtime/platform/platform.h"
#include "tools/capcalc-script/batch.h"
#include "tools/capcalc-script/script.h"
#include "tools/capcalc-script/starting_folder.h"

namespace {

constexpr std::string_view kUsage = R"(usage: capcalc-script [SCRIPT]
       capcalc-script --batch BANKS.csv OUTDIR [--pdf]
       capcalc-script --help | --version

Runs the calculator without a display and reads one command a line from SCRIPT, or from
standard input without one, in UTF-8:

    set NAME TEXT        the content of an edit box       get NAME        NAME=TEXT
    select NAME INDEX    pick a combo box item            prop NAME N     NAME.N=VALUE
    click NAME           click a button                   type NAME TEXT  key by key
    focus NAME / blur NAME                                page N          pick tab page N
    tick NAME N          N ticks of a timer               hover NAME      move the pointer over it
    tip NAME             NAME=the control's hint          dump-template PATH
    sheet NAME PATH      the calculation sheet of the last click shown in result box NAME,
                         written to PATH: HTML for .html, JSON for .json, PDF for .pdf
    measured NAME PATH   the measured capacitances (CSV: phase,branch,group,unit,uF) of the
                         bank of NAME's page, for the page's last calculation
    rebalance NAME PATH  that bank rebalanced, written to PATH as CSV; prints the exchanges
                         (NAME.exchange=... a line), NAME.initial_signal=, NAME.rebalanced_signal=
    open PATH            a saved sheet (.json or .html) back in its page, uncalculated

With --batch, each row of BANKS.csv (UTF-8 or GBK) is one bank: the columns name, page
(电容器参数, 开口三角, 电压差动, 中性线, 桥差), variant (无熔丝, 外熔丝, 内熔丝; empty on
电容器参数) and the inputs by their symbols (Uψ,U1,U2,M,N,β,Kv,Klm,m,n,Iψ,CT and UN,QN,Kr,
Usys,f,nCT,cosφ1,cosφ2,P,connection). Each bank's sheet is written to OUTDIR/NAME.json
and NAME.html (and NAME.pdf with --pdf), and OUTDIR/summary.csv lists them. A bad row is
reported as "row N: ..." and skipped; the status is then 2.

TEXT is the rest of the line as it stands; a relative SCRIPT or PATH is taken from the
folder the driver was started in. Blank lines and lines starting with "#" are skipped.
A bad line prints "line N: ..." and ends with status 2; a runtime error prints its
report and ends with status 255; output that cannot be written ends with status 1.
)";

constexpr std::string_view kVersion = "capcalc-script " CAPCALC_VERSION "\n";

int Print(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
    return 0;
  std::fputs("capcalc-script: cannot write the output\n", stderr);
  return 1;
}

int Usage() {
  std::cerr << kUsage.substr(0, kUsage.find("\n\n") + 1);
  return 2;
}

// "--batch BANKS.csv OUTDIR", "--pdf" before or after the two paths.
int Batch(const std::vector<std::string>& arguments) {
  script::BatchRequest request;
  std::vector<std::string> paths;
  for (size_t i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == "--pdf") {
      request.pdf = true;
    } else {
      paths.push_back(arguments[i]);
    }
  }
  if (paths.size() != 2) return Usage();
  request.table = paths[0];
  request.folder = paths[1];
  calc::StartProgram(rt::DisplayMode::kHeadless);
  rt::EndProgram(script::RunBatch(request, std::cerr));
}

}  // namespace

int main(int argc, char** argv) {
  rt::platform::UseBinaryStandardStreams();  // the same bytes on every system
  const std::vector<std::string> arguments = rt::platform::ProgramArguments(argc, argv);
  const std::string_view option =
      arguments.size() == 1 ? std::string_view(arguments[0]) : std::string_view();
  if (option == "--help") return Print(kUsage);
  if (option == "--version") return Print(kVersion);
  script::RememberStartingFolder();
  if (!arguments.empty() && arguments[0] == "--batch") return Batch(arguments);
  if (arguments.size() > 1) return Usage();
  std::ifstream file;
  if (arguments.size() == 1) {
    // A path of UTF-8 characters, so that it names the same file on every system.
    const std::string path = script::FromStartingFolder(option);
    file.open(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
    if (!file) {
      std::cerr << "capcalc-script: cannot read " << option << ": " << std::strerror(errno) << "\n";
      return 2;
    }
  }
  std::ios::sync_with_stdio(false);
  calc::StartProgram(rt::DisplayMode::kHeadless);
  int status = arguments.size() == 1 ? script::RunScript(file, std::cout, std::cerr, option)
                                     : script::RunScript(std::cin, std::cout, std::cerr);
  rt::EndProgram(status);
}
