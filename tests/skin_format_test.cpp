#include "skin/engine/skin_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "skin/skin_data.h"
#include "skin/tools/skin_source.h"
#include "tests/skin_images.h"

namespace {

using skin::RecordTag;
using skin_images::Embedded;
using skin_images::PayloadOffset;
using skin_images::Resealed;
using skin_images::WithByte;

skin::Skin Sample() { return *skin::Decode(skin::EmbeddedSkin(19)); }

TEST(SkinFormatTest, EverySkinTheProgramCarriesDecodesAndTheyAllDiffer) {
  std::set<std::string> names;
  std::set<std::vector<uint8_t>> images;
  for (int number = 1; number <= skin::kEmbeddedSkinCount; ++number) {
    const std::vector<uint8_t> image = Embedded(number);
    ASSERT_TRUE(skin::Decode(image).has_value()) << "skin " << number;
    names.insert(skin::Decode(image)->name);
    images.insert(image);
  }
  EXPECT_EQ(names.size(), 33u);
  EXPECT_EQ(images.size(), 33u);
  EXPECT_TRUE(skin::EmbeddedSkin(0).empty());
  EXPECT_TRUE(skin::EmbeddedSkin(34).empty());
  EXPECT_TRUE(skin::EmbeddedSkin(-19).empty());
}

TEST(SkinFormatTest, EncodingRoundTrips) {
  const skin::Skin skin = Sample();
  EXPECT_EQ(skin::Decode(skin::Encode(skin)), skin);
  EXPECT_EQ(skin::Encode(skin), Embedded(19));
}

TEST(SkinFormatTest, UnknownRecordsAreSkipped) {
  std::vector<uint8_t> image = Embedded(19);
  image.insert(image.end(), {0x40, 0x00, 0x03, 0x00, 1, 2, 3});
  EXPECT_EQ(skin::Decode(Resealed(image)), Sample());
}

TEST(SkinFormatTest, RepeatedOrMissingRecordsAreRefused) {
  std::vector<uint8_t> repeated = Embedded(19);
  repeated.insert(repeated.end(), {static_cast<uint8_t>(RecordTag::kAero), 0x00, 0x01, 0x00, 9});
  EXPECT_FALSE(skin::Decode(Resealed(repeated)));

  // The same skin without its last record, the aero record.
  std::vector<uint8_t> shortened = Embedded(19);
  shortened.resize(shortened.size() - 5);
  EXPECT_FALSE(skin::Decode(Resealed(shortened)));
}

TEST(SkinFormatTest, DamageAndLengthMismatchesAreDetected) {
  const std::vector<uint8_t> image = Embedded(19);
  std::vector<uint8_t> flipped = image;
  flipped[PayloadOffset(image, RecordTag::kPalette) + 2] ^= 0x01;
  EXPECT_FALSE(skin::Decode(flipped)) << "checksum";

  std::vector<uint8_t> trailing = image;
  trailing.push_back(0);
  EXPECT_FALSE(skin::Decode(trailing)) << "declared length";

  const size_t aero = PayloadOffset(image, RecordTag::kAero);
  EXPECT_FALSE(skin::Decode(WithByte(image, aero - 2, 2))) << "record past the end";
  EXPECT_FALSE(skin::Decode(WithByte(image, 4, 2))) << "version";
  EXPECT_FALSE(skin::Decode(WithByte(image, 0, 'X'))) << "magic";
}

TEST(SkinFormatTest, TablesNeedEveryKeyOnceAndValuesInRange) {
  const std::vector<uint8_t> image = Embedded(19);
  const size_t palette = PayloadOffset(image, RecordTag::kPalette);
  const size_t boxes = PayloadOffset(image, RecordTag::kBoxes);
  EXPECT_FALSE(skin::Decode(WithByte(image, palette, 255))) << "absurd count";
  EXPECT_FALSE(skin::Decode(WithByte(image, palette + 1 + 4, 0))) << "role twice";
  EXPECT_FALSE(skin::Decode(WithByte(image, palette + 1, 200))) << "unknown role";
  EXPECT_FALSE(skin::Decode(WithByte(image, boxes + 1 + 1, 3))) << "unknown style";
  EXPECT_FALSE(skin::Decode(WithByte(image, boxes + 1 + 2, skin::kMaxRadius + 1))) << "radius";
  EXPECT_FALSE(skin::Decode(WithByte(image, PayloadOffset(image, RecordTag::kScheme), 'X')))
      << "scheme";
  EXPECT_FALSE(skin::Decode(WithByte(image, PayloadOffset(image, RecordTag::kName), 0)))
      << "name with a zero byte";
}

TEST(SkinFormatTest, DeclaredLengthLeadsFromOneSkinToTheNext) {
  std::vector<uint8_t> two = Embedded(1);
  const size_t first = two.size();
  const std::vector<uint8_t> second = Embedded(2);
  two.insert(two.end(), second.begin(), second.end());
  EXPECT_EQ(skin::DeclaredLength(two), first);
  EXPECT_FALSE(skin::DeclaredLength(std::span(two).first(first - 1)));
  EXPECT_FALSE(skin::DeclaredLength(std::span(two).first(8)));
}

// A complete source for `skin`, written the way skin authors write them.
std::string SourceOf(const skin::Skin& skin) {
  auto hex = [](const skin::Rgb& c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    return std::string(text);
  };
  std::string source = "# comment\nname = " + skin.name +
                       "\n  scheme=" + skin::kSchemeNames[static_cast<size_t>(skin.scheme)] +
                       "\r\ngloss = " + std::to_string(skin.gloss) + "\n\n";
  for (size_t role = 0; role < skin::kRoleCount; ++role)
    source += std::string(skin::kRoleNames[role]) + " = " + hex(skin.palette[role]) + "\n";
  for (size_t part = 0; part < skin::kPartCount; ++part) {
    const skin::BoxLook& look = skin.boxes[part];
    source += std::string(skin::kPartNames[part]) +
              ".style = " + skin::kStyleNames[static_cast<size_t>(look.style)] + "\n" +
              skin::kPartNames[part] + ".radius = " + std::to_string(look.radius) + "\n";
  }
  return source;
}

TEST(SkinSourceTest, CompleteSourceGivesTheSkin) {
  std::string error;
  EXPECT_EQ(skin::ParseSource(SourceOf(Sample()), &error), Sample()) << error;
}

TEST(SkinSourceTest, MistakesAreReportedWithTheirLine) {
  const std::string good = SourceOf(Sample());
  const std::pair<std::string, std::string> cases[] = {
      {good + "button.colour = #FFFFFF\n", "unknown key \"button.colour\""},
      {good + "gloss = 3\n", "\"gloss\" given twice"},
      {"window = #GG0000\n", "line 1: bad value for \"window\""},
      {"\nwindow\n", "line 2: expected key = value"},
      {"button.radius = 9\n", "bad value for \"button.radius\""},
      {"gloss = 256\n", "bad value for \"gloss\""},
      {"name = " + std::string(65, 'n') + "\n", "bad value for \"name\""},
  };
  for (const auto& [source, message] : cases) {
    std::string error;
    EXPECT_FALSE(skin::ParseSource(source, &error));
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
}

TEST(SkinSourceTest, MissingKeysAreListed) {
  std::string error;
  EXPECT_FALSE(skin::ParseSource("name = Test\n", &error));
  EXPECT_NE(error.find("missing keys: "), std::string::npos) << error;
  EXPECT_NE(error.find("aero.top"), std::string::npos) << error;
  EXPECT_NE(error.find("frame.radius"), std::string::npos) << error;
  EXPECT_EQ(error.find("name"), std::string::npos) << error;
}

}  // namespace
