// What the page's pointer, wheel and focus events mean for the input queries.
// Plain code with no browser in it, so that it is tested natively; web.cpp
// feeds it the events that the page's glue queued, in the order they came.
#pragma once

enum class webkind { pointer, cancel, wheel, focus };

// One browser event as the glue queued it, in the DOM's own terms.
struct webevent {
  webkind what = webkind::pointer;
  double x = 0, y = 0;   // pointer: field pixels from its top-left corner
  int button = -1;       // pointer: the DOM button that changed, -1 for none
  int buttons = 0;       // pointer: the DOM buttons held after the event
  bool mouse = true;     // pointer: a mouse, not a finger or a pen
  bool primary = true;   // pointer: the first finger of a touch
  double rotation = 0;   // wheel: 120 per notch, away from the user +; NaN if unknown
  double delta = 0;      // wheel: the standard deltaY, towards the user +
  int mode = 0;          // wheel: its deltaMode, 0 pixels, 1 lines, 2 pages
};

// Processes one event into the input state (platform/input.h).
void webapply(const webevent& e);

// The number of a mouse button as the program counts them (1 left, 2 right,
// 3 middle) for a DOM button (0 left, 1 middle, 2 right), or 0 for others.
int webbutton(int dombutton);

// Whole notches of one wheel report, away from the user positive.
int webnotches(const webevent& e);
