// The calculation sheet as an engineer opens it from a result box's edit menu: its window
// with the fault table, closed by its button and by Escape, saved through the file chooser
// and printed to a PostScript file.
#include <gtest/gtest.h>

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/gui/main_window_fixture.h"

namespace {

using namespace gui;
using namespace ids;

constexpr uint32_t kMarkedRow = 0xEEF3FF;
constexpr uint32_t kHeadingCell = 0xEEEEEE;

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

// A folder of the test's own, gone with the object.
struct TemporaryFolder {
  TemporaryFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "capcalc-sheet-XXXXXX").string();
    path = mkdtemp(pattern.data()) ? pattern : "";
  }
  ~TemporaryFolder() { std::filesystem::remove_all(path); }
  std::filesystem::path path;
};

class SheetWindowGuiTest : public MainWindowGuiTest {
 protected:
  SheetWindowGuiTest() : MainWindowGuiTest(ProgramEnvironment()) {}

  // A home of the test's own, in which the toolkit's settings ask for its own file chooser
  // whatever else the machine has installed; and no printer to be found, so that nothing
  // of a test reaches a real one.
  static std::vector<std::string> ProgramEnvironment() {
    const std::filesystem::path settings = Folder().path / ".fltk" / "fltk.org";
    std::filesystem::create_directories(settings);
    std::ofstream(settings / "fltk.prefs")
        << "; FLTK preferences file format 1.0\n; vendor: fltk.org\n"
           "; application: fltk\n\n[.]\n\n[./options]\n\nFNFCUsesGTK:0\n";
    return {"HOME=" + Folder().path.string(), "PATH=/nonexistent"};
  }
  static TemporaryFolder& Folder() {
    static TemporaryFolder folder;
    return folder;
  }

  // The open-delta page's worked check, external fuses: M = 10, N = 1, Us = 100 V.
  void CalculateOpenDelta(uint32_t button = 按钮_开口外熔丝) {
    PressKey(display(), XK_Tab, ControlMask);
    const std::pair<uint32_t, const char*> inputs[] = {
        {编辑框_电容电压1, "6.35"}, {编辑框_线圈一次, "6.35"}, {编辑框_线圈二次, "0.1"},
        {编辑框_M1, "10"},          {编辑框_N1, "1"},
    };
    for (const auto& [box, text] : inputs) {
      ClickOn(box);
      TypeText(display(), text);
    }
    ClickOn(button);
    Settle();
  }

  Window OpenSheet(uint32_t box) { return sheet_ = OpenSheetWindow(box); }

  // The sheet window's buttons along its bottom right: 复制 (-1), 保存… (0), 打印…, 关闭.
  void ClickSheetButton(int index) {
    Geometry g = WindowGeometry(display(), sheet_);
    Click(display(), g.x + g.width - 3 * 98 + index * 98 + 44, g.y + g.height - 24);
  }

  // The line left of the buttons, where a save says where it went.
  std::vector<uint32_t> StatusLine() {
    Geometry g = WindowGeometry(display(), sheet_);
    return WindowPixels(display(), sheet_, {10, g.height - 38, 300, 28});
  }

  bool SheetShown() {
    std::vector<Window> shown = MappedTopLevels(display());
    return std::find(shown.begin(), shown.end(), sheet_) != shown.end();
  }

  // Types a name into the file chooser's name field in place of the one it proposes, as a
  // hand does: the toolkit's chooser turns a name typed on its own into one in the current
  // folder at each key, so the folder it shows stays in the field.
  void TypeName(const std::string& name) {
    const std::string proposed = CopyFocusedText(display());
    PressKey(display(), XK_End);
    const std::string old_name = proposed.substr(proposed.rfind('/') + 1);
    for (unsigned char c : old_name) {
      if ((c & 0xC0) != 0x80) PressKey(display(), XK_BackSpace);  // one per character
    }
    TypeText(display(), name);
    PressKey(display(), XK_Return);
  }
  void ChooseFile(const std::string& title, const std::string& name) {
    ASSERT_NE(WaitForWindow(display(), title), 0u) << title;
    Settle();
    TypeName(name);
  }

