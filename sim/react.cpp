#include "sim/react.h"

#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"

namespace {

// One fresh draw against a single-precision probability, taken only once
// the caller has checked the rule's types.
bool chance(float c) { return Uniform() < static_cast<double>(c); }

// The rules between the visited particle p and a neighbour n, tried in
// order. At most one can match a pair of types; every rule that fires
// changes the neighbour.
void rule(part*& p, part*& n) {
  if (p == salt) {
    if (n == water && chance(0.75f)) p = empty, n = saltwater;
  } else if (p == plant) {
    if (n == water && chance(0.5f)) n = plant;
  } else if (p == flame) {
    if (n == plant) {
      if (chance(0.2f)) n = flame;
    } else if (n == oil) {
      if (chance(0.4f)) n = flame;
    } else if (n == sand) {
      if (chance(0.25f)) n = glass;
    } else if (n == water) {
      if (chance(0.6f)) n = steam;
    } else if (n == saltwater) {
      if (chance(0.6f)) p = salt, n = steam;
    }
  } else if (p == fire) {
    if (n == empty && chance(0.6f)) {
      if (RandomInt(0, 1) == 1) p = flame;
      n = RandomInt(0, 3) == 0 ? fire : flame;
    }
  }
}

// Only these types act on their neighbours; any other visit draws nothing.
bool active(const part* p) { return p == salt || p == plant || p == flame || p == fire; }

}  // namespace

void change(part*& p) {
  if (p == flame) {
    if (chance(0.05f)) p = empty;
  } else if (p == steam) {
    if (chance(0.01f)) p = water;
  } else if (p == fire) {
    if (chance(0.25f)) p = flame;
  }
}

void react(int x, int y, part*& p) {
  if (!active(p)) return;
  for (int nx = x - 1; nx <= x + 1; ++nx) {
    if (nx < 0 || nx >= side) continue;
    for (int ny = y - 1; ny <= y + 1; ++ny) {
      if (!active(p)) return;  // salt that has dissolved is empty: nothing more to do
      if (ny < 0 || ny >= side || done[nx][ny]) continue;
      part* n = parts[grid[nx][ny]];
      const part* was = n;
      rule(p, n);
      // A cell written here is not changed again by a reaction in this sweep.
      if (n != was) {
        grid[nx][ny] = n->i;
        done[nx][ny] = 1;
      }
    }
  }
}
