// The script driver as a program: its options, its exit statuses and its messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/child_process.h"

namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

using testing_support::RunCommand;
const std::string kDriver = CAPCALC_SCRIPT_PROGRAM;

// The command table of the README, the indented lines after "## The script driver".
std::string ReadmeCommandTable() {
  std::ifstream readme(CAPCALC_README);
  std::string line, table;
  while (std::getline(readme, line) && line != "## The script driver") {
  }
  while (std::getline(readme, line) && !line.starts_with("    ")) {
  }
  for (; readme && line.starts_with("    "); std::getline(readme, line)) table += line + "\n";
  return table;
}

TEST(ScriptDriverTest, HelpAndVersion) {
  auto help = RunCommand(kDriver + " --help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: capcalc-script [SCRIPT]\n", 0), 0u) << help.out;
  const std::string table = ReadmeCommandTable();
  EXPECT_NE(table.find("dump-template PATH"), std::string::npos) << table;
  EXPECT_NE(help.out.find(table), std::string::npos)
      << "the usage differs from the README's table:\n"
      << table;
  auto version = RunCommand(kDriver + " --version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "capcalc-script " CAPCALC_VERSION "\n");
  EXPECT_EQ(RunCommand(kDriver + " a b").status, 2);
}

TEST(ScriptDriverTest, OutputAndScriptFailuresAreReported) {
  const std::string script = "printf '" + U8(u8"get 编辑框_频率") + "\\n' | ";
  for (const char* redirection : {" >/dev/full", " >&-"}) {
    auto outcome = RunCommand(script + kDriver + redirection);
    EXPECT_EQ(outcome.status, 1) << redirection;
    EXPECT_EQ(outcome.err, "capcalc-script: cannot write the output\n") << redirection;
  }
  const std::string folder = std::filesystem::temp_directory_path().string();
  auto outcome = RunCommand(kDriver + " " + folder);
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err, "capcalc-script: cannot read " + folder + ": Is a directory\n");
  outcome = RunCommand(kDriver + " /nonexistent/script");
  EXPECT_EQ(outcome.status, 2);
  EXPECT_EQ(outcome.err,
            "capcalc-script: cannot read /nonexistent/script: No such file or directory\n");
}

}  // namespace
