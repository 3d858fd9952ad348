#include "runtime/core/file_commands.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/core/heap.h"
#include "tests/child_process.h"
#include "tests/small_file_system.h"
#include "tests/temporary_folder.h"

namespace {

namespace fs = std::filesystem;

using BytesBlock = rt::HeapBlock;

BytesBlock Bytes(std::string_view content) {
  return BytesBlock(rt::NewBytes(content.data(), static_cast<uint32_t>(content.size())));
}

class FileCommandsTest : public testing::Test {
 protected:
  // Paths in the tests are ASCII or GBK literals; both are the program's own texts.
  std::string In(const std::string& name) const { return (dir_ / name).string(); }

  static bool Call(rt::Command command, const std::vector<rt::Value>& args) {
    const rt::Value result = rt::CallCommand(command, static_cast<int>(args.size()), args.data());
    EXPECT_EQ(result.type, rt::kBool);
    return result.lo != 0;
  }
  static bool Exists(const std::string& path) {
    return Call(rt::FileExists, {rt::MakeText(path.c_str())});
  }
  static bool Write(const std::string& path, const std::vector<const BytesBlock*>& arrays) {
    std::vector<rt::Value> args{rt::MakeText(path.c_str())};
    for (const BytesBlock* block : arrays) args.push_back(rt::MakeBytes(block->get()));
    return Call(rt::WriteBytesToFile, args);
  }
  static bool WriteNew(const std::string& path, const std::vector<const BytesBlock*>& arrays) {
    std::vector<rt::Value> args{rt::MakeText(path.c_str())};
    for (const BytesBlock* block : arrays) args.push_back(rt::MakeBytes(block->get()));
    return Call(rt::WriteNewFile, args);
  }
  static bool SetAttr(const std::string& path, int32_t attributes) {
    return Call(rt::SetFileAttr, {rt::MakeText(path.c_str()), rt::MakeInt(attributes)});
  }

