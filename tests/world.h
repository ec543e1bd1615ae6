// A started program on the headless platform, for tests of the simulation
// and the interaction: the type table, an empty field, fresh tracker and
// palette state, the clock at 0 and the generator seeded with 0.
#pragma once

#include <gtest/gtest.h>

#include "platform/framebuffer.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"
#include "ui/interact.h"
#include "ui/track.h"

class world : public ::testing::Test {
 protected:
  void SetUp() override {
    headless::reset();
    newgrid();
    newparts();
    addtypes();
    newtrack();
    newinteract();
  }
  // Scripted draws must be taken exactly as queued: none of the wrong kind,
  // none beyond the script, none left over.
  void TearDown() override {
    EXPECT_FALSE(headless::seen.drawfault) << "a draw was taken that the script did not expect";
    EXPECT_EQ(headless::drawsleft(), 0) << "scripted draws were left untaken";
  }
  static void put(int x, int y, const part* t) { grid[x][y] = t->i; }
  static const part* at(int x, int y) { return parts[grid[x][y]]; }
};
