// Putting the skin engine beside the program and calling it: a fresh folder gets the
// library, whatever the folder is called and however many starts write it at once;
// anything already there under its name is left exactly as it is, and only a sound
// library is loaded; the skin buffer is the program's own, freed as soon as the engine
// returns.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <vector>

#include "calc/pages/skin_setup.h"
#include "runtime/core/dll_commands.h"
#include "runtime/platform/gbk.h"
#include "skin/skin_data.h"
#include "tests/child_process.h"
#include "tests/fake_skin_engine/fake_skin_engine.h"
#include "tests/headless_window.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace {

namespace fs = std::filesystem;

using namespace std::chrono_literals;
using testing_support::ChildOptions;
using testing_support::ChildOutcome;
using testing_support::RunCommand;

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

const std::string kStarSelected = U8(u8"组合框_接线方式=星形接线\n");
const std::string kUnbound =
    U8(u8"无法找到指定DLL库文件“SkinEngine.so”中的输出命令“SkinEngine_SetAero”");
const std::string kNotWritten = U8(u8"\r\n无法在程序所在文件夹写入“SkinEngine.so”：");

// Whether the file holds exactly the library the program carries. A bool, so that a
// failure does not print the whole library.
bool HoldsTheImage(const fs::path& path) {
  std::span<const uint8_t> image = skin::SkinEngineImage();
  return ReadFile(path) == std::string(image.begin(), image.end());
}

// A folder holding a copy of the headless driver and nothing else, under a name of the
// test's choice.
class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    top_ = fs::temp_directory_path() /
           ("capcalc-skin-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(top_);
    fs::create_directories(top_);
    std::ofstream(top_ / "script") << U8(u8"get 组合框_接线方式\n");
    MakeProgramFolder("program");
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(top_, ignored);
  }

  void MakeProgramFolder(const std::string& name) {
    folder_ = top_ / name;
    fs::create_directories(folder_);
    fs::copy_file(CAPCALC_SCRIPT_PROGRAM, folder_ / "capcalc-script");
  }

  // Runs the driver in its folder (started from elsewhere) with one command.
  ChildOutcome Run(const std::string& before = "", ChildOptions options = {}) const {
    const std::string program = (folder_ / "capcalc-script").string();
    return RunCommand(before + "cd / && '" + program + "' " + (top_ / "script").string(), options);
  }

  // What a start that cannot bind the library shows, and quickly: no hang, no crash. With
  // a `reason`, the message goes on with a line saying that the library could not be
  // written, and why; without, it ends there.
  void ExpectRefused(const std::string& what, const std::string& before = "",
                     const std::string& reason = "", bool unprivileged = false) {
    const ChildOutcome outcome = Run(before, {.limit = 5s, .unprivileged = unprivileged});
    EXPECT_EQ(outcome.status, 255)
        << what << " (took " << outcome.took.count() << " ms): " << outcome.err;
    const std::string cause = reason.empty() ? "" : kNotWritten + reason;
    EXPECT_NE(outcome.err.find(kUnbound + cause + "\r\n"), std::string::npos)
        << what << ": " << outcome.err;
  }

  void PlantLibrary(fs::perms permissions) {
    fs::copy_file(CAPCALC_SKIN_ENGINE_FILE, library());
    fs::permissions(library(), permissions);
  }

  // The folder's entries other than the program and the library: temporary files left over.
  std::vector<std::string> Leftovers() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name != "capcalc-script" && name != "SkinEngine.so") names.push_back(name);
    }
    return names;
  }

  fs::path library() const { return folder_ / "SkinEngine.so"; }

  fs::path top_;
  fs::path folder_;
};

TEST_F(ProgramFolderTest, AFreshFolderGetsTheLibrary) {
  const ChildOutcome outcome = Run();
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, kStarSelected);
  EXPECT_TRUE(HoldsTheImage(library()));
  EXPECT_TRUE(HoldsTheImage(CAPCALC_SKIN_ENGINE_FILE));
  EXPECT_TRUE(Leftovers().empty());
}