  // What 复制 puts on the clipboard, the sheet window brought to the front first.
  std::string CopiedSheet() {
    ClearClipboard(display());
    XRaiseWindow(display(), sheet_);
    Settle();
    ClickSheetButton(-1);
    Settle();
    return ClipboardText(display());
  }

  // Blanks the box, types the text into it.
  void Retype(uint32_t box, const char* text) {
    ClickOn(box);
    PressKey(display(), XK_a, ControlMask);
    PressKey(display(), XK_BackSpace);
    TypeText(display(), text);
  }

  std::vector<uint32_t> SheetPixels() {
    Settle();
    Geometry g = WindowGeometry(display(), sheet_);
    return WindowPixels(display(), sheet_, {0, 0, g.width, g.height});
  }

  Window sheet_ = 0;
};

bool Holds(const std::filesystem::path& file, const std::string& text) {
  const std::string contents = Contents(file);
  return contents.find(text) != std::string::npos;
}

// The rows of the table under the heading, as the HTML file holds them: cell texts.
std::vector<std::vector<std::string>> TableAfter(const std::string& html,
                                                 const std::string& heading) {
  std::vector<std::vector<std::string>> rows;
  size_t at = html.find("<h2>" + heading + "</h2>");
  if (at == std::string::npos) return rows;
  const std::string table = html.substr(at, html.find("</table>", at) - at);
  const std::regex row("<tr[^>]*>(.*?)</tr>"), cell("<t[hd][^>]*>([^<]*)</t[hd]>");
  for (auto r = std::sregex_iterator(table.begin(), table.end(), row); r != std::sregex_iterator();
       ++r) {
    const std::string text = (*r)[1];
    rows.emplace_back();
    for (auto c = std::sregex_iterator(text.begin(), text.end(), cell); c != std::sregex_iterator();
         ++c)
      rows.back().push_back((*c)[1]);
  }
  return rows;
}

// The bands of rows of the picture in which some pixel has the colour.
int BandsWithColour(const std::vector<uint32_t>& pixels, int width, uint32_t colour) {
  int bands = 0;
  bool in_band = false;
  for (size_t y = 0; y * static_cast<size_t>(width) < pixels.size(); ++y) {
    auto begin = pixels.begin() + static_cast<long>(y * static_cast<size_t>(width));
    bool has = std::find(begin, begin + width, colour) != begin + width;
    if (has && !in_band) ++bands;
    in_band = has;
  }
  return bands;
}

// "计算书…" is greyed until the page's calculation has filled the box: on page 1 in every
// result box after its one calculation, on a protection page in its one box.
TEST_F(SheetWindowGuiTest, TheEntryWaitsForTheCalculation) {
  std::vector<MenuRow> rows = OpenMenu(编辑框_电容电流1);  // shows "0" before any click
  ASSERT_EQ(rows.size(), 7u);
  EXPECT_TRUE(rows.back().after_separator);
  EXPECT_FALSE(rows.back().enabled);
  CloseMenu();
  CalculateFirstPage();
  for (uint32_t box : {kFirstPageResults[0], kFirstPageResults[3], kFirstPageResults[11]}) {
    EXPECT_TRUE(OpenMenu(box).back().enabled) << box;
    CloseMenu();
  }
  PressKey(display(), XK_Tab, ControlMask);
  EXPECT_FALSE(OpenMenu(编辑框_Udz).back().enabled) << "page 1's calculation is not page 2's";
  CloseMenu();
  PressKey(display(), XK_Tab, ControlMask | ShiftMask);
  CalculateOpenDelta();
  EXPECT_TRUE(OpenMenu(编辑框_Udz).back().enabled);
  CloseMenu();
}

