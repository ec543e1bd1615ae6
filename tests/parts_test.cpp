#include <gtest/gtest.h>

#include "world.h"

namespace {

struct row {
  const char* name;
  int r, g, b;
  double grav, slip, dense;
};

// Fractions as the single-precision values they are held as.
const row table[] = {
    {"empty", 0, 0, 0, 0, 0, 0},
    {"wall", 128, 128, 128, 0, 0, 1},
    {"sand", 255, 255, 0, 0.800000011920929, 0.3499999940395355, 0.5},
    {"water", 0, 64, 255, 0.699999988079071, 0.800000011920929, 0.30000001192092896},
    {"oil", 192, 96, 32, 0.6499999761581421, 0.550000011920929, 0.20000000298023224},
    {"salt", 255, 255, 255, 0.75, 0.800000011920929, 0.4000000059604645},
    {"plant", 0, 255, 0, 0, 0, 1},
    {"fire", 255, 64, 0, -0.05000000074505806, 0.8500000238418579, 0.014999999664723873},
    {"saltwater", 64, 128, 255, 0.75, 0.75, 0.44999998807907104},
    {"glass", 200, 180, 220, 0, 0, 1},
    {"steam", 128, 128, 255, -0.07999999821186066, 0.4000000059604645, 0.05000000074505806},
    {"flame", 255, 64, 0, -0.05000000074505806, 0.8500000238418579, 0.014999999664723873},
};

using types = world;

TEST_F(types, registered_in_order_with_exact_values) {
  EXPECT_EQ(count, 12);
  EXPECT_EQ(menucount, 12);
  for (int k = 0; k < 12; ++k) {
    SCOPED_TRACE(table[k].name);
    const part& p = *parts[k];
    EXPECT_EQ(p.i, k);
    EXPECT_EQ(p.update, 1);
    EXPECT_EQ(p.r, table[k].r);
    EXPECT_EQ(p.g, table[k].g);
    EXPECT_EQ(p.b, table[k].b);
    EXPECT_EQ(p.grav, table[k].grav);
    EXPECT_EQ(p.slip, table[k].slip);
    EXPECT_EQ(p.dense, table[k].dense);
  }
  for (int k = 12; k < maxparts; ++k) EXPECT_EQ(parts[k], nullptr);
  const part* named[] = {empty, wall, sand, water, oil, salt, plant, fire, saltwater, glass, steam, flame};
  for (int k = 0; k < 12; ++k) EXPECT_EQ(named[k], parts[k]);
  EXPECT_NE(fire, flame);
}

TEST_F(types, add_files_the_next_index_and_returns_the_record) {
  part fresh;
  EXPECT_EQ(fresh.update, 1);
  EXPECT_EQ(fresh.r + fresh.g + fresh.b + fresh.i, 0);
  EXPECT_EQ(fresh.grav + fresh.slip + fresh.dense, 0.0);
  part* t = add(1, 2, 3, 0.5, 0.25, 0.125);
  EXPECT_EQ(t, parts[12]);
  EXPECT_EQ(t->i, 12);
  EXPECT_EQ(t->update, 1);
  EXPECT_EQ(count, 13);
  EXPECT_EQ(menucount, 13);
}

}  // namespace
