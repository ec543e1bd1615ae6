#include "ui/track.h"

#include "platform/platform.h"

int ptrx, ptry, movex, movey;
int wheel, lastwheel, wheelmove;
int held1, held2, held3;
int pressed1, pressed2, pressed3;
int released1, released2, released3;
int dbl1, dbl2, dbl3;
std::int32_t clicktime1, clicktime2, clicktime3;
std::int32_t presstime1, presstime2, presstime3;
int dbltime = 320;
int frames;
int dragx, dragy;

namespace {

// The values of one button, in the order of their update.
struct button {
  int& held;
  int& pressed;
  int& released;
  int& dbl;
  std::int32_t& clicktime;
  std::int32_t& presstime;
};

button buttons[3] = {
    {held1, pressed1, released1, dbl1, clicktime1, presstime1},
    {held2, pressed2, released2, dbl2, clicktime2, presstime2},
    {held3, pressed3, released3, dbl3, clicktime3, presstime3},
};

// A press within dbltime of the last single press is a double click and
// keeps that press as the start of the interval.
void handlepress(button& b, std::int32_t now) {
  if (wrapsub(now, b.clicktime) <= dbltime)
    b.dbl = 1;
  else
    b.clicktime = now;
  b.pressed = 1;
  b.presstime = ClockMs();
}

}  // namespace

void newtrack() {
  for (button& b : buttons) b.held = b.pressed = b.released = b.dbl = b.clicktime = b.presstime = 0;
  ptrx = ptry = movex = movey = 0;
  wheel = lastwheel = wheelmove = 0;
  dbltime = 320;
  frames = 0;
  dragx = dragy = 0;
}

void track() {
  std::int32_t now = ClockMs();
  frames = wrapadd(frames, 1);  // after years of updates it wraps, never overflows
  int x = PointerX();
  int y = PointerY();
  movex = x - ptrx;
  movey = y - ptry;
  ptrx = x;
  ptry = y;
  int before[3];
  for (int n = 0; n < 3; ++n) {
    before[n] = buttons[n].held;
    buttons[n].held = ButtonDown(n + 1);
  }
  wheel = PointerWheel();
  wheelmove = wrapsub(lastwheel, wheel);
  lastwheel = wheel;
  for (int n = 0; n < 3; ++n) {
    buttons[n].pressed = 0;
    buttons[n].released = before[n] > buttons[n].held;
    buttons[n].dbl = 0;
  }
  for (int n = 0; n < 3; ++n)
    if (before[n] < buttons[n].held) handlepress(buttons[n], now);
  if (released1 || released2 || released3) frames = 0;
  if (!held1 && !held2 && !held3) {
    dragx = ptrx;
    dragy = ptry;
  }
}

int inrect(int x, int y, int w, int h) {
  return x <= ptrx && ptrx < x + w && y <= ptry && ptry < y + h;
}
