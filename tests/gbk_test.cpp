#include "runtime/gbk.h"

#include <gtest/gtest.h>

namespace {

TEST(GbkTest, ChineseTextRoundTripsThroughUtf8) {
  const std::string gbk = "电容器额定电压√≥ψβΩ～“”";  // compiled as GBK
  const std::string utf8 = rt::GbkToUtf8(gbk);
  EXPECT_EQ(utf8, reinterpret_cast<const char*>(u8"电容器额定电压√≥ψβΩ～“”"));
  EXPECT_EQ(rt::Utf8ToGbk(utf8), gbk);
}

TEST(GbkTest, InvalidGbkBytesSurviveTheRoundTrip) {
  const std::string odd("\x81\x30\xff" "5\x80", 5);
  EXPECT_EQ(rt::Utf8ToGbk(rt::GbkToUtf8(odd)), odd);
  // A lead byte with no byte after it at the end of the text.
  const std::string trailing("12\xB5", 3);
  EXPECT_EQ(rt::Utf8ToGbk(rt::GbkToUtf8(trailing)), trailing);
}

TEST(GbkTest, Utf8WithoutGbkCounterpartBecomesQuestionMarks) {
  EXPECT_EQ(rt::Utf8ToGbk("a\xF0\x9F\x98\x80" "b"), "a?b");
  EXPECT_EQ(rt::Utf8ToGbk(std::string("a\xC3(b", 4)), "a?(b");
}

}  // namespace
