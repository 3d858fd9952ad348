// Several files replaced whole with one wait for the disk: all of them take their new
// content, or those the failure reached keep what they held, and no temporary file stays.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "runtime/platform/platform.h"

namespace {

namespace fs = std::filesystem;

std::string Contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

class Together : public ::testing::Test {
 protected:
  Together() : folder_(fs::temp_directory_path() / "capcalc files together") {
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  ~Together() override { fs::remove_all(folder_); }

  std::span<const uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
  }
  std::set<std::string> Entries() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_))
      names.insert(entry.path().filename().string());
    return names;
  }

  fs::path folder_;
};

TEST_F(Together, EveryFileTakesItsNewContent) {
  std::ofstream(folder_ / "a.json", std::ios::binary) << "earlier";
  const std::string a = "{\"a\": 1}", b = "<html></html>";
  const std::vector<rt::platform::WholeFile> files = {{(folder_ / "a.json").string(), Bytes(a)},
                                                      {(folder_ / "b.html").string(), Bytes(b)}};
  size_t failed = 99;
  EXPECT_EQ(rt::platform::ReplaceFilesAtomically(files, nullptr, &failed), 2u);
  EXPECT_EQ(Contents(folder_ / "a.json"), a);
  EXPECT_EQ(Contents(folder_ / "b.html"), b);
  EXPECT_EQ(Entries(), (std::set<std::string>{"a.json", "b.html"}));
}

TEST_F(Together, AFileThatCannotBeWrittenChangesNothing) {
  std::ofstream(folder_ / "a.json", std::ios::binary) << "earlier";
  const std::string a = "new";
  const std::vector<rt::platform::WholeFile> files = {
      {(folder_ / "a.json").string(), Bytes(a)},
      {(folder_ / "missing" / "b.html").string(), Bytes(a)},
      {(folder_ / "c.html").string(), Bytes(a)}};
  size_t failed = 99;
  std::string reason;
  EXPECT_EQ(rt::platform::ReplaceFilesAtomically(files, &reason, &failed), 0u);
  EXPECT_EQ(failed, 1u);
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(Contents(folder_ / "a.json"), "earlier");
  EXPECT_EQ(Entries(), std::set<std::string>{"a.json"});
}

// A name taken by a folder refuses the whole group before any file is written: every
// file keeps what it held, and the failure names the folder's file.
TEST_F(Together, ANameTakenByAFolderRefusesTheGroup) {
  fs::create_directory(folder_ / "b.html");
  const std::string a = "new";
  const std::vector<rt::platform::WholeFile> files = {{(folder_ / "a.json").string(), Bytes(a)},
                                                      {(folder_ / "b.html").string(), Bytes(a)},
                                                      {(folder_ / "c.html").string(), Bytes(a)}};
  size_t failed = 99;
  std::string reason;
  EXPECT_EQ(rt::platform::ReplaceFilesAtomically(files, &reason, &failed), 0u);
  EXPECT_EQ(failed, 1u);
  EXPECT_EQ(reason, rt::platform::kNotARegularFile);
  EXPECT_TRUE(fs::is_directory(folder_ / "b.html"));
  EXPECT_EQ(Entries(), std::set<std::string>{"b.html"});
}

}  // namespace
