// Frame pacing of Flip(-1): absolute deadlines with a whole-millisecond period
// and a remainder that adds the lost fraction back, so that 60 frames take
// exactly 1000 ms. Plain arithmetic on clock readings, shared by both backends.
#pragma once

#include <cstdint>

struct pacing {
  std::int32_t deadline = 0;   // ClockMs value of the next present
  std::int32_t remainder = 0;  // 0 .. rate - 1
  int period = 16;             // 1000 div rate
  int step = 40;               // 1000 - period * rate
  int rate = 60;
};

// The pacing of a window opened at clock reading now.
pacing startpacing(int rate, std::int32_t now);

// Advances to the next deadline and returns how long to sleep from now;
// a deadline already missed restarts the schedule from now and returns 0.
std::int32_t nextwait(pacing& p, std::int32_t now);
