// capcalc-script --batch: a table of banks with good and bad rows, in UTF-8 and in GBK.
// Each good bank's sheets are byte for byte those that "set", "click" and "sheet" make of
// the same inputs; each bad row is reported and leaves no file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "runtime/platform/gbk.h"
#include "tests/headless_window.h"
#include "tools/capcalc-script/batch.h"
#include "tools/capcalc-script/script.h"

namespace {

namespace fs = std::filesystem;

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

std::string Contents(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// The HTML sheet without the moment of its click, which differs between two clicks.
std::string WithoutTime(const std::string& html) {
  const size_t line = html.find(U8(u8"<p>计算时间："));
  return line == std::string::npos ? html
                                   : html.substr(0, line) + html.substr(html.find('\n', line));
}

class Folder {
 public:
  explicit Folder(const std::string& name) : path_(fs::temp_directory_path() / name) {
    fs::remove_all(path_);
    fs::create_directories(path_ / "out");
  }
  ~Folder() { fs::remove_all(path_); }
  const fs::path& path() const { return path_; }
  fs::path out() const { return path_ / "out"; }

 private:
  fs::path path_;
};

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(reinterpret_cast<const char*>(entry.path().filename().u8string().c_str()));
  return names;
}

const std::string kHeader =
    U8(u8"name,page,variant,Uψ,U1,U2,M,N,β,Kv,Klm,m,n,Iψ,CT,UN,QN,Kr,Usys,f,nCT,cosφ1,cosφ2,P,"
       u8"connection\n");

// A good bank: its row and the driver's lines that calculate it, its result box.
struct GoodBank {
  std::string name;
  std::string row;
  std::string lines;
  std::string result_box;
};

const GoodBank kGoodBanks[] = {
    {U8(u8"桥差-1"), U8(u8"桥差-1,桥差,外熔丝,,,,8,2,,,,,,288.7,40,,,,,,,,,,\n"),
     U8(u8"set 编辑框_M7 8\nset 编辑框_N7 2\nset 编辑框_电容相电流1 288.7\nset 编辑框_零序CT比1 "
        u8"40\nclick 按钮_桥式差电流外熔丝\n"),
     U8(u8"编辑框_Idz1")},
    {"page1 delta",
     U8(u8"page1 delta,电容器参数,,,,,,,,,,,,,,11,334,6,10.5,50,200,0.8,0.95,5000,角形接线\n"),
     U8(u8"set 编辑框_电容电压 11\nset 编辑框_电容容量 334\nset 编辑框_电抗率 6\nset "
        u8"编辑框_系统电压 10.5\nset 编辑框_频率 50\nset 编辑框_CT变比 200\nset 编辑框_COS1 "
        u8"0.8\nset "
        u8"编辑框_COS2 0.95\nset 编辑框_P 5000\nselect 组合框_接线方式 1\nclick 按钮_电容器计算\n"),
     U8(u8"编辑框_电容电流")},
    {"open-delta", U8(u8"open-delta,开口三角,内熔丝,11,11,0.1,8,2,,1.15,1.25,12,6,,,,,,,,,,,,\n"),
     U8(u8"set 编辑框_电容电压1 11\nset 编辑框_线圈一次 11\nset 编辑框_线圈二次 0.1\nset 编辑框_M1 "
        u8"8\nset 编辑框_N1 2\nset 编辑框_Kv2 1.15\nset 编辑框_Klm2 1.25\nset 编辑框_M2 12\nset "
        u8"编辑框_N2 6\nclick 按钮_开口内熔丝\n"),
     U8(u8"编辑框_Udz")},
    // Kv and Klm left empty keep the texts a fresh window gives them.
    {"neutral", U8(u8"neutral,中性线,无熔丝,,,,4,3,0.6,,,,,100,\"1,000\",,,,,,,,,,\n"),
     U8(u8"set 编辑框_M5 4\nset 编辑框_N5 3\nset 编辑框_B2 0.6\nset 编辑框_电容相电流 100\nset "
        u8"编辑框_零序CT比 1,000\nclick 按钮_中性线电流无熔丝\n"),
     U8(u8"编辑框_Idz")},
};

const std::string kBadRows =
    U8(u8"../up,桥差,外熔丝,,,,8,2,,,,,,1,1,,,,,,,,,,\n"
       u8",桥差,外熔丝,,,,8,2,,,,,,1,1,,,,,,,,,,\n"
       u8"a/b,桥差,外熔丝,,,,8,2,,,,,,1,1,,,,,,,,,,\n"
       u8"six,第六页,外熔丝,,,,8,2,,,,,,1,1,,,,,,,,,,\n"
       u8"novariant,桥差,,,,,8,2,,,,,,1,1,,,,,,,,,,\n"
       u8"page1variant,电容器参数,外熔丝,,,,,,,,,,,,,11,,,,,,,,,\n"
       u8"unused,桥差,外熔丝,11,,,8,2,,,,,,1,1,,,,,,,,,,\n"
       u8"NEUTRAL,桥差,外熔丝,,,,8,2,,,,,,1,1,,,,,,,,,,\n"
       u8"wide,桥差,外熔丝,,,,8,2,,,,,,1,1,,,,,,,,,,,extra\n");

const std::string kBadRowErrors =
    U8(u8"row 5: the name \"../up\" cannot name a file in the output folder\n"
       u8"row 6: the name \"\" cannot name a file in the output folder\n"
       u8"row 7: the name \"a/b\" cannot name a file in the output folder\n"
       u8"row 8: no page \"第六页\"\n"
       u8"row 9: no variant \"\"\n"
       u8"row 10: the page 电容器参数 has no variant\n"
       u8"row 11: column Uψ is no input of 桥差 外熔丝; leave it empty\n"
       u8"row 12: the name \"NEUTRAL\" is taken by row 4\n"
       u8"row 13: more fields than the header has columns\n");

std::string GoodRows() {
  std::string rows;
  for (const GoodBank& bank : kGoodBanks) rows += bank.row;
  return rows;
}

// Runs the batch on the table's bytes; the status and the error stream's text.
std::pair<int, std::string> RunOn(const Folder& folder, const std::string& table_bytes,
                                  bool pdf = false) {
  testing_support::StartHeadless();
  const fs::path table = folder.path() / "banks.csv";
  std::ofstream(table, std::ios::binary) << table_bytes;
  std::ostringstream err;
  const int status = script::RunBatch({table.string(), folder.out().string(), pdf}, err);
  return {status, err.str()};
}

void ExpectTheGoodBanksMadeAsTheDriverMakesThem(const Folder& folder) {
  std::set<std::string> expected = {"summary.csv"};
  for (const GoodBank& bank : kGoodBanks) {
    SCOPED_TRACE(bank.name);
    testing_support::StartHeadless();
    const fs::path json = folder.path() / "driver.json", html = folder.path() / "driver.html";
    std::istringstream in(bank.lines + "sheet " + bank.result_box + " " + json.string() +
                          "\nsheet " + bank.result_box + " " + html.string() + "\n");
    std::ostringstream out, err;
    ASSERT_EQ(script::RunScript(in, out, err), 0) << err.str();
    const fs::path made =
        folder.out() / fs::path(std::u8string(reinterpret_cast<const char8_t*>(bank.name.c_str())));
    // Joined as paths, not as narrow strings, which Windows would take in its code page.
    fs::path made_json = made, made_html = made;
    made_json += ".json";
    made_html += ".html";
    EXPECT_EQ(Contents(made_json), Contents(json));
    EXPECT_EQ(WithoutTime(Contents(made_html)), WithoutTime(Contents(html)));
    expected.insert(bank.name + ".json");
    expected.insert(bank.name + ".html");
  }
  EXPECT_EQ(Entries(folder.out()), expected);
}

TEST(BatchTest, GoodAndBadRowsInUtf8) {
  Folder folder("capcalc batch utf8");
  // A byte-order mark, as a spreadsheet saves UTF-8.
  const auto [status, errors] = RunOn(folder, "\xEF\xBB\xBF" + kHeader + GoodRows() + kBadRows);
  EXPECT_EQ(status, 2);
  EXPECT_EQ(errors, kBadRowErrors);
  ExpectTheGoodBanksMadeAsTheDriverMakesThem(folder);
  const std::string summary = Contents(folder.out() / "summary.csv");
  EXPECT_EQ(summary.substr(0, summary.find("\r\n", summary.find("\r\n") + 2)),
            U8(u8"\uFEFFname,page,variant,setting,unit,K,warnings\r\n"
               u8"桥差-1,桥差,外熔丝,0.3785402409312,A,1,"));
  EXPECT_NE(summary.find(U8(u8"\r\nneutral,中性线,无熔丝,")), std::string::npos);
}

TEST(BatchTest, GoodAndBadRowsInGbk) {
  Folder folder("capcalc batch gbk");
  const auto [status, errors] = RunOn(folder, rt::Utf8ToGbk(kHeader + GoodRows() + kBadRows));
  EXPECT_EQ(status, 2);
  EXPECT_EQ(errors, kBadRowErrors);
  ExpectTheGoodBanksMadeAsTheDriverMakesThem(folder);
}

TEST(BatchTest, OnlyGoodRowsEndWithZero) {
  Folder folder("capcalc batch good");
  const auto [status, errors] = RunOn(folder, kHeader + GoodRows());
  EXPECT_EQ(status, 0);
  EXPECT_EQ(errors, "");
}

// With --pdf each bank gets its PDF beside its other sheets, written whole.
TEST(BatchTest, WithPdfEveryBankGetsItsPdfToo) {
  Folder folder("capcalc batch pdf");
  const auto [status, errors] = RunOn(folder, kHeader + GoodRows(), true);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(errors, "");
  for (const GoodBank& bank : kGoodBanks) {
    const std::string pdf = Contents(
        folder.out() /
        fs::path(std::u8string(reinterpret_cast<const char8_t*>(bank.name.c_str())) + u8".pdf"));
    EXPECT_TRUE(pdf.starts_with("%PDF-")) << bank.name;
    EXPECT_NE(pdf.find("%%EOF", pdf.size() - 16), std::string::npos) << bank.name;
  }
}

TEST(BatchTest, ATableOrFolderThatCannotServeMakesNothing) {
  Folder folder("capcalc batch refused");
  const std::string table = (folder.path() / "banks.csv").string();
  EXPECT_EQ(RunOn(folder, "name,page,variant,Q\nb,桥差,外熔丝,1\n"),
            std::make_pair(2, "capcalc-script: " + table +
                                  ": the header names column \"Q\", which is no input of any "
                                  "page\n"));
  EXPECT_EQ(RunOn(folder, "name,page,M\n"),
            std::make_pair(2, "capcalc-script: " + table +
                                  ": the header must name the columns \"name\", \"page\" and "
                                  "\"variant\"\n"));
  EXPECT_EQ(RunOn(folder, ""),
            std::make_pair(2, "capcalc-script: " + table + " has no header row\n"));
  fs::remove_all(folder.out());
  EXPECT_EQ(RunOn(folder, kHeader + GoodRows()),
            std::make_pair(2, "capcalc-script: no folder \"" + folder.out().string() + "\"\n"));
  EXPECT_FALSE(fs::exists(folder.out()));
}

// The banks' files are written together; one that cannot be written fails its row alone,
// with neither of its files, and the others are made.
TEST(BatchTest, ABankWhoseFileCannotBeWrittenFailsAlone) {
  Folder folder("capcalc batch blocked");
  const fs::path blocked = folder.out() / "neutral.json";
  fs::create_directory(blocked);  // a folder where the sheet would go
  const auto [status, errors] = RunOn(folder, kHeader + GoodRows());
  EXPECT_EQ(status, 2);
  const std::string report = "row 4: cannot write \"" + blocked.string() + "\": ";
  EXPECT_EQ(errors.substr(0, report.size()), report);
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
  EXPECT_TRUE(fs::is_directory(blocked));
  EXPECT_FALSE(fs::exists(folder.out() / "neutral.html"));
  EXPECT_TRUE(fs::exists(folder.out() / "open-delta.html"));
  const std::string summary = Contents(folder.out() / "summary.csv");
  EXPECT_EQ(summary.find("neutral"), std::string::npos);
  EXPECT_NE(summary.find("open-delta"), std::string::npos);
  EXPECT_EQ(Entries(folder.out()).size(), 8u);  // three banks, the summary, the folder
}

// Over 100 rows, a progress line each 100 rows and at the end.
TEST(BatchTest, ProgressForLongRuns) {
  Folder folder("capcalc batch long");
  std::string rows;
  for (int i = 1; i <= 150; ++i)
    rows += "b" + std::to_string(i) + U8(u8",桥差,外熔丝,,,,8,2,,,,,,288.7,40,,,,,,,,,,\n");
  const auto [status, errors] = RunOn(folder, kHeader + rows);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(errors, "progress: 100 of 150 rows\nprogress: 150 of 150 rows\n");
  EXPECT_EQ(Entries(folder.out()).size(), 301u);
}

}  // namespace
