// The POSIX platform layer's files written whole or not at all, with each system call they
// make failing in turn and on file systems that fill up, and the user's home folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "tests/child_process.h"
#include "tests/file_faults.h"
#include "tests/small_file_system.h"
#include "tests/temporary_folder.h"

namespace {

namespace fs = std::filesystem;
namespace platform = rt::platform;
using testing_support::Fault;
using testing_support::SystemCallsWith;

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Every byte value, NULs among them, so that any byte lost or changed shows.
std::string EarlierContent() {
  std::string content(4096, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
  return content;
}

const std::string kNewContent(100000, 'n');

bool Replace(const std::string& path, std::string_view content, std::string* reason = nullptr) {
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(content.data()),
                                       content.size());
  return platform::ReplaceFileAtomically(path, bytes, reason);
}

std::string Content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

using testing_support::FolderEntries;

class WholeFileTest : public testing::Test {
 protected:
  // Paths in the tests are ASCII or GBK literals; both are the program's own texts.
  std::string In(const std::string& name) const { return (dir_ / name).string(); }
  void MakeFile(const std::string& name, std::string_view content) const {
    std::ofstream(dir_ / name, std::ios::binary) << content;
  }
  fs::perms Permissions(const std::string& name) const {
    return fs::status(dir_ / name).permissions();
  }

  // The earlier file is there byte for byte, and nothing beside it.
  void ExpectOnlyTheEarlierFile() const {
    EXPECT_EQ(Content(dir_ / "sheet.html"), EarlierContent());
    EXPECT_EQ(FolderEntries(dir_), std::vector<std::string>{"sheet.html"});
  }

  const testing_support::TemporaryFolder folder_{"capcalc-whole"};
  const fs::path& dir_ = folder_.path();
};

// A sheet is a document the user shares: it gets what any new file of the user gets, the
// umask deciding, and nothing of the file it replaces.
TEST_F(WholeFileTest, ANewFileGetsWhatAnyNewFileOfTheUserGets) {
  MakeFile("earlier.html", "earlier");
  fs::permissions(dir_ / "earlier.html", fs::perms(0600));
  const mode_t umask_before = umask(027);
  EXPECT_TRUE(Replace(In("new.html"), kNewContent));
  EXPECT_TRUE(Replace(In("earlier.html"), "replaced"));
  EXPECT_TRUE(Replace(In("empty.html"), ""));
  umask(umask_before);
  EXPECT_EQ(Content(dir_ / "new.html"), kNewContent);
  EXPECT_EQ(Content(dir_ / "earlier.html"), "replaced");
  EXPECT_EQ(fs::file_size(dir_ / "empty.html"), 0u);
  for (const char* name : {"new.html", "earlier.html", "empty.html"})
    EXPECT_EQ(Permissions(name), fs::perms(0640));
  EXPECT_EQ(FolderEntries(dir_),
            (std::vector<std::string>{"earlier.html", "empty.html", "new.html"}));
}

TEST_F(WholeFileTest, GbkNamesReachTheFileSystemAsUtf8) {
  fs::create_directory(dir_ / Utf8(u8"资料"));
  EXPECT_TRUE(Replace(In("资料/计算书.html"), "sheet"));  // compiled as GBK
  EXPECT_EQ(Content(dir_ / Utf8(u8"资料") / Utf8(u8"计算书.html")), "sheet");
  EXPECT_EQ(FolderEntries(dir_ / Utf8(u8"资料")), std::vector<std::string>{Utf8(u8"计算书.html")});
}

// The temporary file and the folder synced are the current folder's.
TEST_F(WholeFileTest, ABareNameIsWrittenInTheCurrentFolder) {
  const int status = testing_support::RunInChild([&] {
    if (chdir(dir_.c_str()) != 0) return 2;
    return Replace("sheet.html", "bare") ? 0 : 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Content(dir_ / "sheet.html"), "bare");
  EXPECT_EQ(FolderEntries(dir_), std::vector<std::string>{"sheet.html"});
}

TEST_F(WholeFileTest, AnEmptyPathAndWhatIsNoRegularFileAreRefusedWithTheReason) {
  std::string reason;
  EXPECT_FALSE(Replace("", "x", &reason));
  EXPECT_EQ(reason, std::strerror(ENOENT));
  fs::create_directory(dir_ / "folder.html");
  ASSERT_EQ(mkfifo(In("fifo.html").c_str(), 0600), 0);
  fs::create_symlink("fifo.html", dir_ / "to-fifo.html");
  for (const char* name : {"folder.html", "fifo.html", "to-fifo.html"}) {
    EXPECT_FALSE(Replace(In(name), "x", &reason)) << name;
    EXPECT_EQ(reason, platform::kNotARegularFile) << name;
  }
  EXPECT_TRUE(fs::is_empty(dir_ / "folder.html"));
  EXPECT_TRUE(fs::is_fifo(dir_ / "fifo.html"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "to-fifo.html"));
  EXPECT_EQ(FolderEntries(dir_),
            (std::vector<std::string>{"fifo.html", "folder.html", "to-fifo.html"}));
}

// A link to a file keeps leading to it, and the file it leads to is replaced whole, in
// its own folder; a link that leads nowhere is replaced by the file.
TEST_F(WholeFileTest, ALinkToAFileKeepsLeadingToIt) {
  fs::create_directory(dir_ / "real");
  std::ofstream(dir_ / "real" / "sheet.html") << "earlier";
  fs::create_symlink("real/sheet.html", dir_ / "link.html");
  fs::create_symlink("nowhere.html", dir_ / "dangling.html");
  EXPECT_TRUE(Replace(In("link.html"), "new"));
  EXPECT_TRUE(Replace(In("dangling.html"), "new"));
  EXPECT_EQ(fs::read_symlink(dir_ / "link.html"), "real/sheet.html");
  EXPECT_EQ(Content(dir_ / "real" / "sheet.html"), "new");
  EXPECT_EQ(FolderEntries(dir_ / "real"), std::vector<std::string>{"sheet.html"});
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(dir_ / "dangling.html")));
  EXPECT_EQ(FolderEntries(dir_), (std::vector<std::string>{"dangling.html", "link.html", "real"}));
}

