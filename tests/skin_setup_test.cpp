// Putting the skin engine beside the program and calling it: a fresh folder gets the
// library, anything already there under its name is left exactly as it is, and the skin
// buffer is the program's own, freed as soon as the engine returns.
#include <gtest/gtest.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "calc/skin_setup.h"
#include "runtime/dll_commands.h"
#include "runtime/gbk.h"
#include "skin/skin_data.h"
#include "tests/fake_skin_engine/fake_skin_engine.h"
#include "tests/headless_window.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

// A folder holding a copy of the headless driver and nothing else.
class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("capcalc-skin-" + std::to_string(getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    fs::copy_file(CAPCALC_SCRIPT_PROGRAM, folder_ / "capcalc-script");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::permissions(library(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(folder_, ignored);
  }

  // Runs the driver in its folder (started from elsewhere) with one command; returns the
  // exit status and collects what it printed.
  int Run(std::string* out, std::string* err) {
    fs::path script = folder_ / "script";
    std::ofstream(script) << reinterpret_cast<const char*>(u8"get 组合框_接线方式\n");
    std::string command = "cd / && " + (folder_ / "capcalc-script").string() + " " + script.string() +
                          " >" + (folder_ / "out").string() + " 2>" + (folder_ / "err").string();
    int status = std::system(command.c_str());
    *out = ReadFile(folder_ / "out");
    *err = ReadFile(folder_ / "err");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path library() const { return folder_ / "SkinEngine.so"; }

  fs::path folder_;
};

const std::string kStarSelected = reinterpret_cast<const char*>(u8"组合框_接线方式=星形接线\n");
const std::string kUnbound =
    reinterpret_cast<const char*>(u8"无法找到指定DLL库文件“SkinEngine.so”中的输出命令“SkinEngine_SetAero”");

TEST_F(ProgramFolderTest, AFreshFolderGetsTheLibrary) {
  std::string out, err;
  EXPECT_EQ(Run(&out, &err), 0) << err;
  EXPECT_EQ(out, kStarSelected);
  std::span<const uint8_t> image = skin::SkinEngineImage();
  EXPECT_EQ(ReadFile(library()), std::string(image.begin(), image.end()));
  EXPECT_EQ(ReadFile(library()), ReadFile(fs::path(CAPCALC_SKIN_ENGINE_FILE)));
}

TEST_F(ProgramFolderTest, AnExistingFileIsNeitherRewrittenNorChanged) {
  std::ofstream(library()) << "not a library";
  fs::permissions(library(), fs::perms::owner_read);
  struct stat before {};
  ASSERT_EQ(stat(library().c_str(), &before), 0);
  std::string out, err;
  EXPECT_EQ(Run(&out, &err), 255);
  EXPECT_NE(err.find(kUnbound), std::string::npos) << err;
  struct stat after {};
  ASSERT_EQ(stat(library().c_str(), &after), 0);
  EXPECT_EQ(ReadFile(library()), "not a library");
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
}

TEST_F(ProgramFolderTest, AFolderOfThatNameIsLeftAlone) {
  fs::create_directory(library());
  std::ofstream(library() / "inside") << "kept";
  std::string out, err;
  EXPECT_EQ(Run(&out, &err), 255);
  EXPECT_NE(err.find(kUnbound), std::string::npos) << err;
  EXPECT_TRUE(fs::is_directory(library()));
  EXPECT_EQ(ReadFile(library() / "inside"), "kept");
}

TEST(SkinSetupTest, TheEngineGetsItsOwnCopyOfSkin19FreedAtOnce) {
  testing_support::StartHeadless();
  const rt::DllCommandDeclaration fake[] = {{CAPCALC_FAKE_SKIN_ENGINE, "SkinEngine_SetAero"},
                                            {CAPCALC_FAKE_SKIN_ENGINE, "SkinEngine_AttachRes"}};
  rt::InitDllCommandTables(fake);
  calc::SetAero(1);
  calc::AttachSkin(19);
  void* module = dlopen(CAPCALC_FAKE_SKIN_ENGINE, RTLD_NOW);
  ASSERT_NE(module, nullptr);
  auto* calls_of = reinterpret_cast<FakeSkinEngineCallsExport*>(dlsym(module, "FakeSkinEngine_Calls"));
  const FakeSkinEngineCalls& calls = *calls_of();
  EXPECT_EQ(calls.aero_calls, 1);
  EXPECT_EQ(calls.aero, 1);
  std::span<const uint8_t> skin19 = skin::EmbeddedSkin(19);
  EXPECT_EQ(calls.byte_count, static_cast<int32_t>(skin19.size()));
  EXPECT_EQ(calls.skin_bytes, std::vector<uint8_t>(skin19.begin(), skin19.end()));
  EXPECT_NE(calls.skin, skin19.data());  // a copy, not the program's constant data
  EXPECT_TRUE(calls.text_is_empty_string);
  EXPECT_EQ(std::vector<int32_t>(calls.reserved, calls.reserved + 3), std::vector<int32_t>({0, 0, 0}));
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_TRUE(__asan_address_is_poisoned(calls.skin)) << "the skin buffer outlived the call";
#endif
  calc::AttachSkin(34);  // no such skin: no buffer at all
  EXPECT_EQ(calls.skin, nullptr);
  EXPECT_EQ(calls.byte_count, 0);
  dlclose(module);
}

}  // namespace
