#include "sim/grid.h"

#include <cstring>

#include "platform/platform.h"
#include "sim/move.h"
#include "sim/parts.h"
#include "sim/react.h"

int grid[side][side];
int done[side][side];

void newgrid() {
  std::memset(grid, 0, sizeof grid);
  std::memset(done, 0, sizeof done);
}

void drawcell(int x, int y, const part& p) {
  SetColor(p.r, p.g, p.b);
  DrawRect(cell * x, cell * y, cell, cell);
}

namespace {

// The particle is looked up when its cell's turn comes, so whatever earlier
// visits of this sweep wrote there is seen; a marked cell is visited too.
void visit(int x, int y) {
  part* p = parts[grid[x][y]];
  change(p);
  react(x, y, p);
  grid[x][y] = p->i;
  move(x, y, *p);
  drawcell(x, y, *p);  // where it was visited, even if it has just moved away
}

}  // namespace

void sweep() {
  for (int k = 0; k < side; ++k)
    for (int l = 0; l < side; ++l) visit(interleave(k), interleave(l));
  std::memset(done, 0, sizeof done);
}
