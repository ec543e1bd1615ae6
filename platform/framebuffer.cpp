#include "platform/framebuffer.h"

#include <algorithm>
#include <cstring>

pixel screen[fbsize * fbstride];

namespace {
pixel ink = rgb(255, 255, 255);
}

void fbclear() { std::memset(screen, 0, sizeof screen); }

void fbcolor(int r, int g, int b) { ink = rgb(r, g, b); }

void fbrect(int x, int y, int w, int h) {
  // The field's cells: 8 x 8 and inside, 4096 of them in every frame.
  if (w == 8 && h == 8 && x >= 0 && y >= 0 && x <= fbsize - 8 && y <= fbsize - 8) {
    for (pixel* line = screen + y * fbstride + x; h > 0; --h, line += fbstride)
      for (int k = 0; k < 8; ++k) line[k] = ink;
    return;
  }
  int x0 = std::max(x, 0), x1 = std::min(x + w, fbsize);
  int y0 = std::max(y, 0), y1 = std::min(y + h, fbsize);
  for (int row = y0; row < y1; ++row) {
    pixel* line = screen + row * fbstride;
    std::fill(line + x0, line + std::max(x0, x1), ink);
  }
}

void fbplot(int x, int y) {
  if (x >= 0 && x < fbsize && y >= 0 && y < fbsize) screen[y * fbstride + x] = ink;
}

colour fbat(int x, int y) { return unpack(screen[y * fbstride + x]); }
