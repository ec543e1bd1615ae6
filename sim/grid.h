// The field: a type index per cell and a per-sweep mark per cell, and the
// sweep that advances and draws it once per frame.
#pragma once

constexpr int side = 64;  // cells per row and per column
constexpr int cell = 8;   // pixels per cell edge

// Indexed [x][y]: column first, row 0 at the top.
extern int grid[side][side];
// 1 where a cell was written earlier in this sweep by a neighbour reaction
// or as the target of a move; all 0 outside the sweep.
extern int done[side][side];

// Both arrays all 0 (empty, unmarked).
void newgrid();

// The sweep's order along one axis: step k of 64 takes the even positions
// 0, 2 .. 62 first, then the odd ones 1, 3 .. 63. Columns follow it, and so
// do the rows within each column: visit n is the cell
// (interleave(n / 64), interleave(n % 64)).
inline int interleave(int k) { return 2 * k < side ? 2 * k : 2 * k - 63; }

struct part;

// Cell (x, y) as an 8 x 8 square in the colour of p.
void drawcell(int x, int y, const part& p);

// One step of the whole field: every cell visited once, changed, moved and
// drawn as an 8 x 8 square; done all 0 again at the end.
void sweep();
