#include "sim/react.h"

#include "sim/move.h"

#include <cmath>

#include "world.h"

namespace {

using headless::ri;
using headless::u;

// A field of wall, which takes part in no rule, so that only the cells a
// test places can react.
class reactions : public world {
 protected:
  void SetUp() override {
    world::SetUp();
    for (auto& column : grid)
      for (int& v : column) v = wall->i;
  }
};

double below(float c) { return std::nextafter(static_cast<double>(c), 0.0); }

TEST_F(reactions, spontaneous_change_fires_below_its_probability_only) {
  struct {
    part** from;
    float c;
    part** to;
  } cases[] = {{&flame, 0.05f, &empty}, {&steam, 0.01f, &water}, {&fire, 0.25f, &flame}};
  for (auto& k : cases) {
    SCOPED_TRACE((*k.from)->i);
    part* p = *k.from;
    headless::script({u(below(k.c))});
    change(p);
    EXPECT_EQ(p, *k.to);
    p = *k.from;
    headless::script({u(k.c)});
    change(p);
    EXPECT_EQ(p, *k.from);
  }
  for (part* t : {empty, wall, sand, water, oil, salt, plant, saltwater, glass}) {
    part* p = t;
    change(p);
    EXPECT_EQ(p, t);
  }
  EXPECT_EQ(headless::seen.draws, 6) << "types without a change draw nothing";
}

TEST_F(reactions, each_rule_fires_below_its_probability_only) {
  struct {
    part** visited;
    part** neighbour;
    float c;
    part** visitedafter;
    part** neighbourafter;
  } rules[] = {
      {&salt, &water, 0.75f, &empty, &saltwater}, {&plant, &water, 0.5f, &plant, &plant},
      {&flame, &plant, 0.2f, &flame, &flame},     {&flame, &oil, 0.4f, &flame, &flame},
      {&flame, &sand, 0.25f, &flame, &glass},     {&flame, &water, 0.6f, &flame, &steam},
      {&flame, &saltwater, 0.6f, &salt, &steam},
  };
  for (auto& r : rules) {
    SCOPED_TRACE(std::to_string((*r.visited)->i) + " next to " + std::to_string((*r.neighbour)->i));
    for (bool fires : {true, false}) {
      put(20, 20, *r.visited);
      put(21, 21, *r.neighbour);
      part* p = *r.visited;
      headless::script({u(fires ? below(r.c) : r.c)});
      react(20, 20, p);
      EXPECT_EQ(p, fires ? *r.visitedafter : *r.visited);
      EXPECT_EQ(at(21, 21), fires ? *r.neighbourafter : *r.neighbour);
      EXPECT_EQ(done[21][21], fires ? 1 : 0);
      EXPECT_EQ(at(20, 20), *r.visited) << "the visited cell is written back later";
      done[21][21] = 0;
    }
  }
}

TEST_F(reactions, fire_spreads_with_two_extra_draws_in_order) {
  struct {
    int first, second;
    part** visitedafter;
    part** neighbourafter;
  } cases[] = {{0, 0, &fire, &fire}, {1, 0, &flame, &fire}, {0, 3, &fire, &flame}, {1, 1, &flame, &flame}};
  for (auto& k : cases) {
    put(30, 30, empty);
    done[30][30] = 0;
    part* p = fire;
    headless::script({u(below(0.6f)), ri(k.first), ri(k.second)});
    react(29, 29, p);
    EXPECT_EQ(p, *k.visitedafter);
    EXPECT_EQ(at(30, 30), *k.neighbourafter);
  }
  put(30, 30, empty);
  done[30][30] = 0;
  part* p = fire;
  headless::script({u(0.6f)});  // fails: no extra draws
  react(29, 29, p);
  EXPECT_EQ(at(30, 30), empty);
}

TEST_F(reactions, burning_plant_takes_one_draw_at_most) {
  put(10, 11, plant);
  part* p = flame;
  headless::script({u(0.2f)});
  react(10, 10, p);
  EXPECT_EQ(at(10, 11), plant);
  EXPECT_EQ(headless::seen.draws, 1);
}

TEST_F(reactions, visits_without_a_matching_rule_draw_nothing) {
  put(10, 11, water);
  put(11, 10, empty);
  put(9, 9, oil);
  for (part* t : {empty, wall, sand, water, oil, saltwater, glass, steam}) {
    part* p = t;
    react(10, 10, p);
    EXPECT_EQ(p, t);
  }
  put(10, 11, sand);  // plant and salt next to no water
  for (part* t : {plant, salt}) {
    part* p = t;
    react(10, 10, p);
  }
  EXPECT_EQ(headless::seen.draws, 0);
  for (auto& column : done)
    for (int v : column) EXPECT_EQ(v, 0);
}

TEST_F(reactions, salt_dissolves_into_the_first_water_only) {
  put(4, 4, water);
  put(4, 6, water);
  put(6, 6, water);
  part* p = salt;
  headless::script({u(0.9), u(0.1)});  // the first fails, the second dissolves it
  react(5, 5, p);
  EXPECT_EQ(p, empty);
  EXPECT_EQ(at(4, 4), water);
  EXPECT_EQ(at(4, 6), saltwater);
  EXPECT_EQ(at(6, 6), water);
}

TEST_F(reactions, flame_boiling_saltwater_can_end_as_empty) {
  put(4, 5, saltwater);
  put(6, 5, water);
  part* p = flame;
  headless::script({u(0.1), u(0.1)});
  react(5, 5, p);
  EXPECT_EQ(p, empty);
  EXPECT_EQ(at(4, 5), steam);
  EXPECT_EQ(at(6, 5), saltwater);
}

TEST_F(reactions, fire_in_a_corner_spreads_only_inside_the_field) {
  for (auto [x, y] : {std::pair{0, 1}, {1, 0}, {1, 1}}) put(x, y, empty);
  put(0, 0, fire);
  part* p = fire;
  // Three neighbours in offset order; each spread keeps the fire as fire.
  headless::script({u(0.1), ri(0), ri(0), u(0.1), ri(0), ri(0), u(0.1), ri(0), ri(1)});
  react(0, 0, p);
  EXPECT_EQ(at(0, 1), fire);
  EXPECT_EQ(at(1, 0), fire);
  EXPECT_EQ(at(1, 1), flame);
  EXPECT_EQ(at(0, 0), fire) << "its own cell holds fire until the write-back";
}

TEST_F(reactions, fire_turned_flame_leaves_the_remaining_empty_cells_alone) {
  for (int x = 9; x <= 11; ++x)
    for (int y = 9; y <= 11; ++y) put(x, y, empty);
  part* p = fire;
  headless::script({u(0.9), u(0.1), ri(1), ri(2)});  // (9,9) fails, (9,10) spreads
  react(10, 10, p);
  EXPECT_EQ(p, flame);
  EXPECT_EQ(at(9, 10), flame);
  EXPECT_EQ(at(9, 9), empty);
  EXPECT_EQ(at(11, 11), empty);
}

// A cell written earlier in the sweep is not changed again by a reaction;
// the cell that a moving particle left is not marked and can be.
TEST_F(reactions, marked_cells_are_left_alone_and_left_cells_are_not) {
  put(3, 0, empty);
  put(3, 1, empty);
  put(3, 0, water);
  headless::script({u(0.1), u(0.1)});  // water falls from (3, 0) to (3, 1)
  move(3, 0, *water);
  ASSERT_EQ(at(3, 1), water);
  ASSERT_EQ(done[3][1], 1);
  ASSERT_EQ(done[3][0], 0);
  part* p = plant;
  react(4, 1, p);  // the water below is marked: no draw
  EXPECT_EQ(at(3, 1), water);
  p = fire;
  headless::script({u(0.1), ri(0), ri(0)});
  react(4, 1, p);  // the emptied cell above can catch fire
  EXPECT_EQ(at(3, 0), fire);
}

}  // namespace
