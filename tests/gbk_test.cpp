#include "runtime/platform/gbk.h"

#include <gtest/gtest.h>

namespace {

std::string U8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(GbkTest, ChineseTextRoundTripsThroughUtf8) {
  const std::string gbk = "电容器额定电压√≥ψβΩ～“”";  // compiled as GBK
  const std::string utf8 = rt::GbkToUtf8(gbk);
  EXPECT_EQ(utf8, U8(u8"电容器额定电压√≥ψβΩ～“”"));
  EXPECT_EQ(rt::Utf8ToGbk(utf8), gbk);
}

TEST(GbkTest, InvalidGbkBytesSurviveTheRoundTrip) {
  const std::string odd(
      "\x81\x30\xff"
      "5\x80",
      5);
  EXPECT_EQ(rt::Utf8ToGbk(rt::GbkToUtf8(odd)), odd);
  // A lead byte with no byte after it at the end of the text.
  const std::string trailing("12\xB5", 3);
  EXPECT_EQ(rt::Utf8ToGbk(rt::GbkToUtf8(trailing)), trailing);
}

// Folder names that GBK cannot spell come in as GB18030 and go out as they came; two
// names that differ outside GBK stay different inside.
TEST(GbkTest, CharactersBeyondGbkCrossBothWays) {
  for (const std::string& name : {U8(u8"프로그램"), U8(u8"app📁"), U8(u8"工具📁"), U8(u8"€ ½ ß")}) {
    const std::string inside = rt::Utf8ToGbk(name);
    EXPECT_EQ(inside.find('?'), std::string::npos) << name;
    EXPECT_EQ(rt::GbkToUtf8(inside), name);
  }
  EXPECT_EQ(rt::Utf8ToGbk(U8(u8"工具📁")), "工具\x94\x39\xDC\x37");
  EXPECT_NE(rt::Utf8ToGbk(U8(u8"工具📁")), rt::Utf8ToGbk(U8(u8"工具?")));
}

// Names on disk need not be UTF-8 at all: a Latin-1 byte, a cut sequence, an overlong or
// surrogate form all come back byte for byte, and the escape characters themselves too,
// whatever stands next to them.
TEST(GbkTest, EverySystemByteStringComesBackExactly) {
  const std::string cases[] = {
      "caf\xe9",
      "caf\xe9/SkinEngine.so",
      "\xe5\xb7",
      "\xc0\xaf",
      "\xed\xa0\x80",
      "\xf4\x90\x80\x80",
      "\xff\xfe\x80",
      U8(u8"\uF780\uF7FF"),
      U8(u8"\uF7C3\uF7A9"),
      U8(u8"\uF781A"),
      U8(u8"\uF7810\uF7810"),
      U8(u8"\uE78D"),
      std::string("\0\x80", 2),
  };
  for (const std::string& text : cases) {
    EXPECT_EQ(rt::GbkToUtf8(rt::Utf8ToGbk(text)), text) << testing::PrintToString(text);
  }
}

// The toolkit gets valid UTF-8 whatever the inside text holds.
TEST(GbkTest, OddInsideBytesShowAsEscapeCharacters) {
  EXPECT_EQ(rt::GbkToUtf8("a\x80"
                          "b"),
            U8(u8"a\uF780b"));
  EXPECT_EQ(rt::GbkToUtf8("\xB5"), U8(u8"\uF7B5"));
}

// "淺" is 0x9C 0x5C in GBK: its second byte is no folder separator.
// What a user typed that is no text, then turned into a document: the characters stay,
// every byte that is no character becomes U+FFFD, and the result is valid UTF-8.
TEST(GbkTest, DocumentTextIsValidUtf8WhateverTheBoxHolds) {
  const std::string fffd = U8(u8"\uFFFD");
  const struct {
    std::string typed, document;
  } cases[] = {
      {"a\xff"
       "b",
       "a" + fffd + "b"},
      {"\xed\xa0\x80", fffd + fffd + fffd},  // a surrogate
      {"\xc0\xbc", fffd + fffd},             // an overlong "<"
      {U8(u8"电压") + "\xe7\x94", U8(u8"电压") + fffd + fffd},
      {U8(u8"\uF7FF\U0010FFFF"), fffd + U8(u8"\U0010FFFF")},
  };
  for (const auto& c : cases) {
    const std::string inside = rt::Utf8ToGbk(c.typed);
    EXPECT_EQ(rt::GbkToUtf8Text(inside), c.document) << c.typed;
    EXPECT_EQ(rt::GbkToUtf8(inside), c.typed);  // the box keeps what it holds
  }
  // A lone lead byte inside, at the end and before a byte that cannot follow it.
  EXPECT_EQ(rt::GbkToUtf8Text("x\x81"), "x" + fffd);
  EXPECT_EQ(rt::GbkToUtf8Text("\x81\x20"), fffd + " ");
}

TEST(GbkTest, TheLastSeparatorIsACharacterOfItsOwn) {
  const std::string folder = "C:\\王淺";
  EXPECT_EQ(rt::FindLastAsciiCharacter(folder + "\\capcalc.exe", '\\'), folder.size());
  EXPECT_EQ(rt::FindLastAsciiCharacter("淺.exe", '\\'), std::string::npos);
  EXPECT_EQ(rt::FindLastAsciiCharacter("a/b/c", '/'), 3u);
  EXPECT_EQ(rt::FindLastAsciiCharacter("", '/'), std::string::npos);
}

}  // namespace
