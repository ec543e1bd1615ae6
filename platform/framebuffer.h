// The frame in memory: 512 x 512 pixels that Cls, DrawRect and Plot write,
// clipped to the surface. The headless backend keeps it as the picture; the
// window uploads it as one texture per frame, so both show the same pixels.
#pragma once

#include <cstdint>

constexpr int fbsize = 512;
// Pixels from one row to the next. Rows 2 KiB apart would map every row of
// a cell column onto the same two cache sets; one cache line of padding per
// row lets the sweep's column-wise drawing stay in the cache.
constexpr int fbstride = fbsize + 16;

// One pixel as the bytes R, G, B, A in memory, the layout OpenGL uploads;
// always opaque, so no window system can ever show through.
using pixel = std::uint32_t;

inline pixel rgb(int r, int g, int b) {
  return static_cast<pixel>(r & 255) | static_cast<pixel>(g & 255) << 8 |
         static_cast<pixel>(b & 255) << 16 | pixel{255} << 24;
}

struct colour {
  int r, g, b;
  bool operator==(const colour&) const = default;
};

inline colour unpack(pixel p) {
  return {static_cast<int>(p & 255), static_cast<int>(p >> 8 & 255), static_cast<int>(p >> 16 & 255)};
}

extern pixel screen[fbsize * fbstride];

// Which 8 x 8 blocks of the frame anything but black was drawn into since
// the last clear: bit bx of lit[by] for the block at pixel (8 bx, 8 by).
// Everything else is black, so the window only needs to show these.
constexpr int fbblocks = fbsize / 8;
extern std::uint64_t lit[fbblocks];

void fbclear();
void fbcolor(int r, int g, int b);
void fbrect(int x, int y, int w, int h);
void fbplot(int x, int y);
colour fbat(int x, int y);  // the pixel at (x, y), which must lie inside