// Folders whose names GBK cannot spell, or that are not even UTF-8, hold the program as
// well as any other; and the library is the one in that very folder, not in a folder
// whose name merely looks alike.
TEST_F(ProgramFolderTest, TheLibraryIsWrittenAndLoadedInThatVeryFolder) {
  fs::create_directory(top_ / "app?");
  std::ofstream(top_ / "app?" / "SkinEngine.so") << "not a library";
  for (const std::string& name : {U8(u8"프로그램"), U8(u8"app📁"), std::string("caf\xe9")}) {
    MakeProgramFolder(name);
    const ChildOutcome outcome = Run();
    EXPECT_EQ(outcome.status, 0) << name << ": " << outcome.err;
    EXPECT_EQ(outcome.out, kStarSelected) << name;
    EXPECT_TRUE(HoldsTheImage(library())) << name;
  }
}

TEST_F(ProgramFolderTest, AnExistingFileIsNeitherRewrittenNorChanged) {
  std::ofstream(library()) << "not a library";
  fs::permissions(library(), fs::perms::owner_read);
  struct stat before {};
  ASSERT_EQ(stat(library().c_str(), &before), 0);
  ExpectRefused("a text file");
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
  ExpectRefused("a folder");
  EXPECT_TRUE(fs::is_directory(library()));
  EXPECT_EQ(ReadFile(library() / "inside"), "kept");
}

// A library cut short, as a start killed while writing or a full disk left it before,
// would be mapped in part and kill the process on the first touch past its end.
TEST_F(ProgramFolderTest, ACutLibraryIsRefused) {
  PlantLibrary(fs::perms(0644));
  fs::resize_file(library(), 4096);
  ExpectRefused("a library cut to 4096 bytes");
}

// Nothing that would hang the start, and nothing another user could have written.
TEST_F(ProgramFolderTest, OnlyASoundFileIsLoaded) {
  ASSERT_EQ(mkfifo(library().c_str(), 0600), 0);
  ExpectRefused("a FIFO");
  fs::remove(library());
  fs::create_symlink("/dev/zero", library());
  ExpectRefused("a device");
  fs::remove(library());
  PlantLibrary(fs::perms(0664));
  ExpectRefused("a library the group may write");
  fs::permissions(library(), fs::perms(0646));
  ExpectRefused("a library others may write");
  if (geteuid() == 0) {
    fs::permissions(library(), fs::perms(0644));
    ASSERT_EQ(chown(library().c_str(), testing_support::UnprivilegedUser(),
                    testing_support::UnprivilegedGroup()),
              0);
    ExpectRefused("another user's library");
  }
}

// A link under the name is followed only when it, too, is the user's or root's: one that
// another user planted in a folder everyone can write chooses which library runs.
TEST_F(ProgramFolderTest, ALinkAnotherUserPlantedIsRefused) {
  const fs::path sound = top_ / "sound.so";
  fs::copy_file(CAPCALC_SKIN_ENGINE_FILE, sound);
  fs::permissions(sound, fs::perms(0644));
  fs::create_symlink(sound, library());
  const ChildOutcome own = Run();
  EXPECT_EQ(own.status, 0) << own.err;
  if (geteuid() != 0) GTEST_SKIP() << "a link of another user takes root to make";
  ASSERT_EQ(lchown(library().c_str(), testing_support::UnprivilegedUser(),
                   testing_support::UnprivilegedGroup()),
            0);
  ExpectRefused("a link another user planted");
  EXPECT_TRUE(fs::is_symlink(library()));
}