// The window shows the fault table with its two marked rows (F = 1 the alarm stage's K;
// F = 2 the trip's K, the first pickup and the last row within Kv) and the two stages
// below it; it carries the program's class and icon; opening it again brings the same
// window with the latest calculation.
TEST_F(SheetWindowGuiTest, TheWindowShowsTheFaultTable) {
  CalculateOpenDelta();
  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  EXPECT_EQ(WindowTitle(display(), sheet_), Utf8(u8"计算书：开口三角电压计算（外熔丝）"));
  PressKey(display(), XK_End);  // the table at the foot of the sheet
  Settle();
  std::filesystem::create_directories(CAPCALC_SCREENSHOT_DIR);
  SaveScreenshot(display(), sheet_, std::string(CAPCALC_SCREENSHOT_DIR) + "/sheet-window.png");
  Geometry g = WindowGeometry(display(), sheet_);
  std::vector<uint32_t> pixels = WindowPixels(display(), sheet_, {0, 0, g.width, g.height});
  EXPECT_EQ(BandsWithColour(pixels, g.width, kMarkedRow), 2)
      << "the alarm's and the trip's rows of the fault table";
  EXPECT_GE(BandsWithColour(pixels, g.width, kHeadingCell), 2)
      << "the headings of the fault table and the stages";

  XClassHint hint{};
  ASSERT_TRUE(XGetClassHint(display(), sheet_, &hint));
  EXPECT_STREQ(hint.res_name, "capcalc");
  EXPECT_STREQ(hint.res_class, "Capcalc");
  XFree(hint.res_name);
  XFree(hint.res_class);
  EXPECT_GT(LongProperty(display(), sheet_, "_NET_WM_ICON").size(), 72u * 72u);

  XRaiseWindow(display(), window_);  // the sheet window stands over the main window
  Settle();
  ClickOn(按钮_开口内熔丝);
  Settle();
  const Window first = sheet_;
  EXPECT_EQ(OpenSheet(编辑框_Udz), first);
  EXPECT_EQ(WindowTitle(display(), sheet_), Utf8(u8"计算书：开口三角电压计算（内熔丝）"));
}

TEST_F(SheetWindowGuiTest, ItsButtonAndEscapeCloseIt) {
  CalculateFirstPage();
  ASSERT_NE(OpenSheet(编辑框_XC), 0u);
  ClickSheetButton(2);
  EXPECT_TRUE(WaitUntil([this] { return !SheetShown(); }, 2s)) << "关闭";
  ASSERT_NE(OpenSheet(编辑框_XC), 0u);
  PressKey(display(), XK_Escape);
  EXPECT_TRUE(WaitUntil([this] { return !SheetShown(); }, 2s)) << "Escape";
  EXPECT_EQ(program_.WaitForExit(0ms), std::nullopt) << "the main window stays";
}

