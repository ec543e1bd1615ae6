// The platform without a window: the same contracts as the real one, with a
// clock that only moves when the program sleeps or a test advances it.
#include "platform/headless.h"

#include <vector>

#include "platform/framebuffer.h"
#include "platform/input.h"
#include "platform/pacing.h"
#include "platform/platform.h"
#include "platform/rng.h"

namespace headless {

record seen;
void (*beforeflip)() = nullptr;
void (*onrect)(int x, int y, int w, int h) = nullptr;
void (*oncall)(const char* name, int arg) = nullptr;

namespace {

std::int32_t clock = 0;
pacing pace;
// Queues keep their storage and advance a read position, so taking from
// them never allocates or frees while frames run.
std::vector<message> messages;
std::size_t nextmessage = 0;
std::vector<draw> draws;
std::size_t nextdraw = 0;

bool arrived(const message& m) {
  return !m.timed || wrapsub(clock, m.at) >= 0;
}

void apply(const message& m) {
  switch (m.what) {
    case kind::move: inputmove(m.a, m.b); break;
    case kind::press: inputbutton(m.a, 1); break;
    case kind::release: inputbutton(m.a, 0); break;
    case kind::wheel: inputwheel(m.a); break;
    case kind::activation: inputactivation(); break;
    case kind::close: inputclose(); break;
  }
}

void called(const char* name, int arg = 0) {
  if (oncall) oncall(name, arg);
}

void pump() {
  while (nextmessage < messages.size() && arrived(messages[nextmessage])) apply(messages[nextmessage++]);
  if (nextmessage == messages.size()) {
    messages.clear();
    nextmessage = 0;
  }
}

// The next scripted draw of the wanted kind, or nullptr with a fault.
const draw* take(bool isint) {
  if (nextdraw >= draws.size() || draws[nextdraw].isint != isint) {
    seen.drawfault = true;
    return nullptr;
  }
  return &draws[nextdraw++];
}

}  // namespace

void reset(std::int32_t now) {
  clock = now;
  pace = pacing{};
  messages.clear();
  nextmessage = 0;
  draws.clear();
  nextdraw = 0;
  seen = record{};
  beforeflip = nullptr;
  onrect = nullptr;
  oncall = nullptr;
  input = inputstate{};
  fbcolor(255, 255, 255);
  fbclear();
  rngseed(0);
}

void post(message m) { messages.push_back(m); }
void setclock(std::int32_t now) { clock = now; }
void advance(std::int32_t ms) {
  clock = wrapadd(clock, ms);
}

void script(std::initializer_list<draw> more) { draws.insert(draws.end(), more); }
int drawsleft() { return static_cast<int>(draws.size() - nextdraw); }

}  // namespace headless

using headless::seen;

void StartPlatform() { headless::called("StartPlatform"); }

void OpenWindow(int width, int height, int rate, const char* title) {
  headless::called("OpenWindow");
  seen.opened = true;
  seen.width = width;
  seen.height = height;
  seen.rate = rate;
  seen.title = title;
  fbclear();
  headless::pace = startpacing(rate, headless::clock);
}

void SetMouseVisible(int visible) {
  headless::called("SetMouseVisible", visible);
  seen.mousevisible = visible;
}

void Cls() { fbclear(); }
void SetColor(int r, int g, int b) { fbcolor(r, g, b); }
void DrawRect(int x, int y, int w, int h) {
  ++seen.rects;
  if (headless::onrect) headless::onrect(x, y, w, h);
  fbrect(x, y, w, h);
}
void Plot(int x, int y) {
  ++seen.plots;
  fbplot(x, y);
}

void Flip(int) {
  if (headless::beforeflip) headless::beforeflip();
  std::int32_t wait = nextwait(headless::pace, headless::clock);
  if (wait > 0) headless::advance(wait);
  ++seen.presents;
  seen.lastpresent = headless::clock;
}

int PointerX() { return headless::called("PointerX"), headless::pump(), input.x; }
int PointerY() { return headless::called("PointerY"), headless::pump(), input.y; }
int PointerWheel() { return headless::called("PointerWheel"), headless::pump(), input.wheel; }
int ButtonDown(int button) { return headless::called("ButtonDown", button), headless::pump(), inputdown(button); }
bool CloseRequested() { return headless::called("CloseRequested"), headless::pump(), takeclose(); }

std::int32_t ClockMs() { return headless::called("ClockMs"), headless::clock; }

void SeedRandom(std::int32_t seed) {
  headless::called("SeedRandom", seed);
  rngseed(seed);
}

double Uniform() {
  ++seen.draws;
  if (headless::draws.empty()) return rnguniform();
  const headless::draw* d = headless::take(false);
  return d ? d->value : 0.0;
}

int RandomInt(int lo, int hi) {
  ++seen.draws;
  if (headless::draws.empty()) return rngint(lo, hi);
  const headless::draw* d = headless::take(true);
  if (!d || d->value < lo || d->value > hi) {
    seen.drawfault = true;
    return lo;
  }
  return static_cast<int>(d->value);
}