// A start killed between writing the library's temporary file and naming it leaves the
// temporary; a later start removes such leftovers, but never one a start beside it is
// still writing, nor anything else.
TEST_F(ProgramFolderTest, LeftoverTemporariesAreRemovedByALaterStart) {
  const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
  auto plant = [&](const std::string& name, bool old) {
    std::ofstream(folder_ / name) << "partial";
    if (old) fs::last_write_time(folder_ / name, an_hour_ago);
  };
  for (bool library_there : {false, true}) {
    plant(".SkinEngine.so.0123abcd", true);   // left by a killed start
    plant(".SkinEngine.so.89abcdef", false);  // a start beside this one still writing
    plant(".SkinEngine.so.old", true);
    plant("SkinEngine.so.0123abcd", true);
    plant(".SkinEngine.so.0123ABCD", true);
    fs::create_directory(folder_ / ".SkinEngine.so.00000000");
    fs::last_write_time(folder_ / ".SkinEngine.so.00000000", an_hour_ago);
    const ChildOutcome outcome = Run();
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    std::vector<std::string> left = Leftovers();
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{".SkinEngine.so.00000000", ".SkinEngine.so.0123ABCD",
                                              ".SkinEngine.so.89abcdef", ".SkinEngine.so.old",
                                              "SkinEngine.so.0123abcd"}))
        << "library already there: " << library_there;
    EXPECT_TRUE(HoldsTheImage(library()));
  }
}

// A program path longer than the system gives (4,559 bytes) leaves the program's folder
// unknown: nothing is written anywhere, and the report says why. The shell cannot enter
// such a folder, so the child does, a step at a time.
TEST_F(ProgramFolderTest, AProgramPathTooLongForTheSystemWritesNothing) {
  const bool root_had_library = fs::exists(fs::symlink_status("/SkinEngine.so"));
  const std::string step(100, 'd');
  const fs::path errors = top_ / "errors", script = top_ / "script";
  const int status = testing_support::RunInChild([&] {
    if (chdir(top_.c_str()) != 0) return 101;
    for (int i = 0; i < 45; ++i) {
      if (mkdir(step.c_str(), 0755) != 0 || chdir(step.c_str()) != 0) return 102;
    }
    fs::copy_file(CAPCALC_SCRIPT_PROGRAM, "capcalc-script");
    if (!freopen(errors.c_str(), "w", stderr)) return 103;
    setenv("LC_ALL", "C", 1);
    execl("./capcalc-script", "capcalc-script", script.c_str(), nullptr);
    return 104;
  });
  EXPECT_EQ(status, 255);
  EXPECT_NE(ReadFile(errors).find(kUnbound + kNotWritten + "File name too long\r\n"),
            std::string::npos)
      << ReadFile(errors);
  EXPECT_EQ(fs::exists(fs::symlink_status("/SkinEngine.so")), root_had_library);
  // The deepest folder holds the program alone.
  const ChildOutcome deepest = RunCommand("cd '" + top_.string() + "' && find " + step +
                                          " -type f -o -type l | sed 's,.*/,,'");
  EXPECT_EQ(deepest.out, "capcalc-script\n");
  RunCommand("rm -rf '" + (top_ / step).string() + "'");
}

// The design lets the user put an engine of their own under the name.
TEST_F(ProgramFolderTest, AReplacementEngineOfTheUsersOwnLoads) {
  fs::copy_file(CAPCALC_FAKE_SKIN_ENGINE, library());
  fs::permissions(library(), fs::perms(0755));
  const ChildOutcome outcome = Run();
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(outcome.out, kStarSelected);
}

TEST_F(ProgramFolderTest, TheLibraryIsNeverWritableByOthersWhateverTheUmask) {
  const ChildOutcome outcome = Run("umask 000 && ");
  EXPECT_EQ(outcome.status, 0) << outcome.err;
  EXPECT_EQ(
      fs::status(library()).permissions() & (fs::perms::group_write | fs::perms::others_write),
      fs::perms::none);
}

// A start ended while writing (here by the file size limit, whose signal kills it in the
// middle of the library) leaves nothing under the name, and the next start writes it.
TEST_F(ProgramFolderTest, AStartKilledWhileWritingLeavesNoPartialLibrary) {
  const ChildOutcome killed = Run("ulimit -f 16 && ");
  EXPECT_EQ(killed.status, 128 + SIGXFSZ) << killed.err;
  EXPECT_FALSE(fs::exists(fs::symlink_status(library())));
  const ChildOutcome next = Run();
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_TRUE(HoldsTheImage(library()));
}

