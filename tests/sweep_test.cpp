#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "world.h"

namespace {

using field = world;

std::vector<std::pair<int, int>> drawn;

void record(int x, int y, int w, int h) {
  EXPECT_EQ(w, 8);
  EXPECT_EQ(h, 8);
  drawn.push_back({x / 8, y / 8});
}

TEST_F(field, visits_in_interleaved_order) {
  drawn.clear();
  headless::onrect = record;
  sweep();
  ASSERT_EQ(drawn.size(), 4096u);
  std::pair<int, int> expected[][2] = {
      {{0, 0}, {0, 0}}, {{1, 0}, {0, 2}}, {{2, 0}, {0, 4}}, {{32, 0}, {0, 1}},
      {{64, 0}, {2, 0}}, {{2048, 0}, {1, 0}}, {{4095, 0}, {63, 63}},
  };
  for (auto& [n, cell] : expected) EXPECT_EQ(drawn[n.first], cell) << "visit " << n.first;
  bool seen[64][64] = {};
  for (auto [x, y] : drawn) {
    EXPECT_FALSE(seen[x][y]) << x << "," << y << " visited twice";
    seen[x][y] = true;
  }
}

TEST_F(field, empty_field_is_drawn_as_4096_black_squares) {
  fbcolor(200, 10, 10);
  fbrect(0, 0, 512, 512);  // anything left undrawn would show red
  sweep();
  EXPECT_EQ(headless::seen.rects, 4096);
  EXPECT_EQ(headless::seen.draws, 0);
  for (int y = 0; y < 512; ++y)
    for (int x = 0; x < 512; ++x) ASSERT_EQ(fbat(x, y), (colour{0, 0, 0})) << x << "," << y;
  for (auto& column : grid)
    for (int v : column) EXPECT_EQ(v, 0);
}

TEST_F(field, cells_are_drawn_in_their_types_colour) {
  put(5, 7, sand);
  put(0, 63, wall);
  put(63, 0, plant);
  sweep();  // wall and plant never move; sand in row 7 may
  EXPECT_EQ(fbat(0, 63 * 8), (colour{128, 128, 128}));
  EXPECT_EQ(fbat(7, 511), (colour{128, 128, 128}));
  EXPECT_EQ(fbat(511, 0), (colour{0, 255, 0}));
  EXPECT_EQ(fbat(5 * 8 + 3, 7 * 8 + 3), (colour{255, 255, 0}));  // drawn where it was visited
}

TEST_F(field, done_is_all_zero_after_every_sweep) {
  for (int x = 0; x < 64; ++x)
    for (int y = 32; y < 64; ++y) put(x, y, parts[(x + y) % 12]);
  for (int s = 0; s < 50; ++s) {
    sweep();
    for (auto& column : done)
      for (int v : column) ASSERT_EQ(v, 0) << "after sweep " << s;
  }
}

}  // namespace
