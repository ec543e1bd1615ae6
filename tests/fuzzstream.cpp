#include "fuzzstream.h"

#include <algorithm>

#include "app/app.h"
#include "platform/headless.h"
#include "sim/grid.h"
#include "sim/parts.h"
#include "ui/interact.h"

namespace {

struct reader {
  const std::uint8_t* data;
  std::size_t size, at = 0;
  int next() { return at < size ? data[at++] : 0; }
  // Positions from -1000 to 1547: well outside the window on every side.
  int position() { return (next() << 8 | next()) % 2548 - 1000; }
};

}  // namespace

std::string brokeninvariant() {
  for (int x = 0; x < side; ++x)
    for (int y = 0; y < side; ++y) {
      if (grid[x][y] < 0 || grid[x][y] >= count) return "unregistered type in a cell";
      if (done[x][y] != 0) return "a mark left in done";
    }
  if (selected < 0 || selected >= count) return "selected is no registered type";
  if (hovered < -1 || hovered >= std::min(menumax, menucount)) return "hovered is no palette row";
  return "";
}

std::string runstream(const std::uint8_t* data, std::size_t size) {
  headless::reset(static_cast<std::int32_t>(size * 7919));
  startup();
  reader in{data, size};
  long frames = 0;
  auto step = [&]() -> std::string {
    frame();  // a close request ends a frame like any other here
    ++frames;
    std::string why = brokeninvariant();
    return why.empty() ? why : why + " after frame " + std::to_string(frames);
  };
  while (in.at < in.size) {
    using headless::kind;
    int op = in.next();
    switch (op % 8) {
      case 0: case 1: headless::move(in.position(), in.position()); break;
      case 2: headless::press(1 + in.next() % 3); break;
      case 3: headless::release(1 + in.next() % 3); break;
      case 4: headless::turn(static_cast<std::int8_t>(in.next())); break;
      case 5: op & 8 ? headless::close() : headless::activation(); break;
      default:
        if (std::string why = step(); !why.empty()) return why;
    }
  }
  return step();
}
