// capcalc-script: runs the calculator without a display and drives it with the commands
// of a script file (standard input without an argument).
#include <fstream>
#include <iostream>

#include "calc/program.h"
#include "tools/capcalc-script/script.h"

int main(int argc, char** argv) {
  if (argc > 2) {
    std::cerr << "usage: capcalc-script [SCRIPT]\n";
    return 2;
  }
  std::ifstream file;
  if (argc == 2) {
    file.open(argv[1]);
    if (!file) {
      std::cerr << "capcalc-script: cannot open " << argv[1] << "\n";
      return 2;
    }
  }
  std::ios::sync_with_stdio(false);
  calc::StartProgram(rt::DisplayMode::kHeadless);
  int status = script::RunScript(argc == 2 ? file : std::cin, std::cout, std::cerr);
  std::cout.flush();
  rt::EndProgram(status);
}