// 保存… proposes the sheet's own name, its extension left to the chosen type; a typed name
// gets the HTML file with the table, and the window says where it went; a second save
// over it asks first.
TEST_F(SheetWindowGuiTest, SavingThroughTheFileChooser) {
  CalculateOpenDelta();
  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  const std::vector<uint32_t> before = StatusLine();
  ClickSheetButton(0);
  ASSERT_NE(WaitForWindow(display(), Utf8(u8"保存计算书")), 0u);
  Settle();
  SaveScreenRegion(display(), {0, 0, 1024, 768},
                   std::string(CAPCALC_SCREENSHOT_DIR) + "/sheet-save.png");
  EXPECT_TRUE(std::regex_match(
      CopyFocusedText(display()),
      std::regex(Folder().path.string() + Utf8(u8"/开口三角电压计算-外熔丝-\\d{8}-\\d{4}"))))
      << "the sheet's own name in the user's home";
  const std::filesystem::path file = Folder().path / "sheet.html";
  TypeName("sheet.html");
  ASSERT_TRUE(WaitUntil([&] { return Holds(file, "</html>\n"); }, 5s));
  const auto table = TableAfter(Contents(file), Utf8(u8"故障表"));
  ASSERT_EQ(table.size(), 6u) << "the headings and F = 0 to 4";
  EXPECT_EQ(table[3][0], "2");
  EXPECT_EQ(table[3][2], "21.429");
  EXPECT_EQ(table[3][4], Utf8(u8"F = K、首次动作、V ≤ Kv 的最后一行"));
  Settle();
  EXPECT_NE(StatusLine(), before) << "已保存：PATH";
  SaveScreenshot(display(), sheet_, std::string(CAPCALC_SCREENSHOT_DIR) + "/sheet-saved.png");

  std::ofstream(file) << "old";
  ClickSheetButton(0);
  ChooseFile(Utf8(u8"保存计算书"), "sheet.html");
  Settle();
  EXPECT_EQ(Contents(file), "old") << "not replaced before the question is answered";
  PressKey(display(), XK_Return);  // its default answer replaces the file
  EXPECT_TRUE(WaitUntil([&] { return Holds(file, "</html>\n"); }, 5s));
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The stale sheet: Klm blank gives 1.#INF; with the sheet open, Klm typed and 计算 clicked
// again, the open window shows the new Udz, scrolled where it was, and 保存… saves that.
TEST_F(SheetWindowGuiTest, TheOpenSheetFollowsItsPage) {
  CalculateOpenDelta(按钮_开口无熔丝);
  Retype(编辑框_Klm3, "");
  ClickOn(按钮_开口无熔丝);
  Settle();
  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  const std::string stale = CopiedSheet();
  EXPECT_TRUE(Contains(stale, Utf8(u8"电压整定值Udz = 1.#INF V")));
  EXPECT_TRUE(Contains(stale, Utf8(u8"· 结果不是有限数：电压整定值Udz（1.#INF）。")))
      << "the warning in words";
  EXPECT_FALSE(Contains(stale, "not_finite")) << "its code is the JSON's";
  PressKey(display(), XK_End);  // the sheet has the focus: to its foot
  SaveScreenshot(display(), sheet_, std::string(CAPCALC_SCREENSHOT_DIR) + "/sheet-warning.png");

  XRaiseWindow(display(), window_);
  Settle();
  Retype(编辑框_Klm3, "1.3");
  ClickOn(按钮_开口无熔丝);
  Settle();
  EXPECT_EQ(TextOf(编辑框_Udz), "7.444169244186");
  const std::string copied = CopiedSheet();
  EXPECT_TRUE(Contains(copied, Utf8(u8"电压整定值Udz = 7.444169244186 V"))) << copied;
  EXPECT_FALSE(Contains(copied, "1.#INF")) << "nothing of the earlier click";
  SaveScreenshot(display(), sheet_,
                 std::string(CAPCALC_SCREENSHOT_DIR) + "/sheet-follows-page.png");
  const std::vector<uint32_t> followed = SheetPixels();
  PressKey(display(), XK_End);
  EXPECT_EQ(SheetPixels(), followed) << "still at the foot";
  PressKey(display(), XK_Home);
  EXPECT_NE(SheetPixels(), followed) << "the foot is no view of the top";

  ClickSheetButton(0);
  const std::filesystem::path file = Folder().path / "followed.html";
  ChooseFile(Utf8(u8"保存计算书"), "followed.html");
  ASSERT_TRUE(WaitUntil([&] { return Holds(file, "</html>\n"); }, 5s));
  EXPECT_TRUE(Holds(file, "7.444169244186"));
  EXPECT_FALSE(Holds(file, "1.#INF"));

  XRaiseWindow(display(), window_);
  Settle();
  ClickOn(按钮_开口外熔丝);  // another variant of the page: the same window follows it
  Settle();
  EXPECT_EQ(WindowTitle(display(), sheet_), Utf8(u8"计算书：开口三角电压计算（外熔丝）"));
}

// A closed sheet window stays closed when its page calculates again; another page's
// calculation leaves an open one as it is.
TEST_F(SheetWindowGuiTest, OnlyAnOpenWindowOfThePageFollows) {
  CalculateOpenDelta();
  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  PressKey(display(), XK_Escape);
  ASSERT_TRUE(WaitUntil([this] { return !SheetShown(); }, 2s));
  ClickOn(按钮_开口内熔丝);
  Settle();
  EXPECT_FALSE(SheetShown());

  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  const std::string shown = CopiedSheet();
  EXPECT_TRUE(Contains(shown, Utf8(u8"（内熔丝）")));
  XRaiseWindow(display(), window_);
  Settle();
  ClickOn(编辑框_Udz);
  PressKey(display(), XK_Tab, ControlMask | ShiftMask);  // page 1
  CalculateFirstPage();
  ASSERT_TRUE(OpenMenu(kFirstPageResults[0]).back().enabled) << "page 1 calculated";
  CloseMenu();
  EXPECT_EQ(CopiedSheet(), shown) << "page 1's click is not page 2's";
}

// Rows and columns of copied text: lines, and the cells of a line parted by tabs.
std::vector<std::vector<std::string>> RowsOf(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    rows.emplace_back();
    if (line.empty()) continue;
    for (size_t start = 0, tab = 0; tab != std::string::npos; start = tab + 1) {
      tab = line.find('\t', start);
      rows.back().push_back(line.substr(start, tab - start));
    }
  }
  return rows;
}

