// The runtime's Windows platform layer as the file and DLL commands reach it: the real
// hidden attribute, files opened with no sharing, files replaced whole with each system
// call failing in turn, the library search that skips the current folder and PATH,
// sound-file checks, ordinal exports, wide paths, the home folder.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <float.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "runtime/core/dll_commands.h"
#include "runtime/core/file_commands.h"
#include "runtime/core/heap.h"
#include "runtime/platform/gbk.h"
#include "runtime/platform/platform.h"
#include "runtime/platform/whole_file_steps.h"
#include "tests/file_faults.h"
#include "tests/headless_window.h"

namespace {

namespace fs = std::filesystem;
namespace platform = rt::platform;
using testing_support::Fault;
using testing_support::SystemCallsWith;

using Add = int(int, int);

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// A fresh folder under the temporary folder, gone with the test.
class Win32PlatformTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("capcalc-win32-" + std::to_string(GetCurrentProcessId()) + "-" +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::current_path(started_in_);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir_))
      SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // Inside texts (GBK) of paths in the folder; `gbk_name` is an ASCII or GBK literal.
  std::string In(const std::string& gbk_name) const {
    return rt::Utf8ToGbk(PathUtf8(dir_)) + "\\" + gbk_name;
  }
  static std::string PathUtf8(const fs::path& path) {
    const std::u8string utf8 = path.u8string();
    return {utf8.begin(), utf8.end()};
  }
  fs::path Path(const std::string& gbk_name) const {
    const std::string utf8 = rt::GbkToUtf8(gbk_name);
    return dir_ / fs::path(std::u8string(utf8.begin(), utf8.end()));
  }

  static bool Call(rt::Command command, const std::vector<rt::Value>& args) {
    return rt::CallCommand(command, static_cast<int>(args.size()), args.data()).lo != 0;
  }
  static bool Exists(const std::string& path) {
    return Call(rt::FileExists, {rt::MakeText(path.c_str())});
  }
  static bool Write(rt::Command command, const std::string& path, std::string_view content) {
    const rt::HeapBlock bytes(rt::NewBytes(content.data(), static_cast<uint32_t>(content.size())));
    return Call(command, {rt::MakeText(path.c_str()), rt::MakeBytes(bytes.get())});
  }
  static bool SetAttr(const std::string& path, int32_t attributes) {
    return Call(rt::SetFileAttr, {rt::MakeText(path.c_str()), rt::MakeInt(attributes)});
  }
  DWORD Attributes(const std::string& gbk_name) const {
    return GetFileAttributesW(Path(gbk_name).c_str());
  }
  std::string Content(const std::string& gbk_name) const {
    std::ifstream in(Path(gbk_name), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  void MakeFile(const std::string& gbk_name, std::string_view content = "x") const {
    std::ofstream(Path(gbk_name), std::ios::binary) << content;
  }
  // The names in the folder, UTF-8, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir_))
      names.push_back(PathUtf8(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
  std::string CopyOfTestLibrary(const std::string& name) const {
    fs::copy_file(CAPCALC_TEST_COMMANDS_FILE, dir_ / name);
    return In(name);
  }

  fs::path dir_;
  fs::path started_in_ = fs::current_path();
};

// Wine marks every file for archiving whatever it is told; Windows keeps what it is told.
constexpr DWORD kAllButArchive =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

TEST_F(Win32PlatformTest, HiddenIsTheFilesOwnAttributeAndOnlyTheMaskedBitsApply) {
  MakeFile("SkinEngine.dll");
  EXPECT_TRUE(SetAttr(In("SkinEngine.dll"), rt::kAttrHidden));
  EXPECT_EQ(Attributes("SkinEngine.dll") & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(SetAttr(In("SkinEngine.dll"), 0x12));  // hidden plus the directory bit
  EXPECT_EQ(Attributes("SkinEngine.dll") & ~static_cast<DWORD>(FILE_ATTRIBUTE_ARCHIVE),
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  EXPECT_TRUE(SetAttr(In("SkinEngine.dll"), 0x27 | 0x100));
  EXPECT_EQ(Attributes("SkinEngine.dll"),
            static_cast<DWORD>(kAllButArchive | FILE_ATTRIBUTE_ARCHIVE));
  EXPECT_TRUE(SetAttr(In("SkinEngine.dll"), 0));
  EXPECT_EQ(Attributes("SkinEngine.dll") & kAllButArchive, 0u);
  EXPECT_FALSE(SetAttr(In("missing.dll"), rt::kAttrHidden));
}

TEST_F(Win32PlatformTest, ExistsForFilesFoldersAndPatternsAsWindowsMatchesThem) {
  MakeFile("SkinEngine.dll");
  fs::create_directory(dir_ / "sub");
  EXPECT_TRUE(Exists(In("SkinEngine.dll")));
  EXPECT_TRUE(Exists(In("skinengine.DLL")));  // names are compared without case
  EXPECT_TRUE(Exists(In("sub")));
  EXPECT_TRUE(Exists(In("*.dll")));
  EXPECT_TRUE(Exists(In("Skin????ne.dll")));
  EXPECT_FALSE(Exists(In("*.exe")));
  EXPECT_FALSE(Exists(In("missing.dll")));
  EXPECT_FALSE(Exists(""));
}

// The inside text is GBK; the file system sees the characters it stands for.
TEST_F(Win32PlatformTest, GbkPathsReachTheFileSystemAsTheirCharacters) {
  EXPECT_TRUE(Write(rt::WriteBytesToFile, In("皮肤引擎.dll"), "MZ"));
  EXPECT_TRUE(fs::exists(dir_ / fs::path(u8"皮肤引擎.dll")));
  EXPECT_TRUE(Exists(In("皮肤??.dll")));
  EXPECT_TRUE(SetAttr(In("皮肤引擎.dll"), rt::kAttrHidden));
  EXPECT_EQ(GetFileAttributesW((dir_ / fs::path(u8"皮肤引擎.dll")).c_str()) & kAllButArchive,
            static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
}

// Nobody else opens a file while the runtime writes it, and a file someone else holds is
// not written.
TEST_F(Win32PlatformTest, FilesAreWrittenWithNoSharing) {
  platform::File file = platform::OpenEmptiedForWriting(In("lib.dll"));
  ASSERT_TRUE(file.open());
  HANDLE other = CreateFileW(Path("lib.dll").c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
  const DWORD error = GetLastError();
  EXPECT_EQ(other, INVALID_HANDLE_VALUE);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  EXPECT_TRUE(platform::Close(file));

  HANDLE reader = CreateFileW(Path("lib.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(Write(rt::WriteBytesToFile, In("lib.dll"), "new"));
  CloseHandle(reader);
  EXPECT_TRUE(Write(rt::WriteBytesToFile, In("lib.dll"), "new"));
  EXPECT_EQ(Content("lib.dll"), "new");
}

// A hidden or read-only file makes a truncating open fail on Windows; the content is still
// replaced whole where the file may be written.
TEST_F(Win32PlatformTest, AHiddenFileIsReplacedWholeAndDevicesAreRefused) {
  MakeFile("lib.dll", "old and long");
  ASSERT_TRUE(SetAttr(In("lib.dll"), rt::kAttrHidden));
  EXPECT_TRUE(Write(rt::WriteBytesToFile, In("lib.dll"), "new"));
  EXPECT_EQ(Content("lib.dll"), "new");
  EXPECT_FALSE(Write(rt::WriteBytesToFile, "NUL", "x"));
  EXPECT_FALSE(Write(rt::WriteBytesToFile, In(""), "x"));  // the folder itself
}

TEST_F(Win32PlatformTest, WriteNewNeverReplacesAndLeavesNoTemporary) {
  MakeFile("file.dll", "old");
  fs::create_directory(dir_ / "folder.dll");
  EXPECT_FALSE(Write(rt::WriteNewFile, In("file.dll"), "new"));
  EXPECT_FALSE(Write(rt::WriteNewFile, In("folder.dll"), "new"));
  EXPECT_EQ(Content("file.dll"), "old");
  EXPECT_TRUE(Write(rt::WriteNewFile, In("new.dll"), "whole"));
  EXPECT_EQ(Content("new.dll"), "whole");
  // The second byte of "淺" is "\": the temporary goes beside the file all the same.
  EXPECT_TRUE(Write(rt::WriteNewFile, In("淺.dll"), "whole"));
  EXPECT_EQ(Content("淺.dll"), "whole");
  EXPECT_EQ(Entries(),
            (std::vector<std::string>{"file.dll", "folder.dll", "new.dll", Utf8(u8"淺.dll")}));
}

bool Replace(const std::string& path, std::string_view content, std::string* reason = nullptr) {
  const std::span<const uint8_t> bytes(reinterpret_cast<const uint8_t*>(content.data()),
                                       content.size());
  return platform::ReplaceFileAtomically(path, bytes, reason);
}

const std::string kNewContent(100000, 'n');

// An earlier file through ReplaceFileW, a new one through MoveFileExW; a name after either
// slash, or after a "\" that is the second byte of a character ("淺"), gets its temporary
// file beside it.
TEST_F(Win32PlatformTest, FilesAreReplacedWholeWhereverTheirNameStarts) {
  MakeFile("sheet.html", "earlier");
  EXPECT_TRUE(Replace(In("sheet.html"), kNewContent));
  EXPECT_EQ(Content("sheet.html"), kNewContent);
  EXPECT_TRUE(Replace(In("淺.html"), "new"));
  EXPECT_EQ(Content("淺.html"), "new");
  EXPECT_TRUE(Replace(rt::Utf8ToGbk(PathUtf8(dir_)) + "/slash.html", ""));
  EXPECT_EQ(Content("slash.html"), "");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"sheet.html", "slash.html", Utf8(u8"淺.html")}));
}

// A folder or a device under the name is refused before anything is written; of the
// temporaries that writes of the name left, only those too old to be written still go.
TEST_F(Win32PlatformTest, WhatIsNoFileIsRefusedAndOldLeftoversGo) {
  std::string reason;
  fs::create_directory(dir_ / "folder.html");
  EXPECT_FALSE(Replace(In("folder.html"), "x", &reason));
  EXPECT_EQ(reason, platform::kNotARegularFile);
  EXPECT_FALSE(Replace("NUL", "x", &reason));
  EXPECT_EQ(reason, platform::kNotARegularFile);
  const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
  for (const char* name : {".sheet.html.0123abcd", ".sheet.html.old", ".sheet.html.89abcdef"}) {
    MakeFile(name);
    if (name[12] != '8') fs::last_write_time(Path(name), an_hour_ago);
  }
  platform::RemoveLeftoverTemporaries(In("sheet.html"));
  EXPECT_EQ(Entries(),
            (std::vector<std::string>{".sheet.html.89abcdef", ".sheet.html.old", "folder.html"}));
}

// The system's text for an error, as the platform words it.
std::string SystemText(DWORD error) {
  SetLastError(error);
  return platform::LastFailureText();
}

// A file the user made read-only is not replaced, and says why.
TEST_F(Win32PlatformTest, AReadOnlyFileIsLeftAsItWas) {
  MakeFile("sheet.html", "earlier");
  ASSERT_TRUE(SetAttr(In("sheet.html"), rt::kAttrReadOnly));
  std::string reason;
  EXPECT_FALSE(Replace(In("sheet.html"), kNewContent, &reason));
  EXPECT_EQ(reason, SystemText(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Content("sheet.html"), "earlier");
  EXPECT_EQ(Entries(), std::vector<std::string>{"sheet.html"});
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

const Fault kFaults[] = {
    {"creating the temporary file", ERROR_ACCESS_DENIED,
     SystemCallsWith([](platform::FileCalls& calls) {
       calls.create_file = [](LPCWSTR path, DWORD access, DWORD sharing,
                              LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD attributes,
                              HANDLE template_file) {
         if (disposition == CREATE_NEW) {
           SetLastError(ERROR_ACCESS_DENIED);
           return INVALID_HANDLE_VALUE;
         }
         return platform::SystemFileCalls().create_file(path, access, sharing, security,
                                                        disposition, attributes, template_file);
       };
     })},
    // 1,000 bytes written, then the disk full.
    {"writing, part way", ERROR_DISK_FULL, SystemCallsWith([](platform::FileCalls& calls) {
       calls.write_file = [](HANDLE file, LPCVOID data, DWORD size, LPDWORD written,
                             LPOVERLAPPED overlapped) {
         LARGE_INTEGER position{};
         SetFilePointerEx(file, position, &position, FILE_CURRENT);
         if (position.QuadPart > 0) return Fail(ERROR_DISK_FULL);
         return platform::SystemFileCalls().write_file(file, data, std::min<DWORD>(size, 1000),
                                                       written, overlapped);
       };
     })},
    {"flushing the file", ERROR_IO_DEVICE, SystemCallsWith([](platform::FileCalls& calls) {
       calls.flush_file_buffers = [](HANDLE) { return Fail(ERROR_IO_DEVICE); };
     })},
    {"closing the file", ERROR_IO_DEVICE, SystemCallsWith([](platform::FileCalls& calls) {
       calls.close_handle = [](HANDLE handle) {
         platform::SystemFileCalls().close_handle(handle);
         return Fail(ERROR_IO_DEVICE);
       };
     })},
    {"replacing the earlier file", ERROR_UNABLE_TO_REMOVE_REPLACED,
     SystemCallsWith([](platform::FileCalls& calls) {
       calls.replace_file = [](LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) {
         return Fail(ERROR_UNABLE_TO_REMOVE_REPLACED);
       };
     })},
};

TEST_F(Win32PlatformTest, EachFailingCallLeavesTheEarlierFileWholeAndNoTemporary) {
  std::string earlier(4096, '\0');
  for (size_t i = 0; i < earlier.size(); ++i) earlier[i] = static_cast<char>(i * 7);
  for (const Fault& fault : kFaults) {
    SCOPED_TRACE(fault.where);
    MakeFile("sheet.html", earlier);
    std::string reason;
    {
      const platform::ReplacedFileCalls replaced(fault.calls);
      EXPECT_FALSE(Replace(In("sheet.html"), kNewContent, &reason));
    }
    EXPECT_EQ(reason, SystemText(static_cast<DWORD>(fault.error)));
    EXPECT_EQ(Content("sheet.html"), earlier);
    EXPECT_EQ(Entries(), std::vector<std::string>{"sheet.html"});
  }
}

// Without an earlier file the new one is moved into place; a failed move leaves nothing.
TEST_F(Win32PlatformTest, AFailedMoveLeavesNoFileAtAll) {
  const platform::FileCalls calls = SystemCallsWith([](platform::FileCalls& table) {
    table.move_file = [](LPCWSTR, LPCWSTR, DWORD) { return Fail(ERROR_ACCESS_DENIED); };
  });
  std::string reason;
  {
    const platform::ReplacedFileCalls replaced(calls);
    EXPECT_FALSE(Replace(In("sheet.html"), kNewContent, &reason));
  }
  EXPECT_EQ(reason, SystemText(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(Entries().empty());
}

// Sets or clears USERPROFILE for as long as it lives.
class ProfileSetTo {
 public:
  explicit ProfileSetTo(const wchar_t* profile) {
    wchar_t before[MAX_PATH * 4];
    const DWORD length =
        GetEnvironmentVariableW(L"USERPROFILE", before, static_cast<DWORD>(std::size(before)));
    if (length > 0 && length < std::size(before)) before_ = before;
    SetEnvironmentVariableW(L"USERPROFILE", profile);
  }
  ~ProfileSetTo() { SetEnvironmentVariableW(L"USERPROFILE", before_ ? before_->c_str() : nullptr); }

 private:
  std::optional<std::wstring> before_;
};

TEST(Win32HomeFolderTest, TheUserProfileAsAnInsideTextElseTheKnownFolder) {
  {
    const ProfileSetTo profile(L"C:\\users\\工程师");
    EXPECT_EQ(platform::HomeFolder(), "C:\\users\\工程师");  // compiled as GBK
  }
  const ProfileSetTo none(nullptr);
  const std::string home = platform::HomeFolder();
  const std::string utf8 = rt::GbkToUtf8(home);
  EXPECT_FALSE(home.empty());
  EXPECT_TRUE(fs::is_directory(fs::path(std::u8string(utf8.begin(), utf8.end())))) << utf8;
}

TEST_F(Win32PlatformTest, AProgramFilePathEndsWithItsFileAfterABackslash) {
  const std::string path = platform::ProgramFilePath();
  EXPECT_EQ(platform::FolderSeparator(), '\\');
  EXPECT_TRUE(path.ends_with("\\capcalc_tests.exe")) << path;
  EXPECT_TRUE(platform::EnterFolder(In("")));
  EXPECT_TRUE(fs::equivalent(fs::current_path(), dir_));
  EXPECT_FALSE(platform::EnterFolder(In("missing")));
}

// Neither the current folder nor PATH lends a library to a bare name.
TEST_F(Win32PlatformTest, ABareNameIsNotLoadedFromTheCurrentFolderOrPath) {
  CopyOfTestLibrary("planted_commands.dll");
  fs::current_path(dir_);
  const std::string path_before = std::getenv("PATH") ? std::getenv("PATH") : "";
  SetEnvironmentVariableW(L"PATH", dir_.c_str());
  platform::Library planted = platform::LoadLibraryByName("planted_commands.dll");
  SetEnvironmentVariableA("PATH", path_before.c_str());
  EXPECT_EQ(planted.module, nullptr);
  platform::ReleaseLibrary(planted);

  platform::Library named = platform::LoadLibraryFile(In("planted_commands.dll"));
  EXPECT_NE(named.module, nullptr);
  platform::ReleaseLibrary(named);
}

// A library is loaded only from a whole file on a disk, and is held so that it cannot be
// replaced or removed while it is loaded.
TEST_F(Win32PlatformTest, OnlyASoundLibraryFileIsLoadedAndHeldWhileLoaded) {
  const std::string library = CopyOfTestLibrary("commands.dll");
  const std::string whole = Content("commands.dll");
  MakeFile("cut.dll", whole.substr(0, whole.size() / 2));
  MakeFile("text.dll", "not a library");
  fs::create_directory(dir_ / "folder.dll");
  for (const char* name : {"cut.dll", "text.dll", "folder.dll", "missing.dll"})
    EXPECT_EQ(platform::LoadLibraryFile(In(name)).module, nullptr) << name;
  EXPECT_EQ(platform::LoadLibraryFile("NUL").module, nullptr);

  platform::Library loaded = platform::LoadLibraryFile(library);
  ASSERT_NE(loaded.module, nullptr);
  EXPECT_FALSE(MoveFileExW(Path("commands.dll").c_str(), Path("gone.dll").c_str(), 0));
  EXPECT_FALSE(DeleteFileW(Path("commands.dll").c_str()));
  EXPECT_FALSE(Write(rt::WriteBytesToFile, library, "MZ"));
  platform::ReleaseLibrary(loaded);
  EXPECT_TRUE(DeleteFileW(Path("commands.dll").c_str()));
}

// "#n" is the export of ordinal n modulo 65536; the linker numbers exports by name.
TEST_F(Win32PlatformTest, OrdinalExportsResolve) {
  platform::Library library = platform::LoadLibraryFile(CopyOfTestLibrary("commands.dll"));
  ASSERT_NE(library.module, nullptr);
  void* add = platform::FindExport(library, "CapcalcTestAdd");
  ASSERT_NE(add, nullptr);
  EXPECT_EQ(platform::FindExport(library, "#1"), add);
  EXPECT_EQ(platform::FindExport(library, "#65537"), add);
  EXPECT_NE(platform::FindExport(library, "#2"), nullptr);
  for (const char* name : {"#0", "#3", "#x1", "#", "Missing"})
    EXPECT_EQ(platform::FindExport(library, name), nullptr) << name;
  platform::ReleaseLibrary(library);
}

TEST_F(Win32PlatformTest, NamesWithADriveOrAFolderAreLoadedOnlyAsWritten) {
  for (const char* name :
       {"C:lib.dll", "sub\\lib.dll", "sub/lib.dll", "\\\\server\\share\\lib.dll"})
    EXPECT_TRUE(platform::NamesItsFolder(name)) << name;
  EXPECT_FALSE(platform::NamesItsFolder("SkinEngine.dll"));
  // Its second byte is "\", which is no folder.
  EXPECT_FALSE(platform::NamesItsFolder("\xB1\x5C.dll"));
}

class Win32DllCommandsTest : public testing::Test {
 protected:
  void SetUp() override { testing_support::StartHeadless(); }
  void TearDown() override { rt::ReleaseDllCommands(); }
};

// The program's folder is searched whatever the current folder is; an export declared
// without a library is found in the system's.
TEST_F(Win32DllCommandsTest, BesideTheProgramAndInTheSystemLibraries) {
  const fs::path program_folder = fs::path(CAPCALC_TEST_COMMANDS_FILE).parent_path();
  const rt::DllCommandDeclaration commands[] = {{"test_commands.dll", "CapcalcTestAdd"},
                                                {"", "GetTickCount"}};
  rt::InitDllCommandTables(commands);
  const fs::path started_in = fs::current_path();
  fs::current_path(fs::temp_directory_path());
  EXPECT_EQ(rt::CallDllCommand<Add>(0, 2, 3), 5);
  EXPECT_EQ(rt::BindDllCommand(1), reinterpret_cast<void*>(GetProcAddress(
                                       GetModuleHandleW(L"kernel32.dll"), "GetTickCount")));
  fs::current_path(started_in);
  EXPECT_TRUE(fs::exists(program_folder / "test_commands.dll"));
}

// A write that fails keeps the system's reason, as the system words it but without the
// line break that ends its messages: the report of a library then missing gives it.
TEST_F(Win32DllCommandsTest, AFailedWriteKeepsTheSystemsReason) {
  const std::u8string folder = (fs::temp_directory_path() / "capcalc-no-such-folder").u8string();
  const std::string path =
      rt::Utf8ToGbk(std::string(folder.begin(), folder.end())) + "\\SkinEngine.dll";
  void* bytes = rt::NewBytes("x", 1);
  const rt::Value args[] = {rt::MakeText(path.c_str()), rt::MakeBytes(bytes)};
  EXPECT_EQ(rt::CallCommand(rt::WriteNewFile, 2, args).lo, 0u);
  rt::FreeMem(bytes);
  const std::optional<std::string> reason = rt::WhyWritingFailed(path);
  ASSERT_TRUE(reason.has_value());
  ASSERT_FALSE(reason->empty());
  EXPECT_EQ(reason->find_last_not_of(" \r\n"), reason->size() - 1) << rt::GbkToUtf8(*reason);
  EXPECT_FALSE(rt::WhyWritingFailed(path + "x").has_value()) << "another path";
}

TEST(Win32FloatingPointTest, EveryExceptionIsMaskedAndRoundingIsToNearest) {
  _controlfp(0, _MCW_EM);  // every exception unmasked
  platform::SetFloatingPointEnvironment();
  EXPECT_EQ(_controlfp(0, 0) & _MCW_EM, static_cast<unsigned>(_MCW_EM));
  EXPECT_EQ(_controlfp(0, 0) & _MCW_RC, static_cast<unsigned>(_RC_NEAR));
  volatile double zero = 0.0;
  EXPECT_TRUE(std::isinf(1.0 / zero));
  EXPECT_TRUE(std::isnan(zero / zero));
}

}  // namespace