// A disk that fills while writing (here the same limit with its signal ignored, so that
// the write fails) leaves neither a library nor its temporary file, and the start ends
// with the binding failure rather than a crash.
TEST_F(ProgramFolderTest, AWriteThatFailsLeavesNothingBehind) {
  ExpectRefused("a full disk", "export LC_ALL=C; trap '' XFSZ; ulimit -f 16 && ", "File too large");
  EXPECT_FALSE(fs::exists(fs::symlink_status(library())));
  EXPECT_TRUE(Leftovers().empty());
  const ChildOutcome next = Run();
  EXPECT_EQ(next.status, 0) << next.err;
  EXPECT_TRUE(HoldsTheImage(library()));
}

// A folder the user cannot write: the start ends as it must, and the report says why, in
// the system's words and in the user's language where the system has it, whatever the
// character set of the user's locale.
TEST_F(ProgramFolderTest, AFolderTheUserCannotWriteIsReportedWithTheReason) {
  fs::permissions(folder_, fs::perms(0555));
  ExpectRefused("a read-only folder", "export LC_ALL=C && ", "Permission denied", true);
  const fs::path locales = top_ / "locales";
  fs::create_directory(locales);
  const ChildOutcome made =
      RunCommand("localedef -i zh_CN -f GBK '" + (locales / "zh_CN.GBK").string() + "'");
  ASSERT_TRUE(fs::is_directory(locales / "zh_CN.GBK")) << made.err;
  ExpectRefused("a read-only folder, Chinese locale",
                "unset LANGUAGE; export LOCPATH='" + locales.string() + "' LC_ALL=zh_CN.GBK && ",
                U8(u8"权限不够"), true);
  EXPECT_FALSE(fs::exists(fs::symlink_status(library())));
  fs::permissions(folder_, fs::perms(0755));
  EXPECT_TRUE(Leftovers().empty());
}

// Eight first starts at once: each writes a library of its own, one of them gets the
// name, and every start loads a complete one.
TEST_F(ProgramFolderTest, FirstStartsAtOnceAllSucceed) {
  std::vector<std::future<ChildOutcome>> starts;
  for (int i = 0; i < 8; ++i)
    starts.push_back(std::async(std::launch::async, [this] { return Run(); }));
  for (std::future<ChildOutcome>& start : starts) {
    const ChildOutcome outcome = start.get();
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_EQ(outcome.out, kStarSelected);
  }
  EXPECT_TRUE(HoldsTheImage(library()));
  EXPECT_TRUE(Leftovers().empty());
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
  auto* calls_of =
      reinterpret_cast<FakeSkinEngineCallsExport*>(dlsym(module, "FakeSkinEngine_Calls"));
  const FakeSkinEngineCalls& calls = *calls_of();
  EXPECT_EQ(calls.aero_calls, 1);
  EXPECT_EQ(calls.aero, 1);
  std::span<const uint8_t> skin19 = skin::EmbeddedSkin(19);
  EXPECT_EQ(calls.byte_count, static_cast<int32_t>(skin19.size()));
  EXPECT_EQ(calls.skin_bytes, std::vector<uint8_t>(skin19.begin(), skin19.end()));
  EXPECT_NE(calls.skin, skin19.data());  // a copy, not the program's constant data
  EXPECT_TRUE(calls.text_is_empty_string);
  EXPECT_EQ(std::vector<int32_t>(calls.reserved, calls.reserved + 3),
            std::vector<int32_t>({0, 0, 0}));
#if defined(__SANITIZE_ADDRESS__)
  EXPECT_TRUE(__asan_address_is_poisoned(calls.skin)) << "the skin buffer outlived the call";
#endif
  calc::AttachSkin(34);  // no such skin: no buffer at all
  EXPECT_EQ(calls.skin, nullptr);
  EXPECT_EQ(calls.byte_count, 0);
  dlclose(module);
}

}  // namespace