// The rows after the heading's line, up to the next empty line.
std::vector<std::vector<std::string>> TableUnder(const std::vector<std::vector<std::string>>& rows,
                                                 const std::string& heading) {
  auto at = std::find(rows.begin(), rows.end(), std::vector<std::string>{heading});
  if (at == rows.end()) return {};
  auto end = std::find(at + 1, rows.end(), std::vector<std::string>{});
  return {at + 1, end};
}

// Ctrl+C in the sheet window: the whole sheet as text, each table a row a line with its
// cells parted by tabs, as a spreadsheet takes it.
TEST_F(SheetWindowGuiTest, CtrlCCopiesTheSheetAsRowsAndColumns) {
  CalculateOpenDelta();
  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  ClearClipboard(display());
  PressKey(display(), XK_c, ControlMask);
  Settle();
  const std::vector<std::vector<std::string>> rows = RowsOf(ClipboardText(display()));
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows[0], std::vector<std::string>{Utf8(u8"计算书：开口三角电压计算（外熔丝）")});

  const auto inputs = TableUnder(rows, Utf8(u8"输入参数"));
  ASSERT_EQ(inputs.size(), 8u) << "the headings, Uψ, U1, U2, M, N, Kv and Klm";
  EXPECT_EQ(inputs[0], (std::vector<std::string>{Utf8(u8"参数"), Utf8(u8"符号"), Utf8(u8"输入文本"),
                                                 Utf8(u8"存储值"), Utf8(u8"单位")}));
  EXPECT_EQ(inputs[3][2], "0.1");
  EXPECT_EQ(inputs[3][4], "kV");
  for (const auto& row : inputs) EXPECT_EQ(row.size(), 5u);

  const auto faults = TableUnder(rows, Utf8(u8"故障表"));
  ASSERT_EQ(faults.size(), 6u) << "the headings and F = 0 to 4";
  EXPECT_EQ(faults[3][0], "2");
  EXPECT_EQ(faults[3][2], "21.429");
  EXPECT_EQ(faults[3][4], Utf8(u8"F = K、首次动作、V ≤ Kv 的最后一行"));
  EXPECT_EQ(TableUnder(rows, Utf8(u8"整定值")),
            (std::vector<std::vector<std::string>>{{Utf8(u8"电压整定值Udz = 16.48351729773 V")}}));
}

