#include "sim/move.h"

#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"

namespace {

double dense(int x, int y) { return parts[grid[x][y]]->dense; }

// The visited cell takes the target's particle and the target takes p.
void exchange(int x, int y, int tx, int ty, const part& p) {
  grid[x][y] = grid[tx][ty];
  grid[tx][ty] = p.i;
  done[tx][ty] = 1;
}

// Exactly 1 (or -1) means every visit, without a draw.
bool tends(double c, double exact) { return c == exact || (c * exact > 0 && Uniform() < c * exact); }

bool falls(int x, int y, const part& p) {
  return y < side - 1 && dense(x, y + 1) < p.dense && tends(p.grav, 1);
}

// Rising particles enter empty space and pass up through heavier ones.
bool rises(int x, int y, const part& p) {
  if (y == 0) return false;
  double above = dense(x, y - 1);
  return (above == 0 || above > p.dense) && tends(p.grav, -1);
}

void rise(int x, int y, const part& p) {
  // Drawn in whatever colour the sweep last set: the colour of the cell
  // visited just before this one.
  Plot(2, 2);
  double above = dense(x, y - 1);
  double c = above == 0 ? 1 : above - p.dense;
  if (c == 1 || Uniform() < c) exchange(x, y, x, y - 1, p);
}

// A side draw of 1 tries the right first; every other case falls through to
// the left. Whichever side is tried, a failed draw ends the attempt.
void slide(int x, int y, const part& p) {
  int right = RandomInt(0, 1);
  int tx = right == 1 && x < side - 1 && dense(x + 1, y) < p.dense ? x + 1 : x - 1;
  if (tx < 0 || dense(tx, y) >= p.dense) return;
  if (Uniform() < p.dense - dense(tx, y)) exchange(x, y, tx, y, p);
}

}  // namespace

void move(int x, int y, const part& p) {
  if (p.grav == 0 && p.slip == 0) return;
  if (falls(x, y, p)) {
    if (Uniform() < p.dense - dense(x, y + 1)) exchange(x, y, x, y + 1, p);
  } else if (rises(x, y, p)) {
    rise(x, y, p);
  } else if (tends(p.slip, 1)) {
    slide(x, y, p);
  }
}
