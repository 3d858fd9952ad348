// DLL commands: bound on the first call from beside the program, kept bound, released at
// the end; a missing library and a missing export end the program with one message.
#include "runtime/core/dll_commands.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "runtime/platform/gbk.h"
#include "tests/headless_window.h"

namespace {

namespace fs = std::filesystem;

using Add = int(int, int);
using Negate = int(int);

class DllCommandsTest : public testing::Test {
 protected:
  void SetUp() override { testing_support::StartHeadless(); }
  void TearDown() override { rt::ReleaseDllCommands(); }
};

// The program's folder is searched whatever the current directory is.
TEST_F(DllCommandsTest, BareNameIsFoundBesideTheProgram) {
  const rt::DllCommandDeclaration commands[] = {{"test_commands.so", "CapcalcTestAdd"}};
  rt::InitDllCommandTables(commands);
  fs::path started_in = fs::current_path();
  fs::current_path("/");
  EXPECT_EQ(rt::CallDllCommand<Add>(0, 2, 3), 5);
  fs::current_path(started_in);
}

// Once bound, a command needs its library file no more; each command holds the library
// by its own handle, and the end releases every one of them.
TEST_F(DllCommandsTest, BoundOnceAndReleasedAtTheEnd) {
  std::string folder = (fs::temp_directory_path() / "capcalc-dll-XXXXXX").string();
  ASSERT_NE(mkdtemp(folder.data()), nullptr);
  const std::string library = folder + "/commands.so";
  fs::copy_file(CAPCALC_TEST_COMMANDS_FILE, library);
  const rt::DllCommandDeclaration commands[] = {{library.c_str(), "CapcalcTestAdd"},
                                                {library.c_str(), "CapcalcTestNegate"}};
  rt::InitDllCommandTables(commands);

  EXPECT_EQ(rt::CallDllCommand<Add>(0, 40, 2), 42);
  EXPECT_EQ(rt::CallDllCommand<Negate>(1, 7), -7);
  fs::rename(library, library + ".gone");
  EXPECT_EQ(rt::CallDllCommand<Add>(0, 1, 1), 2);
  EXPECT_EQ(rt::CallDllCommand<Negate>(1, -3), 3);

  rt::ReleaseDllCommands();
  EXPECT_EQ(dlopen(library.c_str(), RTLD_NOW | RTLD_NOLOAD), nullptr) << "still loaded";
  fs::remove_all(folder);
}

using DllCommandsDeathTest = DllCommandsTest;

TEST_F(DllCommandsDeathTest, MissingLibraryAndMissingExportGiveOneMessage) {
  const rt::DllCommandDeclaration commands[] = {{"missing.so", "CapcalcTestAdd"},
                                                {"test_commands.so", "Missing"}};
  rt::InitDllCommandTables(commands);
  EXPECT_EXIT(rt::CallDllCommand<Add>(0, 1, 2),
              ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
              rt::GbkToUtf8(
                  "错误信息：无法找到指定DLL库文件“missing.so”中的输出命令“CapcalcTestAdd”\r\n$"));
  EXPECT_EXIT(
      rt::CallDllCommand<Add>(1, 1, 2),
      ::testing::ExitedWithCode(testing_support::kRuntimeErrorStatus),
      rt::GbkToUtf8("错误信息：无法找到指定DLL库文件“test_commands.so”中的输出命令“Missing”\r\n$"));
}

}  // namespace
