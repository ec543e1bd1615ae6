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

namespace {

using headless::u;
using visits = world;

// Sand moving down from an even row is visited again in the odd row below;
// the picture shows it in both cells, and not in the cell it ends in, which
// was drawn before it arrived.
TEST_F(visits, particle_moving_into_a_later_cell_is_visited_again) {
  put(0, 0, sand);
  headless::script({u(0.1), u(0.1), u(0.1), u(0.1)});
  sweep();
  EXPECT_EQ(at(0, 2), sand);
  EXPECT_EQ(fbat(3, 3), (colour{255, 255, 0}));
  EXPECT_EQ(fbat(3, 11), (colour{255, 255, 0}));
  EXPECT_EQ(fbat(3, 19), (colour{0, 0, 0}));

  newgrid();
  put(0, 1, sand);
  headless::script({u(0.1), u(0.1)});  // into row 2, already visited: once only
  sweep();
  EXPECT_EQ(at(0, 2), sand);
}

// The rise pixel is drawn in the colour of the cell visited just before
// the rising particle: here the glass two rows above the steam.
TEST_F(visits, rise_pixel_shows_the_colour_of_the_cell_visited_before) {
  put(5, 8, glass);
  put(5, 10, steam);
  headless::script({u(0.5), u(0.01),           // no condensing; rises into empty
                    u(0.5), u(0.5), u(0.9)});  // visited again at (5, 9): stays
  sweep();
  EXPECT_EQ(at(5, 9), steam);
  EXPECT_EQ(fbat(2, 2), (colour{200, 180, 220}));
  EXPECT_EQ(fbat(3, 3), (colour{0, 0, 0}));
}

// The flame boils the water below it into steam and marks that cell; the
// cell is visited all the same, and the steam condenses and falls.
TEST_F(visits, marked_cell_is_still_visited_and_changes) {
  put(7, 0, flame);
  put(7, 1, water);
  headless::script({u(0.9), u(0.1), u(0.9),      // flame: lives, boils, no slide
                    u(0.001), u(0.1), u(0.1)});  // steam: condenses, falls
  sweep();
  EXPECT_EQ(at(7, 0), flame);
  EXPECT_EQ(at(7, 1), empty);
  EXPECT_EQ(at(7, 2), water);
}

}  // namespace
