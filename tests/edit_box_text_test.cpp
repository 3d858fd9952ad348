// What the edit boxes accept and how they tidy their text on losing the focus.
#include <gtest/gtest.h>

#include "runtime/ui/editing/edit_box_text.h"

namespace {

using rt::TidiedText;

TEST(EditBoxTextTest, DecimalBoxesTakeDigitsMinusAndPoint) {
  EXPECT_EQ(rt::FilterText(rt::kSingleInput, "1a2.-b3e5"), "12.-35");
  EXPECT_EQ(rt::FilterText(rt::kIntInput, "1a2.-b3"), "12-3");
  EXPECT_EQ(rt::FilterText(rt::kReadOnly, "123"), "");
  EXPECT_EQ(rt::FilterText(rt::kFreeText, "a１b"), "a１b");
  EXPECT_TRUE(rt::AcceptsCharacter(rt::kSingleInput, '\b'));
  EXPECT_TRUE(rt::AcceptsCharacter(rt::kReadOnly, '\b'));
  EXPECT_FALSE(rt::AcceptsCharacter(rt::kIntInput, '.'));
  EXPECT_FALSE(rt::AcceptsCharacter(rt::kSingleInput, U'１'));
}

// A paste that the box would have to cut is refused whole: "3.7" must not become "37".
TEST(EditBoxTextTest, PastesGoInWholeOrNotAtAll) {
  EXPECT_EQ(rt::AcceptedPaste(rt::kIntInput, "3.7"), std::nullopt);
  EXPECT_EQ(rt::AcceptedPaste(rt::kSingleInput, "-7e3"), std::nullopt);
  EXPECT_EQ(rt::AcceptedPaste(rt::kSingleInput, " 6.35"), std::nullopt);
  EXPECT_EQ(rt::AcceptedPaste(rt::kSingleInput, "6.35"), "6.35");
  EXPECT_EQ(rt::AcceptedPaste(rt::kIntInput, "-120\r\n"), "-120");  // a copied cell
  EXPECT_EQ(rt::AcceptedPaste(rt::kIntInput, "1\n2"), std::nullopt);
  EXPECT_EQ(rt::AcceptedPaste(rt::kIntInput, "12\b"), std::nullopt);
  EXPECT_EQ(rt::AcceptedPaste(rt::kSingleInput, "１"), std::nullopt);
  EXPECT_EQ(rt::AcceptedPaste(rt::kReadOnly, "1"), std::nullopt);
  EXPECT_EQ(rt::AcceptedPaste(rt::kIntInput, " \n"), "");
  EXPECT_EQ(rt::AcceptedPaste(rt::kFreeText, "a\tb １"), "a\tb １");
}

TEST(EditBoxTextTest, DecimalBoxesRewriteInSinglePrecisionForm) {
  EXPECT_EQ(TidiedText(rt::kSingleInput, "1.50"), "1.5");
  EXPECT_EQ(TidiedText(rt::kSingleInput, "1.2.3"), "1.2");
  EXPECT_EQ(TidiedText(rt::kSingleInput, "0"), "");
  EXPECT_EQ(TidiedText(rt::kSingleInput, "0.0"), "");
  EXPECT_EQ(TidiedText(rt::kSingleInput, "-"), "");
  EXPECT_EQ(TidiedText(rt::kSingleInput, "1234567"), "1.23457e+006");
  EXPECT_EQ(TidiedText(rt::kSingleInput, "6.35"), std::nullopt);  // unchanged text stays
  EXPECT_EQ(TidiedText(rt::kSingleInput, ""), std::nullopt);
}

TEST(EditBoxTextTest, IntegerBoxesClampToTheirRange) {
  EXPECT_EQ(TidiedText(rt::kIntInput, "-0"), "");
  EXPECT_EQ(TidiedText(rt::kIntInput, "0"), "");
  EXPECT_EQ(TidiedText(rt::kIntInput, "007"), "7");
  EXPECT_EQ(TidiedText(rt::kIntInput, "99999999999"), "2147483647");
  EXPECT_EQ(TidiedText(rt::kIntInput, "-99999999999999999999999"), "-2147483648");
  EXPECT_EQ(TidiedText(rt::kIntInput, "12-3"), "12");
  EXPECT_EQ(TidiedText(rt::kIntInput, "50"), std::nullopt);
  EXPECT_EQ(TidiedText(rt::kReadOnly, "0"), std::nullopt);
}

}  // namespace