// As root, a device would be replaced by a file: /dev/null stays a device.
TEST_F(WholeFileTest, ADeviceIsNeverReplaced) {
  std::string reason;
  EXPECT_FALSE(Replace("/dev/null", "x", &reason));
  EXPECT_EQ(reason, platform::kNotARegularFile);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// Only temporaries of the name's own pattern that no write can still be busy with go.
TEST_F(WholeFileTest, LeftoverTemporariesOfTheNameAlone) {
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(6);
  for (const char* name : {".sheet.html.0123abcd", ".sheet.html.fedcba98", ".sheet.html.0123abc",
                           ".sheet.htm.0123abcd", ".other.html.0123abcd"}) {
    MakeFile(name, "partial");
    fs::last_write_time(dir_ / name, old);
  }
  MakeFile(".sheet.html.00000000", "being written");
  fs::create_symlink("/etc/hostname", dir_ / ".sheet.html.11111111");
  const timespec link_times[2] = {{0, UTIME_OMIT}, {1, 0}};  // the link itself, long ago
  ASSERT_EQ(
      utimensat(AT_FDCWD, In(".sheet.html.11111111").c_str(), link_times, AT_SYMLINK_NOFOLLOW), 0);
  platform::RemoveLeftoverTemporaries(In("sheet.html"));
  EXPECT_EQ(FolderEntries(dir_),
            (std::vector<std::string>{".other.html.0123abcd", ".sheet.htm.0123abcd",
                                      ".sheet.html.00000000", ".sheet.html.0123abc",
                                      ".sheet.html.11111111"}));
}

const Fault kFaults[] = {
    {"creating the temporary file", EACCES, SystemCallsWith([](platform::FileCalls& calls) {
       calls.open = [](const char* path, int flags, mode_t mode) {
         if (flags & O_EXCL) {
           errno = EACCES;
           return -1;
         }
         return platform::SystemFileCalls().open(path, flags, mode);
       };
     })},
    // 1,000 bytes written, then the disk full: a short write that is not retried forever.
    {"writing, part way", ENOSPC, SystemCallsWith([](platform::FileCalls& calls) {
       calls.write = [](int fd, const void* data, size_t size) -> ssize_t {
         if (lseek(fd, 0, SEEK_CUR) > 0) {
           errno = ENOSPC;
           return -1;
         }
         return platform::SystemFileCalls().write(fd, data, std::min<size_t>(size, 1000));
       };
     })},
    {"syncing the file", EIO, SystemCallsWith([](platform::FileCalls& calls) {
       calls.fsync = [](int) {
         errno = EIO;
         return -1;
       };
     })},
    // Linux closes the descriptor even when it reports a failure of the writing.
    {"closing the file", EIO, SystemCallsWith([](platform::FileCalls& calls) {
       calls.close = [](int fd) {
         platform::SystemFileCalls().close(fd);
         errno = EIO;
         return -1;
       };
     })},
    {"renaming over the earlier file", EBUSY, SystemCallsWith([](platform::FileCalls& calls) {
       calls.rename = [](const char*, const char*) {
         errno = EBUSY;
         return -1;
       };
     })},
};

TEST_F(WholeFileTest, EachFailingCallLeavesTheEarlierFileWholeAndNoTemporary) {
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.where);
    MakeFile("sheet.html", EarlierContent());
    std::string reason;
    {
      const platform::ReplacedFileCalls replaced(fault.calls);
      EXPECT_FALSE(Replace(In("sheet.html"), kNewContent, &reason));
    }
    EXPECT_EQ(reason, std::strerror(static_cast<int>(fault.error)));
    ExpectOnlyTheEarlierFile();
  }
}