// 打印… to a file: the toolkit's print dialog, its "print to file", and A4 pages with the
// sheet's text on them.
// A name without an extension gets the chosen type's, HTML as first offered, and a file
// it then names is asked about too (the toolkit's question, in Chinese); a name ending in
// ".pdf" gets the PDF.
TEST_F(SheetWindowGuiTest, SavingWithAndWithoutExtension) {
  CalculateOpenDelta();
  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  const std::filesystem::path html = Folder().path / "typed.html",
                              pdf = Folder().path / "typed.pdf";
  std::ofstream(html) << "old";
  ClickSheetButton(0);
  ChooseFile(Utf8(u8"保存计算书"), "typed");
  Settle();
  SaveScreenRegion(display(), {0, 0, 1024, 768},
                   std::string(CAPCALC_SCREENSHOT_DIR) + "/sheet-save-question.png");
  EXPECT_EQ(Contents(html), "old") << "not replaced before the question is answered";
  PressKey(display(), XK_Return);  // 确定: replace it
  EXPECT_TRUE(WaitUntil([&] { return Holds(html, "</html>\n"); }, 5s));
  Settle();

  ClickSheetButton(0);
  ChooseFile(Utf8(u8"保存计算书"), "typed.pdf");
  ASSERT_TRUE(WaitUntil([&] { return Holds(pdf, "%%EOF"); }, 5s));
  EXPECT_EQ(Contents(pdf).substr(0, 5), "%PDF-");
}

// 打印… to a file: the toolkit's print dialog in Chinese, its "print to file", and A4 pages
// with the sheet's text on them, each with the title and its number.
TEST_F(SheetWindowGuiTest, PrintingToAFileGivesA4Pages) {
  CalculateOpenDelta();
  ASSERT_NE(OpenSheet(编辑框_Udz), 0u);
  ClickSheetButton(1);
  const Window dialog = WaitForWindow(display(), Utf8(u8"打印"));
  ASSERT_NE(dialog, 0u);
  Settle();
  SaveScreenshot(display(), dialog,
                 std::string(CAPCALC_SCREENSHOT_DIR) + "/sheet-print-dialog.png");
  PressKey(display(), XK_Return);
  const std::filesystem::path file = Folder().path / "sheet.ps";
  ChooseFile(Utf8(u8"选择 PostScript 文件 (.ps)"), "sheet.ps");
  ASSERT_TRUE(WaitUntil([&] { return Holds(file, "%%EOF"); }, 10s));
  const std::string postscript = Contents(file);
  EXPECT_NE(postscript.find("<</PageSize[595 842]>>setpagedevice"), std::string::npos) << "A4";
  // The open-delta sheet, its diagram above the fault table, fills a page and a part.
  EXPECT_NE(postscript.find("%%Pages: 2\n"), std::string::npos) << postscript.substr(0, 300);
  EXPECT_NE(postscript.find(" MI\n"), std::string::npos) << "the text, drawn as pictures";

  // Each page ends with its running head and foot, the title and "第 N 页 / 共 2 页":
  // the same picture of the title in the same place on both, the numbers differing.
  std::vector<std::vector<std::string>> pictures;  // of each page, "x y ... MI" and data
  for (size_t at = postscript.find("%%Page: "); at != std::string::npos;) {
    const size_t next = postscript.find("%%Page: ", at + 1);
    const std::string page = postscript.substr(at, next - at);
    pictures.emplace_back();
    for (size_t end = page.find(" MI\n"); end != std::string::npos;
         end = page.find(" MI\n", end + 1)) {
      const size_t begin = page.rfind('\n', end) + 1;
      pictures.back().push_back(page.substr(begin, page.find("~>", end) - begin));
    }
    at = next;
  }
  ASSERT_EQ(pictures.size(), 2u);
  ASSERT_GE(pictures[0].size(), 2u);
  ASSERT_GE(pictures[1].size(), 2u);
  const auto head = [](const std::vector<std::string>& page) { return page[page.size() - 2]; };
  const auto place = [](const std::string& picture) {
    return picture.substr(0, picture.find('\n'));
  };
  EXPECT_EQ(head(pictures[0]), head(pictures[1])) << "the title";
  EXPECT_EQ(place(pictures[0].back()), place(pictures[1].back())) << "the page numbers' place";
  EXPECT_NE(pictures[0].back(), pictures[1].back()) << "each page its number";
  EXPECT_LT(std::stod(place(head(pictures[0])).substr(place(head(pictures[0])).find(' '))),
            std::stod(place(pictures[0].back()).substr(place(pictures[0].back()).find(' '))))
      << "the title above, the number below";
}

}  // namespace
