// The driver's "sheet NAME PATH": the file it writes and the lines it refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "calc/pages/page_sheets.h"
#include "calc/sheet/sheet_file.h"
#include "calc/sheet/sheet_html.h"
#include "calc/sheet/sheet_json.h"
#include "calc/sheet/sheet_pdf.h"
#include "runtime/platform/utf8.h"
#include "tests/headless_window.h"
#include "tools/capcalc-script/script.h"

#ifndef _WIN32
#include <unistd.h>

#include "tests/small_file_system.h"
#include "tests/temporary_folder.h"
#endif

namespace {

namespace fs = std::filesystem;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Runs the lines; the error stream's text, empty when every line ran.
std::string ErrorsOf(const std::string& lines) {
  testing_support::StartHeadless();
  std::istringstream in(lines);
  std::ostringstream out, err;
  script::RunScript(in, out, err);
  return err.str();
}

std::string Contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

const std::string kClick =
    U8(u8"set 编辑框_电容相电流1 288.7\nset 编辑框_零序CT比1 40\nset 编辑框_M7 8\n"
       u8"set 编辑框_N7 2\nclick 按钮_桥式差电流外熔丝\n");

// The path is the rest of the line, spaces and all, and the extension in any case decides.
TEST(SheetCommandTest, WritesTheSheetBehindTheBox) {
  const fs::path folder = fs::temp_directory_path() / "capcalc sheet test";
  fs::create_directories(folder);
  const fs::path json = folder / "a sheet.json", html = folder / "a sheet.HTML",
                 pdf = folder / "a sheet.Pdf";
  ASSERT_EQ(ErrorsOf(kClick + U8(u8"sheet 编辑框_Idz1 ") + json.string() + "\n" +
                     U8(u8"sheet 编辑框_Idz1 ") + html.string() + "\n" +
                     U8(u8"sheet 编辑框_Idz1 ") + pdf.string() + "\n"),
            "");
  std::optional<calc::Sheet> sheet = calc::SheetBehind(calc::编辑框_Idz1);
  EXPECT_EQ(Contents(json), calc::SheetJson(*sheet));
  EXPECT_EQ(Contents(html), calc::SheetHtml(*sheet));
  EXPECT_EQ(Contents(pdf), calc::SheetPdf(*sheet)) << "the same sheet, the same bytes";
  fs::remove_all(folder);
}

// A name typed in the file chooser: its own sheet extension decides, in any case; without
// one, the chosen type's is added.
TEST(SheetFileTest, ChosenFileAndFormat) {
  using calc::SheetFormat;
  const auto choose = [](const char* name, SheetFormat chosen) {
    const calc::SheetFileChoice file = calc::ChooseSheetFile(name, chosen);
    return std::pair(file.utf8_path, file.format);
  };
  EXPECT_EQ(choose("/a/sheet", SheetFormat::kPdf),
            std::pair(std::string("/a/sheet.pdf"), SheetFormat::kPdf));
  EXPECT_EQ(choose("/a/sheet", SheetFormat::kHtml),
            std::pair(std::string("/a/sheet.html"), SheetFormat::kHtml));
  EXPECT_EQ(choose("/a/sheet.PDF", SheetFormat::kHtml),
            std::pair(std::string("/a/sheet.PDF"), SheetFormat::kPdf));
  EXPECT_EQ(choose("/a/sheet.html", SheetFormat::kPdf),
            std::pair(std::string("/a/sheet.html"), SheetFormat::kHtml));
  EXPECT_EQ(choose("/a/v1.2", SheetFormat::kPdf),
            std::pair(std::string("/a/v1.2.pdf"), SheetFormat::kPdf));
  EXPECT_EQ(choose("/a/sheet.htm", SheetFormat::kHtml),
            std::pair(std::string("/a/sheet.htm.html"), SheetFormat::kHtml));
}

TEST(SheetCommandTest, RefusedLines) {
  EXPECT_EQ(ErrorsOf(U8(u8"sheet 编辑框_M7 /tmp/x.json\n")),
            U8(u8"line 1: no calculation behind 编辑框_M7\n"));
  EXPECT_EQ(ErrorsOf(U8(u8"sheet 编辑框_没有 /tmp/x.json\n")),
            U8(u8"line 1: unknown control \"编辑框_没有\"\n"));
  EXPECT_EQ(ErrorsOf("sheet\n"), "line 1: missing control name\n");
  EXPECT_EQ(ErrorsOf(kClick + U8(u8"sheet 编辑框_Idz1\n")), "line 6: missing path\n");
  EXPECT_EQ(ErrorsOf(kClick + U8(u8"sheet 编辑框_Idz1 /tmp/x.txt\n")),
            "line 6: a sheet is written as .html, .json or .pdf, not \"/tmp/x.txt\"\n");
  // The system's reason follows, in the user's language.
  EXPECT_TRUE(ErrorsOf(kClick + U8(u8"sheet 编辑框_Idz1 /nonexistent/folder/x.json\n"))
                  .starts_with("line 6: cannot write \"/nonexistent/folder/x.json\": "));
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const size_t length = rt::DecodeUtf8(text.substr(i), &code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

// Whatever bytes a box holds, the sheet's files are valid UTF-8 and the box keeps them.
TEST(SheetCommandTest, BytesThatAreNoTextBecomeReplacementCharacters) {
  const fs::path folder = fs::temp_directory_path() / "capcalc sheet bytes";
  fs::create_directories(folder);
  for (const std::string odd : {"a\xff"
                                "b",
                                "\xed\xa0\x80", "\xc0\xbc", "6\x81"}) {
    const std::string lines = U8(u8"set 编辑框_电容电压 ") + odd + "\n" +
                              U8(u8"click 按钮_电容器计算\nsheet 编辑框_电容电流 ") +
                              (folder / "s.json").string() + "\n" + U8(u8"sheet 编辑框_电容电流 ") +
                              (folder / "s.html").string() + "\n" + U8(u8"get 编辑框_电容电压\n");
    testing_support::StartHeadless();
    std::istringstream in(lines);
    std::ostringstream out, err;
    script::RunScript(in, out, err);
    EXPECT_EQ(err.str(), "") << odd;
    EXPECT_EQ(out.str(), U8(u8"编辑框_电容电压=") + odd + "\n");
    for (const char* name : {"s.json", "s.html"}) {
      const std::string written = Contents(folder / name);
      EXPECT_TRUE(IsValidUtf8(written)) << name << " for " << odd;
      EXPECT_NE(written.find(U8(u8"\uFFFD")), std::string::npos) << name << " for " << odd;
    }
  }
  fs::remove_all(folder);
}

#ifndef _WIN32
// A sheet saved onto a file system with too little room left: the line fails, and the
// sheet saved there before stays as it was, with nothing beside it.
TEST(SheetCommandTest, AFullFileSystemKeepsTheEarlierSheet) {
  if (geteuid() != 0) GTEST_SKIP() << "mounting a file system takes root";
  testing_support::TemporaryFolder folder("capcalc-sheet-full");
  const fs::path small = folder.path() / "small", sheet = small / "sheet.html";
  fs::create_directory(small);
  const int status = testing_support::RunOnSmallFileSystem(small, "40k", [&] {
    const std::string earlier = "<!DOCTYPE html><p>the sheet filed yesterday</p>\n";
    std::ofstream(sheet, std::ios::binary) << earlier;
    std::ofstream(small / "filler", std::ios::binary) << std::string(24 * 1024, 'x');
    const std::string errors =
        ErrorsOf(kClick + U8(u8"sheet 编辑框_Idz1 ") + sheet.string() + "\n");
    if (!errors.starts_with("line 6: cannot write \"" + sheet.string() + "\": ")) return 1;
    if (Contents(sheet) != earlier) return 2;
    return testing_support::FolderEntries(small) == std::vector<std::string>{"filler", "sheet.html"}
               ? 0
               : 3;
  });
  if (status == testing_support::kCannotMount)
    GTEST_SKIP() << "no file system could be mounted here";
  EXPECT_EQ(status, 0);
}
#endif

}  // namespace
