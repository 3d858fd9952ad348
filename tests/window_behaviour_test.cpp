// The main window's own behaviour: the banner's scrolling.
#include <gtest/gtest.h>

#include "runtime/core/events.h"
#include "runtime/core/property_access.h"
#include "tests/headless_window.h"

namespace {

using namespace calc;

int32_t BannerLeft() {
  return static_cast<int32_t>(rt::GetProperty(kMainWindowId, 标签12, kLeftProperty, -1));
}

void WriteBanner(int32_t property, int32_t value) {
  rt::SetProperty(kMainWindowId, 标签12, property, -1, static_cast<uint32_t>(value), 0);
}

void Tick() { rt::RaiseEvent(kMainWindowId, 时钟1, 0); }

// Once its left edge reaches -800 the banner starts again at its own width, whatever
// that width is now.
TEST(BannerTest, WrapsAtMinus800ToItsOwnWidth) {
  testing_support::StartHeadless();
  WriteBanner(kWidthProperty, 500);
  WriteBanner(kLeftProperty, -798);
  Tick();
  EXPECT_EQ(BannerLeft(), -799);
  Tick();
  EXPECT_EQ(BannerLeft(), 500);
  Tick();
  EXPECT_EQ(BannerLeft(), 499);
}

}  // namespace