  static std::string Content(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void MakeFile(const std::string& name, std::string_view content = "x") const {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  std::vector<std::string> Entries() const { return testing_support::FolderEntries(dir_); }
  static fs::perms CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return fs::perms(mask);
  }
  fs::perms Permissions(const std::string& name) const {
    return fs::status(dir_ / name).permissions();
  }

  const testing_support::TemporaryFolder folder_{"capcalc-files"};
  const fs::path& dir_ = folder_.path();
};

TEST_F(FileCommandsTest, ExistsForFilesAndFoldersButNotForMissingOrEmptyPaths) {
  MakeFile("SkinEngine.so");
  fs::create_directory(dir_ / "sub");
  EXPECT_TRUE(Exists(In("SkinEngine.so")));
  EXPECT_TRUE(Exists(In("sub")));
  EXPECT_TRUE(Exists(dir_.string()));
  EXPECT_FALSE(Exists(In("missing.so")));
  EXPECT_FALSE(Exists(""));
  EXPECT_FALSE(Call(rt::FileExists, {rt::MakeText(nullptr)}));
  EXPECT_FALSE(Call(rt::FileExists, {rt::MakeInt(7)}));
  EXPECT_FALSE(Call(rt::FileExists, {}));
}

TEST_F(FileCommandsTest, DanglingSymbolicLinkIsAnEntry) {
  fs::create_symlink(dir_ / "nowhere", dir_ / "link.so");
  EXPECT_TRUE(Exists(In("link.so")));
}

TEST_F(FileCommandsTest, WildcardsInTheLastComponentMatchFolderEntries) {
  MakeFile("SkinEngine.so");
  MakeFile("a[1]b.txt");
  fs::create_directory(dir_ / "sub");
  EXPECT_TRUE(Exists(In("*.so")));
  EXPECT_TRUE(Exists(In("Skin?ngine.*")));
  EXPECT_TRUE(Exists(In("s*b")));  // a folder matches as well
  EXPECT_FALSE(Exists(In("*.dll")));
  EXPECT_FALSE(Exists(In("SkinEngine.s?o")));
  // Only "*" and "?" are special: brackets are part of the name.
  EXPECT_TRUE(Exists(In("a[1]*")));
  EXPECT_FALSE(Exists(In("[a]*")));
  EXPECT_FALSE(Exists(In("missing/*")));
}

TEST_F(FileCommandsTest, QuestionMarkTakesOneWholeChineseCharacter) {
  MakeFile(reinterpret_cast<const char*>(u8"电容.so"));
  EXPECT_TRUE(Exists(In("??.so")));
  EXPECT_FALSE(Exists(In("???.so")));
  EXPECT_FALSE(Exists(In("?.so")));
}

TEST_F(FileCommandsTest, StarPatternsWithManyStarsStillAnswer) {
  MakeFile(std::string(200, 'a'));
  EXPECT_FALSE(Exists(In("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b")));
  EXPECT_TRUE(Exists(In("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*")));
}

TEST_F(FileCommandsTest, GbkPathReachesTheFileSystemAsUtf8) {
  const std::string gbk_path = In("皮肤引擎.so");  // compiled as GBK
  auto image = Bytes("ELF");
  ASSERT_TRUE(Write(gbk_path, {&image}));
  EXPECT_EQ(Content(dir_ / reinterpret_cast<const char*>(u8"皮肤引擎.so")), "ELF");
  EXPECT_TRUE(Exists(gbk_path));
  EXPECT_TRUE(SetAttr(gbk_path, rt::kAttrHidden));
}

TEST_F(FileCommandsTest, WriteWithEmptyPathFailsAndTouchesNothing) {
  auto image = Bytes("abc");
  EXPECT_FALSE(Write("", {&image}));
  EXPECT_FALSE(Call(rt::WriteBytesToFile, {rt::MakeText(nullptr), rt::MakeBytes(image.get())}));
  EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(FileCommandsTest, WritesArraysInOrderSkippingEmptyOnes) {
  auto first = Bytes(std::string("one\0", 4));
  auto empty = Bytes("");
  auto second = Bytes("two");
  EXPECT_TRUE(Write(In("out.bin"), {&first, &empty, &second}));
  EXPECT_EQ(Content(dir_ / "out.bin"), std::string("one\0two", 7));

  EXPECT_TRUE(
      Call(rt::WriteBytesToFile, {rt::MakeText(In("null.bin").c_str()), rt::MakeBytes(nullptr)}));
  EXPECT_EQ(fs::file_size(dir_ / "null.bin"), 0u);
}

TEST_F(FileCommandsTest, ExistingFileIsReplacedWhole) {
  MakeFile("out.bin", "a much longer old content");
  auto image = Bytes("new");
  EXPECT_TRUE(Write(In("out.bin"), {&image}));
  EXPECT_EQ(Content(dir_ / "out.bin"), "new");
}

TEST_F(FileCommandsTest, ArgumentThatIsNotAByteArrayFailsBeforeTouchingTheFile) {
  MakeFile("out.bin", "keep");
  auto image = Bytes("new");
  EXPECT_FALSE(Call(rt::WriteBytesToFile, {rt::MakeText(In("out.bin").c_str()),
                                           rt::MakeBytes(image.get()), rt::MakeInt(5)}));
  EXPECT_EQ(Content(dir_ / "out.bin"), "keep");
}

TEST_F(FileCommandsTest, WriteFailsOnFoldersFifosAndFilesLockedByOthers) {
  auto image = Bytes("new");
  fs::create_directory(dir_ / "sub");
  EXPECT_FALSE(Write(In("sub"), {&image}));

  // With no reader a FIFO would block the open forever.
  ASSERT_EQ(mkfifo(In("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(Write(In("pipe"), {&image}));

  MakeFile("busy.bin", "in use");
  const int holder = open(In("busy.bin").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_SH), 0);
  EXPECT_FALSE(Write(In("busy.bin"), {&image}));
  close(holder);
  EXPECT_EQ(Content(dir_ / "busy.bin"), "in use");
}

// Tried as an unprivileged user in a child: permission bits do not stop root.
TEST_F(FileCommandsTest, WriteIntoReadOnlyFolderFails) {
  fs::create_directory(dir_ / "locked");
  ASSERT_EQ(chown(In("locked").c_str(), testing_support::UnprivilegedUser(),
                  testing_support::UnprivilegedGroup()),
            0);
  fs::permissions(dir_, fs::perms(0711));
  fs::permissions(dir_ / "locked", fs::perms(0555));
  const int status = testing_support::RunInChild(
      [&] {
        auto image = Bytes("abc");
        const bool refused = !Write(In("locked/SkinEngine.so"), {&image}) &&
                             !WriteNew(In("locked/SkinEngine.so"), {&image}) &&
                             !Exists(In("locked/SkinEngine.so"));
        return refused ? 0 : 1;
      },
      {.unprivileged = true});
  EXPECT_EQ(status, 0);
}

TEST_F(FileCommandsTest, WriteNewCreatesTheWholeFileAndLeavesNothingElse) {
  auto first = Bytes("one");
  auto second = Bytes("two");
  EXPECT_TRUE(WriteNew(In("lib.so"), {&first, &second}));
  EXPECT_EQ(Content(dir_ / "lib.so"), "onetwo");
  EXPECT_EQ(Permissions("lib.so"), fs::perms(0644) & ~CurrentUmask());
  EXPECT_EQ(Entries(), std::vector<std::string>{"lib.so"});
  EXPECT_FALSE(WriteNew("", {&first}));
  EXPECT_FALSE(Call(rt::WriteNewFile, {rt::MakeText(In("other.so").c_str()), rt::MakeInt(5)}));
  EXPECT_EQ(Entries(), std::vector<std::string>{"lib.so"});
}

// Whatever is under the name stays exactly as it is: a file, a folder, a link to nowhere.
TEST_F(FileCommandsTest, WriteNewNeverReplacesAnything) {
  MakeFile("file.so", "old");
  fs::create_directory(dir_ / "folder.so");
  fs::create_symlink(dir_ / "nowhere", dir_ / "link.so");
  auto image = Bytes("new");
  for (const char* name : {"file.so", "folder.so", "link.so"})
    EXPECT_FALSE(WriteNew(In(name), {&image})) << name;
  EXPECT_EQ(Content(dir_ / "file.so"), "old");
  EXPECT_TRUE(fs::is_directory(dir_ / "folder.so"));
  EXPECT_FALSE(fs::exists(dir_ / "nowhere"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"file.so", "folder.so", "link.so"}));
}

// A disk that fills while writing (here the file size limit) gives no file under the
// name, and the temporary file goes.
TEST_F(FileCommandsTest, WriteNewThatFailsPartWayLeavesNothing) {
  const int status = testing_support::RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    auto image = Bytes(std::string(100000, 'x'));
    return WriteNew(In("lib.so"), {&image}) ? 1 : 0;
  });
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(FileCommandsTest, ReadOnlyMapsToWritePermission) {
  MakeFile("lib.so");
  fs::permissions(dir_ / "lib.so", fs::perms(0664));
  EXPECT_TRUE(SetAttr(In("lib.so"), rt::kAttrReadOnly | rt::kAttrArchive));
  EXPECT_EQ(Permissions("lib.so"), fs::perms(0444));
  EXPECT_TRUE(SetAttr(In("lib.so"), 0));
  EXPECT_EQ(Permissions("lib.so"), fs::perms(0644));
}

TEST_F(FileCommandsTest, HiddenPlusDirectoryBitSetsOnlyHidden) {
  MakeFile("lib.so");
  fs::permissions(dir_ / "lib.so", fs::perms(0444));
  // 0x10 is dropped and hidden has no counterpart, so only read-only is cleared.
  EXPECT_TRUE(SetAttr(In("lib.so"), 0x12));
  EXPECT_EQ(Permissions("lib.so"), fs::perms(0644));
  EXPECT_TRUE(Exists(In("lib.so")));
}

TEST_F(FileCommandsTest, SetAttrFailsForMissingPathsAndMissingArguments) {
  EXPECT_FALSE(SetAttr(In("missing.so"), rt::kAttrHidden));
  EXPECT_FALSE(SetAttr("", rt::kAttrHidden));
  MakeFile("lib.so");
  EXPECT_FALSE(Call(rt::SetFileAttr, {rt::MakeText(In("lib.so").c_str())}));
}

}  // namespace
