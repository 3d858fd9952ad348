// The skin engine as the program meets it: the built engine library loaded at run time,
// theming this process's toolkit through the entry points the process exports, with no
// display.

#include <FL/Fl.H>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "skin/engine/skin_format.h"
#include "skin/skin_data.h"
#include "tests/loaded_library.h"
#include "tests/skin_images.h"

// Last: the X11 headers define macros (None, Bool) that clash with the test framework.
#ifndef _WIN32
#include <FL/x.H>
#endif

namespace {

using skin::RecordTag;
using skin_images::Embedded;
using skin_images::PayloadOffset;
using skin_images::WithByte;

using SetAeroExport = int32_t (*)(int32_t);
using AttachResExport = int32_t (*)(const uint8_t*, int32_t, const char*, int32_t, int32_t,
                                    int32_t);

class SkinEngineTest : public testing::Test {
 protected:
  // The library is never closed: the toolkit keeps pointers to its box drawing functions.
  static void SetUpTestSuite() {
    std::string error;
    void* library = testing_support::LoadLibraryFile(CAPCALC_SKIN_ENGINE_FILE, &error);
    ASSERT_NE(library, nullptr) << error;
    set_aero_ =
        reinterpret_cast<SetAeroExport>(testing_support::FindExport(library, "SkinEngine_SetAero"));
    attach_res_ = reinterpret_cast<AttachResExport>(
        testing_support::FindExport(library, "SkinEngine_AttachRes"));
    ASSERT_NE(set_aero_, nullptr);
    ASSERT_NE(attach_res_, nullptr);
  }

  // As the program calls it: a buffer of exactly the skin's bytes, an empty text, zeros.
  static int32_t Attach(const std::vector<uint8_t>& bytes) {
    const auto copy = std::make_unique<uint8_t[]>(bytes.size() + 1);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return attach_res_(copy.get(), static_cast<int32_t>(bytes.size()), "", 0, 0, 0);
  }

  static skin::Rgb Standard(Fl_Color slot) {
    skin::Rgb rgb;
    Fl::get_color(slot, rgb.r, rgb.g, rgb.b);
    return rgb;
  }

  // The toolkit shows the standard colours of `number`'s skin. The background is derived
  // through the toolkit's grey ramp, which keeps its channels within 1 .. 254.
  static void ExpectThemedWith(int number) {
    SCOPED_TRACE("skin " + std::to_string(number));
    const skin::Skin expected = *skin::Decode(skin::EmbeddedSkin(number));
    const skin::Rgb window = expected[skin::Role::kWindow], shown = Standard(FL_BACKGROUND_COLOR);
    EXPECT_NEAR(shown.r, window.r, 1);
    EXPECT_NEAR(shown.g, window.g, 1);
    EXPECT_NEAR(shown.b, window.b, 1);
    EXPECT_EQ(Standard(FL_BACKGROUND2_COLOR), expected[skin::Role::kField]);
    EXPECT_EQ(Standard(FL_FOREGROUND_COLOR), expected[skin::Role::kText]);
    EXPECT_EQ(Standard(FL_SELECTION_COLOR), expected[skin::Role::kSelection]);
    const char* scheme = Fl::scheme();
    EXPECT_STREQ(scheme ? scheme : "none",
                 skin::kSchemeNames[static_cast<size_t>(expected.scheme)]);
  }

