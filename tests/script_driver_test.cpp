// The script driver as a program: its options, its exit statuses and its messages.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/child_process.h"
#include "tests/small_file_system.h"
#include "tests/temporary_folder.h"

namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

using testing_support::RunCommand;
const std::string kDriver = CAPCALC_SCRIPT_PROGRAM;
namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Quote(const fs::path& path) { return "'" + path.string() + "'"; }

// A copy of the driver in a folder of its own, which has written its skin engine library
// there by its first start, and a folder to start it from.
class DriverCopyTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(program_folder_);
    fs::create_directories(work_folder_);
    fs::copy_file(kDriver, program_);
    ASSERT_EQ(
        RunCommand("cd " + Quote(work_folder_) + " && " + Quote(program_) + " </dev/null").status,
        0);
    program_bytes_ = Contents(program_);
    library_bytes_ = Contents(program_folder_ / "SkinEngine.so");
    ASSERT_FALSE(library_bytes_.empty());
  }

  // Runs the script's lines with the copy, started from the work folder.
  testing_support::ChildOutcome RunFromWorkFolder(const std::string& lines) {
    std::ofstream(work_folder_ / "lines.script", std::ios::binary) << lines;
    return RunCommand("cd " + Quote(work_folder_) + " && " + Quote(program_) + " lines.script");
  }

  void ExpectProgramUntouched() {
    EXPECT_EQ(Contents(program_), program_bytes_);
    EXPECT_EQ(Contents(program_folder_ / "SkinEngine.so"), library_bytes_);
  }

  testing_support::TemporaryFolder folder_{"capcalc-driver-copy"};
  const fs::path program_folder_ = folder_.path() / "program";
  const fs::path work_folder_ = folder_.path() / "work";
  const fs::path program_ = program_folder_ / "capcalc-script";
  std::string program_bytes_, library_bytes_;
};

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

// The runtime makes the program's folder the current one; the user's paths still mean
// the folder the driver was started from, so they cannot overwrite the program or its
// library.
TEST_F(DriverCopyTest, RelativePathsAreTakenFromTheStartingFolder) {
  const std::string click =
      U8(u8"set 编辑框_电容相电流1 288.7\nset 编辑框_零序CT比1 40\nset 编辑框_M7 8\n"
         u8"set 编辑框_N7 2\nclick 按钮_桥式差电流外熔丝\n");
  auto outcome = RunFromWorkFolder("dump-template capcalc-script\n" + click +
                                   U8(u8"sheet 编辑框_Idz1 SkinEngine.so.json\n") +
                                   "dump-template sub/../SkinEngine.so\n");
  EXPECT_EQ(outcome.status, 2);  // "sub" does not exist in the work folder
  EXPECT_TRUE(outcome.err.starts_with("line 8: cannot write \"sub/../SkinEngine.so\": "))
      << outcome.err;
  ExpectProgramUntouched();
  EXPECT_FALSE(Contents(work_folder_ / "capcalc-script").empty());
  EXPECT_FALSE(Contents(work_folder_ / "SkinEngine.so.json").empty());
  EXPECT_FALSE(fs::exists(program_folder_ / "SkinEngine.so.json"));

  outcome = RunFromWorkFolder(U8(u8"dump-template SkinEngine.so\n"));
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  ExpectProgramUntouched();
  EXPECT_EQ(Contents(work_folder_ / "SkinEngine.so"), Contents(work_folder_ / "capcalc-script"));
}

// What a path names that is no regular file is refused at once: a FIFO without a reader
// would hold the driver for ever, and a rename would put a file in a device's place.
TEST(ScriptDriverTest, TargetsThatAreNoRegularFilesAreRefused) {
  testing_support::TemporaryFolder folder("capcalc-driver-targets");
  const fs::path fifo = folder.path() / "fifo.json";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_directory(folder.path() / "folder.json");
  for (const fs::path& target : {fifo, folder.path() / "folder.json", fs::path("/dev/null")}) {
    std::ofstream(folder.path() / "lines.script") << "dump-template " << target.string() << "\n";
    auto outcome = RunCommand(kDriver + " " + Quote(folder.path() / "lines.script"),
                              {.limit = std::chrono::seconds(10)});
    EXPECT_EQ(outcome.status, 2) << target;
    EXPECT_EQ(outcome.err,
              "line 1: cannot write \"" + target.string() + "\": not a regular file\n");
    EXPECT_LT(outcome.took, std::chrono::seconds(5)) << target;
  }
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_EQ(testing_support::FolderEntries(folder.path()),
            (std::vector<std::string>{"fifo.json", "folder.json", "lines.script"}));
}

// A link to a regular file keeps leading to it, and the file it leads to takes the new
// content whole, beside itself.
TEST(ScriptDriverTest, ALinkToAFileKeepsLeadingToIt) {
  testing_support::TemporaryFolder folder("capcalc-driver-link");
  fs::create_directories(folder.path() / "real");
  std::ofstream(folder.path() / "real" / "template") << "earlier";
  fs::create_symlink("real/template", folder.path() / "link");
  std::ofstream(folder.path() / "lines.script")
      << "dump-template " << (folder.path() / "link").string() << "\n";
  auto outcome = RunCommand(kDriver + " " + Quote(folder.path() / "lines.script"));
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_TRUE(fs::is_symlink(folder.path() / "link"));
  EXPECT_EQ(fs::read_symlink(folder.path() / "link"), "real/template");
  EXPECT_GT(Contents(folder.path() / "real" / "template").size(), 1000u);
  EXPECT_EQ(testing_support::FolderEntries(folder.path() / "real"),
            std::vector<std::string>{"template"});
}

}  // namespace
