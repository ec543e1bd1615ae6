// The mouse tracker: one snapshot of the pointer, the buttons and the wheel
// per frame, and what changed since the last one. Nothing else in the
// program asks the platform for the mouse.
#pragma once

#include <cstdint>

extern int ptrx, ptry;      // pointer position at the last update
extern int movex, movey;    // its change at the last update
extern int wheel, lastwheel, wheelmove;
extern int held1, held2, held3;
extern int pressed1, pressed2, pressed3;
extern int released1, released2, released3;
extern int dbl1, dbl2, dbl3;
extern std::int32_t clicktime1, clicktime2, clicktime3;  // last press that was no double click
extern std::int32_t presstime1, presstime2, presstime3;  // last press of any kind
extern int dbltime;         // double-click interval, ms
extern int frames;          // updates since a button was last released
extern int dragx, dragy;    // position at the last update with no button held

// Back to the values at start-up.
void newtrack();

// Samples the platform once: clock, pointer x and y, buttons 1 to 3, wheel,
// and one more clock reading per press.
void track();

// 1 if the last sampled pointer lies in the w x h rectangle from (x, y).
int inrect(int x, int y, int w, int h);
