#include "platform/framebuffer.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// The window draws only lit blocks over black: every pixel that is not
// black must lie in one, whatever was drawn and wherever it was clipped.
TEST(framebuffer, every_drawn_pixel_lies_in_a_lit_block) {
  std::mt19937 pick(5);
  auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(pick); };
  for (int round = 0; round < 20; ++round) {
    fbclear();
    for (std::uint64_t bits : lit) ASSERT_EQ(bits, 0u);
    for (int k = 0; k < 200; ++k) {
      fbcolor(any(0, 1) * 255, any(0, 1) * 128, 0);  // black now and then
      if (any(0, 2) == 0)
        fbplot(any(-10, 520), any(-10, 520));
      else
        fbrect(any(-40, 520), any(-40, 520), any(0, 60), any(0, 60));
    }
    fbcolor(9, 9, 9);
    fbrect(8 * any(0, 63), 8 * any(0, 63), 8, 8);  // a field cell
    for (int y = 0; y < fbsize; ++y)
      for (int x = 0; x < fbsize; ++x)
        if (fbat(x, y) != colour{0, 0, 0}) {
          ASSERT_TRUE(lit[y / 8] >> (x / 8) & 1) << x << "," << y;
        }
  }
}

TEST(framebuffer, drawing_is_clipped_to_the_surface) {
  fbclear();
  fbcolor(1, 2, 3);
  fbrect(-5, 510, 10, 10);
  fbplot(512, 0);
  fbplot(-1, 3);
  EXPECT_EQ(fbat(0, 511), (colour{1, 2, 3}));
  EXPECT_EQ(fbat(4, 510), (colour{1, 2, 3}));
  EXPECT_EQ(fbat(5, 511), (colour{0, 0, 0}));
  EXPECT_EQ(fbat(511, 0), (colour{0, 0, 0}));
  EXPECT_EQ(lit[63], 1u);
}

}  // namespace
