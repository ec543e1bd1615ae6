#include "platform/framebuffer.h"

#include <algorithm>
#include <cstring>
#include <iterator>

pixel screen[fbsize * fbstride];
std::uint64_t lit[fbblocks];

namespace {
pixel ink = rgb(255, 255, 255);

// Notes the blocks under pixels x0 .. x1 - 1, y0 .. y1 - 1 (inside, not
// empty) as lit, unless the ink is black.
void light(int x0, int y0, int x1, int y1) {
  if (ink == rgb(0, 0, 0)) return;
  int bx0 = x0 / 8, bx1 = (x1 - 1) / 8;
  std::uint64_t bits = (~std::uint64_t{0} >> (63 - bx1)) & (~std::uint64_t{0} << bx0);
  for (int by = y0 / 8; by <= (y1 - 1) / 8; ++by) lit[by] |= bits;
}

}  // namespace

void fbclear() {
  std::fill(std::begin(screen), std::end(screen), rgb(0, 0, 0));
  std::memset(lit, 0, sizeof lit);
}

void fbcolor(int r, int g, int b) { ink = rgb(r, g, b); }

void fbrect(int x, int y, int w, int h) {
  // The field's cells: 8 x 8 and inside, 4096 of them in every frame.
  if (w == 8 && h == 8 && x >= 0 && y >= 0 && x <= fbsize - 8 && y <= fbsize - 8) {
    light(x, y, x + 8, y + 8);
    for (pixel* line = screen + y * fbstride + x; h > 0; --h, line += fbstride)
      for (int k = 0; k < 8; ++k) line[k] = ink;
    return;
  }
  int x0 = std::max(x, 0), x1 = std::min(x + w, fbsize);
  int y0 = std::max(y, 0), y1 = std::min(y + h, fbsize);
  if (x0 >= x1 || y0 >= y1) return;
  light(x0, y0, x1, y1);
  for (int row = y0; row < y1; ++row) {
    pixel* line = screen + row * fbstride;
    std::fill(line + x0, line + x1, ink);
  }
}

void fbplot(int x, int y) {
  if (x < 0 || x >= fbsize || y < 0 || y >= fbsize) return;
  light(x, y, x + 1, y + 1);
  screen[y * fbstride + x] = ink;
}

colour fbat(int x, int y) { return unpack(screen[y * fbstride + x]); }
