#include "sim/move.h"

#include "world.h"

namespace {

using headless::ri;
using headless::u;

using movement = world;

TEST_F(movement, types_that_neither_fall_nor_slip_never_start_an_exchange) {
  for (part* t : {empty, wall, plant, glass}) {
    put(5, 5, t);
    move(5, 5, *t);
    EXPECT_EQ(at(5, 5), t);
  }
  EXPECT_EQ(headless::seen.draws, 0);
}

TEST_F(movement, falls_into_lighter_cell_below) {
  put(5, 5, sand);
  headless::script({u(0.79), u(0.49)});  // tendency 0.8, chance 0.5 - 0
  move(5, 5, *sand);
  EXPECT_EQ(at(5, 6), sand);
  EXPECT_EQ(at(5, 5), empty);
  EXPECT_EQ(done[5][6], 1);
  EXPECT_EQ(done[5][5], 0) << "the cell left behind is not marked";

  put(5, 5, sand);
  put(5, 6, water);
  headless::script({u(0.1), u(0.19)});  // chance 0.5 - 0.3
  move(5, 5, *sand);
  EXPECT_EQ(at(5, 6), sand);
  EXPECT_EQ(at(5, 5), water);
}

TEST_F(movement, failed_fall_chance_ends_the_visit) {
  put(5, 5, sand);
  headless::script({u(0.1), u(0.5)});
  move(5, 5, *sand);
  EXPECT_EQ(at(5, 5), sand);
  EXPECT_EQ(at(5, 6), empty);
}

TEST_F(movement, failed_fall_tendency_may_slide_in_the_same_visit) {
  put(5, 5, sand);
  headless::script({u(0.81), u(0.34), ri(1), u(0.49)});  // no rise draw: grav > 0
  move(5, 5, *sand);
  EXPECT_EQ(at(6, 5), sand);
  EXPECT_EQ(done[6][5], 1);
}

TEST_F(movement, nothing_falls_from_the_bottom_row_or_rises_from_the_top) {
  put(5, 63, sand);
  headless::script({u(0.9)});  // straight to the slide tendency, which fails
  move(5, 63, *sand);
  put(5, 0, steam);
  headless::script({u(0.5)});
  move(5, 0, *steam);
  EXPECT_EQ(at(5, 63), sand);
  EXPECT_EQ(at(5, 0), steam);
}

TEST_F(movement, rises_through_heavier_cells_and_into_empty_space) {
  put(5, 4, wall);
  put(5, 5, steam);
  SetColor(1, 2, 3);
  headless::script({u(0.07), u(0.94)});  // tendency 0.08, chance 1 - 0.05
  move(5, 5, *steam);
  EXPECT_EQ(at(5, 4), steam);
  EXPECT_EQ(at(5, 5), wall);
  EXPECT_EQ(done[5][4], 1);
  EXPECT_EQ(fbat(2, 2), (colour{1, 2, 3})) << "the rise pixel takes the colour in force";
  EXPECT_EQ(headless::seen.plots, 1);

  put(5, 10, fire);
  headless::script({u(0.04)});  // into empty space: chance 1, no draw
  move(5, 10, *fire);
  EXPECT_EQ(at(5, 9), fire);
}

TEST_F(movement, failed_rise_chance_still_plots_and_ends_the_visit) {
  put(5, 4, water);
  put(5, 5, steam);
  headless::script({u(0.01), u(0.26)});  // chance 0.3 - 0.05
  move(5, 5, *steam);
  EXPECT_EQ(at(5, 5), steam);
  EXPECT_EQ(headless::seen.plots, 1);
}

TEST_F(movement, equal_densities_never_exchange) {
  for (int x = 4; x <= 6; ++x)
    for (int y = 4; y <= 6; ++y) put(x, y, water);
  headless::script({u(0.1), ri(0)});  // no fall or rise test passes; the slide finds no room
  move(5, 5, *water);
  put(5, 20, fire);
  put(5, 19, flame);
  put(4, 20, flame);
  put(6, 20, flame);
  headless::script({u(0.1), ri(1)});
  move(5, 20, *fire);
  EXPECT_EQ(at(5, 19), flame);
  EXPECT_EQ(at(5, 20), fire);
}

// The side draw: 1 tries the right when it is in the field and lighter;
// anything else goes to the left. A failed exchange draw ends the visit.
TEST_F(movement, slides_by_the_side_rules) {
  struct {
    int x;
    part **left, **right;
    int side;
    double chance;
    int movedto;  // column, or -1 for staying
  } cases[] = {
      {5, &empty, &empty, 1, 0.1, 6},   {5, &empty, &empty, 0, 0.1, 4},
      {5, &empty, &wall, 1, 0.1, 4},    {5, &wall, &empty, 0, -1, -1},
      {5, &empty, &empty, 1, 0.9, -1},  {0, nullptr, &empty, 0, -1, -1},
      {0, nullptr, &empty, 1, 0.1, 1},  {63, &empty, nullptr, 1, 0.1, 62},
  };
  for (auto& k : cases) {
    SCOPED_TRACE("x " + std::to_string(k.x) + " side " + std::to_string(k.side));
    newgrid();
    put(k.x, 30, sand);
    put(k.x, 31, wall);  // nothing to fall into
    if (k.left) put(k.x - 1, 30, *k.left);
    if (k.right) put(k.x + 1, 30, *k.right);
    headless::script({u(0.1), ri(k.side)});
    if (k.chance >= 0) headless::script({u(k.chance)});
    move(k.x, 30, *sand);
    for (int x = 0; x < 64; ++x) EXPECT_EQ(at(x, 30) == sand, x == (k.movedto < 0 ? k.x : k.movedto)) << x;
  }
}

}  // namespace
