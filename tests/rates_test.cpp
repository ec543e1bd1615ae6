// Rates measured with the real generator and a fixed seed. Each tolerance is
// four standard deviations of its sample, small enough that a rate 10% off
// fails.
#include <cmath>

#include "sim/move.h"
#include "sim/react.h"
#include "world.h"

namespace {

class rates : public world {
 protected:
  void SetUp() override {
    world::SetUp();
    SeedRandom(12345);
  }
  static void expectrate(long hits, long trials, double p) {
    double sd = std::sqrt(p * (1 - p) / static_cast<double>(trials));
    // A rate 10% off lies beyond the tolerance by four more deviations.
    ASSERT_GT(0.1 * p, 8 * sd) << "sample too small to tell a 10% error";
    EXPECT_NEAR(static_cast<double>(hits) / static_cast<double>(trials), p, 4 * sd);
  }
};

// Chance per visit that a particle over empty space falls: grav x dense.
TEST_F(rates, fall_over_empty) {
  for (part* t : {sand, water}) {
    const long trials = 200000;
    long fell = 0;
    for (long k = 0; k < trials; ++k) {
      newgrid();
      put(5, 5, t);
      move(5, 5, *t);
      fell += at(5, 6) == t;
    }
    expectrate(fell, trials, t->grav * t->dense);
  }
}

TEST_F(rates, steam_condenses) {
  const long trials = 1000000;
  long condensed = 0;
  for (long k = 0; k < trials; ++k) {
    part* p = steam;
    change(p);
    condensed += p == water;
  }
  expectrate(condensed, trials, 0.01);
}

TEST_F(rates, fire_spreads_as_fire_once_in_four) {
  long spreads = 0, asfire = 0, keptfire = 0;
  while (spreads < 40000) {
    for (auto& column : grid)
      for (int& v : column) v = wall->i;
    put(6, 5, empty);
    done[6][5] = 0;
    part* p = fire;
    react(5, 5, p);
    if (at(6, 5) == empty) continue;
    ++spreads;
    asfire += at(6, 5) == fire;
    keptfire += p == fire;
  }
  expectrate(asfire, spreads, 0.25);
  expectrate(keptfire, spreads, 0.5);
}

// With no reaction possible, moving only trades places: every type keeps
// its count.
TEST_F(rates, movement_conserves_every_type) {
  part* mix[] = {sand, water, oil, saltwater, wall, glass, empty, empty};
  for (int x = 0; x < 64; ++x)
    for (int y = 0; y < 64; ++y) put(x, y, mix[(x * 7 + y * 3 + x * y) % 8]);
  int before[12] = {}, after[12] = {};
  for (auto& column : grid)
    for (int v : column) ++before[v];
  for (int s = 0; s < 1000; ++s) sweep();
  for (auto& column : grid)
    for (int v : column) ++after[v];
  for (int t = 0; t < 12; ++t) EXPECT_EQ(after[t], before[t]) << "type " << t;
}

}  // namespace
