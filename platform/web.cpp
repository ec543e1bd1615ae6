// The platform in a web page: the page's canvas is the window. Drawing goes
// into the memory frame, as on the desktop; Flip sleeps until the deadline,
// giving the browser its turn, and then puts the frame on the canvas at once.
// The glue in web/glue.js queues the canvas's events; they are processed
// only here, inside the input queries, like window messages on the desktop.
#include <emscripten.h>

#include <cstdint>

#include "platform/framebuffer.h"
#include "platform/pacing.h"
#include "platform/platform.h"
#include "platform/screen.h"
#include "platform/webinput.h"

// The glue's functions (web/glue.js).
extern "C" {
void webstart();
void webopen(const char* title, int width, int height);
void webcursor(int visible);
void webpresent(const pixel* frame, int stride, int size);
double webclock();
int webnext(double* event);  // 0 once the queue is empty
}

namespace {

pacing pace;

// The glue hands each event over as ten numbers in webevent's order.
webevent decode(const double* v) {
  webevent e;
  e.what = static_cast<webkind>(static_cast<int>(v[0]));
  e.x = v[1];
  e.y = v[2];
  e.button = static_cast<int>(v[3]);
  e.buttons = static_cast<int>(v[4]);
  e.mouse = v[5] != 0;
  e.primary = v[6] != 0;
  e.rotation = v[7];
  e.delta = v[8];
  e.mode = static_cast<int>(v[9]);
  return e;
}

}  // namespace

// Closing the tab ends the page, program and all: no close request comes.
void pump() {
  double v[10];
  while (webnext(v)) webapply(decode(v));
}

void StartPlatform() { webstart(); }

void OpenWindow(int width, int height, int rate, const char* title) {
  webopen(title, width, height);
  fbclear();
  webpresent(screen, fbstride, fbsize);
  pace = startpacing(rate, ClockMs());
}

void SetMouseVisible(int visible) { webcursor(visible); }

// The page shows the canvas and delivers events only while the program
// sleeps, so a late frame still sleeps, for no time, before it is shown.
void Flip(int) {
  std::int32_t wait = nextwait(pace, ClockMs());
  emscripten_sleep(static_cast<unsigned>(wait > 0 ? wait : 0));
  webpresent(screen, fbstride, fbsize);
}

// Milliseconds since 1970 from a clock that never goes back, so the seed
// differs from run to run; only the low 32 bits are kept.
std::int32_t ClockMs() {
  auto ms = static_cast<std::uint64_t>(webclock());
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms));
}