  static SetAeroExport set_aero_;
  static AttachResExport attach_res_;
};

SetAeroExport SkinEngineTest::set_aero_ = nullptr;
AttachResExport SkinEngineTest::attach_res_ = nullptr;

TEST_F(SkinEngineTest, EveryEmbeddedSkinIsAcceptedAndThemesTheToolkit) {
  EXPECT_EQ(set_aero_(1), 1);
  for (int number = 1; number <= skin::kEmbeddedSkinCount; ++number) {
    ASSERT_EQ(Attach(Embedded(number)), 1) << "skin " << number;
    ExpectThemedWith(number);
  }
}

TEST_F(SkinEngineTest, BoxesAreDrawnByTheEngineInTheProgramsOwnToolkit) {
  ASSERT_EQ(Attach(Embedded(19)), 1);
  const std::string drawer =
      testing_support::ModuleFileOf(reinterpret_cast<void*>(Fl::get_boxtype(FL_UP_BOX)));
  EXPECT_NE(drawer.find("SkinEngine."), std::string::npos) << drawer;
  EXPECT_EQ(Fl::box_dx(FL_DOWN_BOX), 2);  // edit boxes keep their text where it was
}

TEST_F(SkinEngineTest, RefusedSkinsLeaveTheThemeAsItWas) {
  ASSERT_EQ(Attach(Embedded(19)), 1);
  const std::vector<uint8_t> other = Embedded(5);
  for (size_t length = 0; length < other.size(); ++length) {
    EXPECT_EQ(Attach({other.begin(), other.begin() + static_cast<ptrdiff_t>(length)}), 0) << length;
  }
  EXPECT_EQ(Attach(WithByte(other, 1, 'K')), 0) << "wrong magic";
  EXPECT_EQ(Attach(WithByte(other, PayloadOffset(other, RecordTag::kPalette), 255)), 0);
  EXPECT_EQ(Attach(WithByte(other, PayloadOffset(other, RecordTag::kBoxes), 0)), 0);
  EXPECT_EQ(Attach(std::vector<uint8_t>(100, 0xFF)), 0);

  std::vector<uint8_t> huge = other;
  huge.resize(70000);
  EXPECT_EQ(Attach(huge), 0);
  EXPECT_EQ(attach_res_(nullptr, 100, "", 0, 0, 0), 0);
  EXPECT_EQ(attach_res_(other.data(), -1, "", 0, 0, 0), 0);
  EXPECT_EQ(attach_res_(other.data(), 0, nullptr, 0, 0, 0), 0);
  ExpectThemedWith(19);
}

TEST_F(SkinEngineTest, EngineKeepsNothingOfTheCallersBuffer) {
  const std::vector<uint8_t> bytes = Embedded(19);
  auto* buffer = new uint8_t[bytes.size()];
  std::copy(bytes.begin(), bytes.end(), buffer);
  ASSERT_EQ(attach_res_(buffer, static_cast<int32_t>(bytes.size()), "", 0, 0, 0), 1);
  // The program frees the buffer as soon as the call returns. AddressSanitizer reports
  // any later read of it; without it, the scribble makes such a read come out wrong.
  std::fill(buffer, buffer + bytes.size(), 0xEE);
  delete[] buffer;
  // Someone else changes the colours; switching the aero effect applies the attached
  // skin again, which the engine can do only from its own copy.
  Fl::background(10, 20, 30);
  Fl::foreground(200, 200, 200);
  Fl::scheme("none");
  EXPECT_EQ(set_aero_(0), 1);
  ExpectThemedWith(19);
}

TEST_F(SkinEngineTest, TheProgramCarriesTheEngineAsBuilt) {
  std::ifstream file(CAPCALC_SKIN_ENGINE_FILE, std::ios::binary);
  const std::vector<uint8_t> built{std::istreambuf_iterator<char>(file),
                                   std::istreambuf_iterator<char>()};
  const std::span<const uint8_t> carried = skin::SkinEngineImage();
  ASSERT_GT(built.size(), 4u);
  EXPECT_TRUE(std::equal(carried.begin(), carried.end(), built.begin(), built.end()));
}

#ifndef _WIN32  // a Windows program has no display connection to open
TEST_F(SkinEngineTest, WithoutADisplayOnlyStateChanges) {
  if (fl_display) GTEST_SKIP() << "this process already has a display connection";
  ASSERT_EQ(Attach(Embedded(21)), 1);
  EXPECT_EQ(set_aero_(0), 1);
  EXPECT_EQ(fl_display, nullptr);
}
#endif

}  // namespace
