// What the input queries answer, kept by the platform layer itself and fed by
// each backend's messages. The window system's own button state is not
// trusted: a button held while activation changes could stay down for good.
#pragma once

#include "platform/platform.h"

struct inputstate {
  int x = 0, y = 0;  // last reported pointer position
  int wheel = 0;     // running total of notches
  int down[4] = {};  // by button number 1 left, 2 right, 3 middle
  bool close = false;
};

extern inputstate input;

inline void inputmove(int x, int y) { input.x = x; input.y = y; }
inline void inputbutton(int button, int isdown) {
  if (button >= 1 && button <= 3) input.down[button] = isdown;
}
// The total wraps rather than overflows, however far the wheel turns.
inline void inputwheel(int notches) { input.wheel = wrapadd(input.wheel, notches); }
inline int inputdown(int button) { return button >= 1 && button <= 3 ? input.down[button] : 0; }

// Activation lost or regained: no button is held and the wheel starts over.
inline void inputactivation() {
  input.down[1] = input.down[2] = input.down[3] = 0;
  input.wheel = 0;
}

inline void inputclose() { input.close = true; }

// CloseRequested's answer: true once for all requests since the last call.
inline bool takeclose() {
  bool c = input.close;
  input.close = false;
  return c;
}