bool g_folder_synced = false;

// Once the new file has its name, the earlier one is gone: a folder that cannot be synced
// then leaves the whole new file, and says so by success.
TEST_F(WholeFileTest, TheFolderIsSyncedAndItsFailureUndoesNothing) {
  MakeFile("sheet.html", EarlierContent());
  g_folder_synced = false;
  const platform::FileCalls calls = SystemCallsWith([](platform::FileCalls& table) {
    table.fsync = [](int fd) {
      struct stat status;
      if (fstat(fd, &status) != 0 || !S_ISDIR(status.st_mode))
        return platform::SystemFileCalls().fsync(fd);
      g_folder_synced = true;
      errno = EIO;
      return -1;
    };
  });
  {
    const platform::ReplacedFileCalls replaced(calls);
    EXPECT_TRUE(Replace(In("sheet.html"), kNewContent));
  }
  EXPECT_TRUE(g_folder_synced);
  EXPECT_EQ(Content(dir_ / "sheet.html"), kNewContent);
  EXPECT_EQ(FolderEntries(dir_), std::vector<std::string>{"sheet.html"});
}

// A file-size limit stops the writing part way, as a full disk would.
TEST_F(WholeFileTest, AFileSizeLimitLeavesTheEarlierFileWhole) {
  MakeFile("sheet.html", EarlierContent());
  const int status = testing_support::RunInChild([&] {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::string reason;
    return !Replace(In("sheet.html"), kNewContent, &reason) && reason == std::strerror(EFBIG) ? 0
                                                                                              : 1;
  });
  EXPECT_EQ(status, 0);
  ExpectOnlyTheEarlierFile();
}

// A tiny file system of the child's own: it goes with the child, whatever becomes of the
// test.
TEST_F(WholeFileTest, AFullFileSystemLeavesTheEarlierFileWhole) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a file system takes root";
  const fs::path small = dir_ / "small";
  fs::create_directory(small);
  const int status = testing_support::RunOnSmallFileSystem(small, "64k", [&] {
    std::ofstream(small / "sheet.html", std::ios::binary) << EarlierContent();
    std::string reason;
    if (Replace((small / "sheet.html").string(), kNewContent, &reason) ||
        reason != std::strerror(ENOSPC))
      return 1;
    if (Content(small / "sheet.html") != EarlierContent()) return 2;
    return FolderEntries(small) == std::vector<std::string>{"sheet.html"} ? 0 : 3;
  });
  if (status == testing_support::kCannotMount)
    GTEST_SKIP() << "no file system could be mounted here";
  EXPECT_EQ(status, 0);
}

// Sets or clears HOME for as long as it lives.
class HomeSetTo {
 public:
  explicit HomeSetTo(const char* home) {
    if (const char* before = std::getenv("HOME")) before_ = before;
    home ? setenv("HOME", home, 1) : unsetenv("HOME");
  }
  ~HomeSetTo() { before_ ? setenv("HOME", before_->c_str(), 1) : unsetenv("HOME"); }

 private:
  std::optional<std::string> before_;
};

TEST(HomeFolderTest, HomeAsAnInsideTextElseTheUsersEntry) {
  {
    const HomeSetTo home(reinterpret_cast<const char*>(u8"/home/工程师"));
    EXPECT_EQ(platform::HomeFolder(), "/home/工程师");  // compiled as GBK
  }
  const std::string entry = rt::Utf8ToGbk(getpwuid(getuid())->pw_dir);
  for (const char* unhelpful : {"", static_cast<const char*>(nullptr)}) {
    const HomeSetTo home(unhelpful);
    EXPECT_EQ(platform::HomeFolder(), entry);
  }
}

}  // namespace
