#include "platform/webinput.h"

#include <cmath>

#include "platform/input.h"

namespace {

// The bit of a DOM button in the DOM's bit set of held buttons.
int dombit(int dombutton) {
  switch (dombutton) {
    case 0: return 1;
    case 1: return 4;
    case 2: return 2;
    default: return 0;
  }
}

// A finger or a pen paints: it is the left button while it touches (or
// holds any of its buttons). Picking and the palette stay with the mouse.
void touch(const webevent& e) {
  if (e.button >= 0) inputbutton(1, e.buttons != 0);
}

// Only the button that changed is taken from the event, never the whole
// set: a button held across a focus change stays up until pressed again,
// as on the desktop.
void mouse(const webevent& e) {
  int n = webbutton(e.button);
  if (n) inputbutton(n, (e.buttons & dombit(e.button)) != 0);
}

// Pixels and lines per notch, as browsers scroll for one, when the browser
// does not say the rotation itself.
double notchsize(int mode) {
  switch (mode) {
    case 0: return 100;
    case 1: return 3;
    default: return 1;
  }
}

// A coordinate as a whole pixel: a pointer half a pixel left of the field is
// on pixel -1. Screens are far smaller than the bound, which only keeps a
// broken value from overflowing.
int whole(double v) {
  if (!(std::fabs(v) < 1e6)) return 0;
  return static_cast<int>(std::floor(v));
}

}  // namespace

int webbutton(int dombutton) {
  switch (dombutton) {
    case 0: return 1;
    case 1: return 3;
    case 2: return 2;
    default: return 0;
  }
}

int webnotches(const webevent& e) {
  double notches = std::isnan(e.rotation) ? -e.delta / notchsize(e.mode) : e.rotation / 120;
  return std::isfinite(notches) && std::fabs(notches) < 1e6 ? static_cast<int>(notches) : 0;
}

void webapply(const webevent& e) {
  switch (e.what) {
    case webkind::pointer:
      if (!e.primary) return;  // a second finger neither moves nor paints
      inputmove(whole(e.x), whole(e.y));
      e.mouse ? mouse(e) : touch(e);
      break;
    case webkind::cancel:
      // The browser took the pointer over (a touch gesture, a lost capture):
      // whatever it held is let go.
      if (!e.primary) return;
      inputbutton(1, 0);
      if (e.mouse) inputbutton(2, 0), inputbutton(3, 0);
      break;
    case webkind::wheel: inputwheel(webnotches(e)); break;
    case webkind::focus: inputactivation(); break;
  }
}
