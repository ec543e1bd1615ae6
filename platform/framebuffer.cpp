#include "platform/framebuffer.h"

#include <algorithm>
#include <iterator>

pixel screen[fbsize * fbsize];

namespace {
pixel ink = rgb(255, 255, 255);
}

void fbclear() { std::fill(std::begin(screen), std::end(screen), rgb(0, 0, 0)); }

void fbcolor(int r, int g, int b) { ink = rgb(r, g, b); }

void fbrect(int x, int y, int w, int h) {
  int x0 = std::max(x, 0), x1 = std::min(x + w, fbsize);
  int y0 = std::max(y, 0), y1 = std::min(y + h, fbsize);
  for (int row = y0; row < y1; ++row) {
    pixel* line = screen + row * fbsize;
    std::fill(line + x0, line + std::max(x0, x1), ink);
  }
}

void fbplot(int x, int y) {
  if (x >= 0 && x < fbsize && y >= 0 && y < fbsize) screen[y * fbsize + x] = ink;
}

colour fbat(int x, int y) { return unpack(screen[y * fbsize + x]); }
