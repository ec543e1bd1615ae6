// Once the frame loop runs, a frame allocates nothing from the heap: every
// operator new in this program is counted while frames run with painting,
// the palette and reactions going on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "app/app.h"
#include "platform/headless.h"
#include "sim/grid.h"
#include "sim/parts.h"

namespace {
long allocations = 0;
}

void* operator new(std::size_t n) {
  ++allocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using headless::kind;

// Messages that arrive at time t, queued before the frames run.
void at(std::int32_t t, kind what, int a = 0, int b = 0) { headless::post({what, a, b, t, true}); }

TEST(allocations, none_per_frame) {
  headless::reset(0);
  startup();
  for (int x = 0; x < side; ++x)
    for (int y = 40; y < side; ++y) grid[x][y] = (x / 4 + y) % 2 ? water->i : plant->i;
  // Each second: choose fire from the palette, paint a stroke, pick a cell.
  for (int s = 0; s < 10; ++s) {
    std::int32_t t = 1000 * s;
    at(t + 10, kind::move, 300, 100);
    at(t + 50, kind::press, 3);
    at(t + 100, kind::move, 290, 100 + 7 * 8 + 2);
    at(t + 150, kind::release, 3);
    at(t + 200, kind::press, 1);
    for (int k = 0; k < 20; ++k) at(t + 220 + 20 * k, kind::move, 20 * k, 310 + k);
    at(t + 700, kind::release, 1);
    at(t + 800, kind::press, 2);
    at(t + 850, kind::release, 2);
    at(t + 900, kind::wheel, 1);
  }
  frame();  // the first frame may set things up
  long before = allocations;
  for (int f = 0; f < 600; ++f) frame();
  EXPECT_EQ(allocations - before, 0);
  int burned = 0;  // plants and water that fire turned into something else
  for (auto& column : grid)
    for (int y = 40; y < side; ++y) burned += column[y] != water->i && column[y] != plant->i;
  EXPECT_GT(burned, 100);
  EXPECT_EQ(headless::seen.presents, 601);
}

}  // namespace
