#include "app/app.h"

#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"
#include "ui/interact.h"
#include "ui/track.h"

void startup() {
  StartPlatform();
  SeedRandom(ClockMs());
  newgrid();
  OpenWindow(side * cell, side * cell, 60, "Grainpit");
  newparts();
  addtypes();
  SetMouseVisible(0);
  newtrack();
  newinteract();
}

bool frame() {
  track();
  Cls();
  sweep();
  interact();
  Flip(-1);
  return CloseRequested();
}
