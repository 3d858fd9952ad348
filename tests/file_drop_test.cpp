// What a drop onto the window names: the first file of a URI list as a file manager
// offers it, or a path as Windows gives it; anything else names no file.
#include <gtest/gtest.h>

#include "runtime/ui/loop/file_drop.h"

namespace {

TEST(FileDropTest, TheFirstFileOfADrop) {
  EXPECT_EQ(rt::DroppedFilePath("file:///home/a/bank%207.json\r\nfile:///home/a/b.json\r\n"),
            "/home/a/bank 7.json");
  EXPECT_EQ(rt::DroppedFilePath("# dragged\r\nfile://localhost/tmp/x.html\r\n"), "/tmp/x.html");
  EXPECT_EQ(rt::DroppedFilePath("file:///tmp/%E8%AE%A1%e7%ae%97%E4%B9%A6.json"),
            reinterpret_cast<const char*>(u8"/tmp/计算书.json"));
  EXPECT_EQ(rt::DroppedFilePath("file:/tmp/x.json\n"), "/tmp/x.json");
  EXPECT_EQ(rt::DroppedFilePath("C:\\Users\\a\\bank.json\nC:\\b.json"), "C:\\Users\\a\\bank.json");
  EXPECT_EQ(rt::DroppedFilePath("/tmp/a%20b.json"), "/tmp/a%20b.json");  // a path, not a URI
}

TEST(FileDropTest, WhatNamesNoFile) {
  EXPECT_EQ(rt::DroppedFilePath(""), "");
  EXPECT_EQ(rt::DroppedFilePath("\r\n# only a comment\r\n"), "");
  EXPECT_EQ(rt::DroppedFilePath("6.35"), "");
  EXPECT_EQ(rt::DroppedFilePath("https://example.org/x.json"), "");
  EXPECT_EQ(rt::DroppedFilePath("file://server"), "");
  // An escape cut short stays as it stands.
  EXPECT_EQ(rt::DroppedFilePath("file:///tmp/a%2"), "/tmp/a%2");
  EXPECT_EQ(rt::DroppedFilePath("file:///tmp/a%zz"), "/tmp/a%zz");
}

}  // namespace
