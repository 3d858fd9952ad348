// The window description compiler: what a description turns into, and how a faulty one is
// reported.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "forms/unit_data.h"
#include "tools/formc/description.h"

namespace {

const std::vector<std::string> kHandlers = {"OnCreated", "OnClicked"};

formc::Compiled CompileText(const std::string& text, const std::filesystem::path& root = ".") {
  return formc::Compile({"test.form", text}, kHandlers, root);
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// A small description that compiles; the error cases add to or change it.
const std::string kValid = R"(# a comment
window kTestWindowId 0x52010001
  values 1 2
control "" window 0x06010000
  at 0 0 100 100
  on 0 OnCreated
control Tab1 Tab 0x16010009
  at 0 0 90 90
  pages "a" "b"
  page Group1
  page Button1
control Group1 GroupBox 0x16010003
  in Tab1
  at 1 2 3 4
control Button1 Button 0x16010004
  in Tab1
  at 5 6 7 8
  caption "go"
  on 0 OnClicked
control Label1 Label 0x16010005
  in Group1
  at 1 1 1 1
  font "F" height=-12 weight=700 pitch_and_family=0x31
  version 1
control Edit1 EditBox 0x16010006
  in Group1
  at 2 2 2 2
)";

const int kNextLine = static_cast<int>(std::count(kValid.begin(), kValid.end(), '\n')) + 1;

template <class Unit>
Unit UnitOf(const forms::ControlRecord& record) {
  return std::get<Unit>(*forms::ParseUnitData(record.type_code, record.unit_data));
}

TEST(FormcTest, CompilesRecordsChildListsBindingsAndHeader) {
  const auto compiled = CompileText(kValid);
  ASSERT_EQ(compiled.tmpl.windows.size(), 1u);
  const auto& window = compiled.tmpl.windows[0];
  EXPECT_EQ(window.value2, 2u);
  const auto& records = window.records;
  ASSERT_EQ(records.size(), 6u);
  const auto& tab = records[1];
  const auto& group = records[2];
  const auto& button = records[3];
  const auto& label = records[4];
  EXPECT_EQ(tab.children, (std::vector<uint32_t>{0x16010003, 0, 0x16010004, 0}));
  EXPECT_EQ(group.children, (std::vector<uint32_t>{0x16010005, 0x16010006}));
  EXPECT_EQ(group.container, 0x16010009u);
  EXPECT_EQ(tab.container, 0u);
  EXPECT_EQ(button.flags, 5u);  // visible tab stop unless told otherwise
  EXPECT_EQ(label.flags, 1u);
  EXPECT_EQ(button.left, 5);
  EXPECT_EQ(button.bindings.at(0).handler, 1u);
  EXPECT_EQ(records[0].bindings.at(0).handler, 0u);
  EXPECT_EQ(label.mouse_pointer, std::vector<uint8_t>(4, 0));

  EXPECT_EQ(label.unit_data.at(0), 1u);
  const auto label_unit = UnitOf<forms::LabelUnit>(label);
  ASSERT_TRUE(label_unit.font);
  EXPECT_EQ(label_unit.font->face, "F");
  EXPECT_EQ(label_unit.font->weight, 700);
  EXPECT_EQ(label_unit.font->pitch_and_family, 0x31);
  EXPECT_EQ(records[5].unit_data.at(0), 2u);  // the highest version by default
  EXPECT_EQ(UnitOf<forms::ButtonUnit>(button).caption, "go");

  EXPECT_NE(compiled.ids_header.find("inline constexpr uint32_t kTestWindowId = 0x52010001;"),
            std::string::npos);
  EXPECT_NE(compiled.ids_header.find("inline constexpr uint32_t Edit1 = 0x16010006;"),
            std::string::npos);
}

TEST(FormcTest, TextsBecomeGbk) {
  const auto compiled = CompileText(kValid + Utf8(u8"  content \"电容√\"\n"));
  EXPECT_EQ(UnitOf<forms::EditBoxUnit>(compiled.tmpl.windows[0].records[5]).content, "电容√");
}

TEST(FormcTest, ByteFieldsReadTheFilesTheyName) {
  const auto root = std::filesystem::path(testing::TempDir()) / "formc_test";
  std::filesystem::create_directories(root / "pictures");
  std::ofstream(root / "pictures" / "p.jpg", std::ios::binary) << "\xFF\xD8jpeg";
  const auto compiled = CompileText(
      kValid +
          "control P DrawPanel 0x16010007\n  at 0 0 1 1\n  background_picture pictures/p.jpg\n",
      root);
  const auto panel = UnitOf<forms::DrawPanelUnit>(compiled.tmpl.windows[0].records[6]);
  EXPECT_EQ(std::string(panel.background_picture.begin(), panel.background_picture.end()),
            "\xFF\xD8jpeg");
  ASSERT_EQ(compiled.files_read.size(), 1u);
  EXPECT_TRUE(compiled.files_read[0].ends_with("p.jpg"));
  for (const char* missing : {"pictures/none.jpg", "pictures"})
    EXPECT_THROW(CompileText(kValid +
                                 "control P DrawPanel 0x16010007\n  at 0 0 1 1\n"
                                 "  background_picture " +
                                 missing + "\n",
                             root),
                 formc::Error)
        << missing;
}

std::string ErrorOf(const std::string& text) {
  try {
    CompileText(text);
  } catch (const formc::Error& error) {
    return error.what();
  }
  return "no error";
}

TEST(FormcTest, FaultsAreReportedWithFileAndLine) {
  const struct {
    std::string added;
    int line_in_added;  // 0 = its first line
    std::string message;
  } cases[] = {
      {"  on 0 OnNothing\n", 0, "unknown handler 'OnNothing'"},
      {"  on -6 OnClicked\n  on -6 OnCreated\n", 1, "event -6 bound twice"},
      {"  input_mode nine\n", 0, "'nine' is not a number"},
      {"  input_mode 0x100000000\n", 0, "out of range"},
      {"  input_mode \"9\"\n", 0, "expected a number"},
      {"  colour 5\n", 0, "'colour' is not a setting of EditBox"},
      {"  at 1 1 1 1\n", 0, "'at' given twice"},
      {"  content \"abc\n", 0, "closing quote"},
      {"  content \"\xF0\x9F\x98\x80\"\n", 0, "GBK cannot hold"},
      {"  font \"F\" size=3\n", 0, "'size' is not a font field"},
      {"control Edit2 EditBox 0x16010007\n  in Nowhere\n  at 0 0 1 1\n", 1,
       "unknown container 'Nowhere'"},
      {"control Edit2 EditBox 0x16010006\n  at 0 0 1 1\n", 0, "given twice"},
      {"control Edit1 EditBox 0x16010007\n  at 0 0 1 1\n", 0, "name 'Edit1' given twice"},
      {"control Edit2 EditBox 0x16010007\n", 0, "no 'at"},
      {"control Edit2 Slider 0x16010007\n", 0, "unknown control type 'Slider'"},
      {"control Edit2 Label 0x00000001\n", 0, "is not a control id"},
      {"control 2x Label 0x16010007\n", 0, "'2x' is not a valid name"},
      {"control L2 Label 0x16010007\n  at 0 0 1 1\n  version 1\n  text2 \"x\"\n", 3,
       "'text2' is not a setting of Label (unit data version 1)"},
      {"control L2 Label 0x16010007\n  at 0 0 1 1\n  version 3\n", 2, "versions 1 to 2"},
      {"control Q Q_tip 0x16010007\n  at 0 0 1 1\n  version 1\n", 2, "stores no unit data"},
      {"control E2 EditBox 0x16010007\n  in Tab1\n  at 0 0 1 1\n", 1, "'E2' is on no page"},
      {"control E2 EditBox 0x16010007\n  in Label1\n  at 0 0 1 1\n", 1, "cannot hold"},
      {"control G2 GroupBox 0x16010007\n  in G3\n  at 0 0 1 1\n"
       "control G3 GroupBox 0x16010008\n  in G2\n  at 0 0 1 1\n",
       1, "containers form a loop"},
  };
  for (const auto& c : cases) {
    const std::string where = "test.form:" + std::to_string(kNextLine + c.line_in_added) + ": ";
    const std::string error = ErrorOf(kValid + c.added);
    EXPECT_EQ(error.rfind(where, 0), 0u) << c.added << " -> " << error;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.added << " -> " << error;
  }
}

TEST(FormcTest, FaultsOfTheWholeWindow) {
  auto replaced = [](std::string from, std::string to) {
    std::string text = kValid;
    return ErrorOf(text.replace(text.find(from), from.size(), to));
  };
  EXPECT_EQ(replaced("pages \"a\" \"b\"", "pages \"a\" \"b\" \"c\""),
            "test.form:7: 3 page titles but 2 'page' lines");
  EXPECT_EQ(replaced("page Button1", "page Button1 Group1").rfind("test.form:11: ", 0), 0u);
  EXPECT_EQ(replaced("\"\" window", "Own Label").rfind("test.form:2: ", 0), 0u);
  EXPECT_EQ(ErrorOf("control X Label 0x16010007\n"),
            "test.form:1: the description starts with a 'window' line");
}

TEST(FormcTest, ReadsTheHandlerList) {
  EXPECT_EQ(formc::ReadHandlerNames({"h.def", "// note\nHANDLER(A)\n\n  HANDLER(B)  \r\n"}),
            (std::vector<std::string>{"A", "B"}));
  EXPECT_THROW(formc::ReadHandlerNames({"h.def", "HANDLER(A)\nHANDLER(A)\n"}), formc::Error);
  try {
    formc::ReadHandlerNames({"h.def", "HANDLER(A)\nHANDLER B\n"});
    FAIL();
  } catch (const formc::Error& error) {
    EXPECT_STREQ(error.what(), "h.def:2: expected HANDLER(Name)");
  }
}

}  // namespace
