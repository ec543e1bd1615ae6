#include "ui/interact.h"

#include <algorithm>

#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"
#include "ui/track.h"

int selected = 1;
int hovered = -1;
int menumax = 8;
int menux = 0, menuy = 0;

namespace {

// A grey panel left of the anchor with one 12 x 8 swatch per row; the row
// under the pointer is remembered until the middle button comes up.
void palette() {
  int rows = std::min(menumax, menucount);
  SetColor(128, 128, 128);
  DrawRect(menux - 18, menuy - 2, 16, rows * 8 + 4);
  for (int k = 0; k < rows; ++k) {
    SetColor(parts[k]->r, parts[k]->g, parts[k]->b);
    DrawRect(menux - 16, menuy + 8 * k, 12, 8);
    if (inrect(menux - 16, menuy + 8 * k, 12, 8)) hovered = k;
  }
}

void normal() {
  if (released3 && hovered >= 0) {
    selected = hovered;
    hovered = -1;
  }
  menux = ptrx;
  menuy = ptry;
  // Division truncates toward zero, so -7 .. 7 all address cell 0.
  int cx = ptrx / cell, cy = ptry / cell;
  if (cx < 0 || cx >= side || cy < 0 || cy >= side) return;
  if (released2) selected = grid[cx][cy];
  if (held1) grid[cx][cy] = selected;
}

// A right triangle of 36 pixels with its right angle at the pointer: a
// white edge of 21 pixels around 15 in the selected type's colour.
void pointer() {
  const part& s = *parts[selected];
  for (int i = 0; i < 8; ++i)
    for (int j = 0; j <= 7 - i; ++j) {
      if (i == 0 || j == 0 || i + j == 7)
        SetColor(255, 255, 255);
      else
        SetColor(s.r, s.g, s.b);
      Plot(ptrx + i, ptry + j);
    }
}

}  // namespace

void newinteract() {
  selected = 1;
  hovered = -1;
  menumax = 8;
  menux = menuy = 0;
}

void interact() {
  if (held3)
    palette();
  else
    normal();
  pointer();
}
