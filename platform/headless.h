// Controls of the headless backend, for tests and tools: a virtual clock,
// scripted window messages, scripted random draws and a record of what was
// drawn and presented. The picture itself is the memory frame (framebuffer.h).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>

namespace headless {

enum class kind { move, press, release, wheel, activation, close };

// A window message. It waits in the queue until an input query processes it;
// one with a time is held back until the virtual clock has reached it.
struct message {
  kind what;
  int a = 0, b = 0;  // move: x, y; press and release: button; wheel: notches
  std::int32_t at = 0;
  bool timed = false;
};

// Back to the state of a machine that has just started, clock at now.
void reset(std::int32_t now = 0);

void post(message m);
inline void move(int x, int y) { post({kind::move, x, y}); }
inline void press(int button) { post({kind::press, button}); }
inline void release(int button) { post({kind::release, button}); }
inline void turn(int notches) { post({kind::wheel, notches}); }
inline void activation() { post({kind::activation}); }
inline void close() { post({kind::close}); }
inline void closeat(std::int32_t t) { post({kind::close, 0, 0, t, true}); }

void setclock(std::int32_t now);
void advance(std::int32_t ms);

// Scripted draws: once any is queued, Uniform and RandomInt return the queued
// results in order instead of the generator's. A draw of the wrong kind, one
// outside the bounds asked for, or one more than was queued, is recorded as
// a fault.
struct draw {
  bool isint;
  double value;
};
inline draw u(double v) { return {false, v}; }
inline draw ri(int v) { return {true, static_cast<double>(v)}; }
void script(std::initializer_list<draw> draws);
int drawsleft();

struct record {
  long draws = 0;       // Uniform and RandomInt calls since reset
  bool drawfault = false;
  long presents = 0;    // Flip calls
  std::int32_t lastpresent = 0;  // clock when the last Flip presented
  long rects = 0, plots = 0;
  bool opened = false;
  int width = 0, height = 0, rate = 0;
  const char* title = "";
  int mousevisible = 1;
};
extern record seen;

// Called at the start of each Flip, before its sleep: stands for work done
// or messages arriving while a frame is computed and drawn.
extern void (*beforeflip)();

// Called with every DrawRect, for tests that follow what is drawn where.
extern void (*onrect)(int x, int y, int w, int h);

// Called at the start of StartPlatform, SeedRandom, OpenWindow,
// SetMouseVisible, ClockMs and each input query, with the function's name
// and its argument (the button of ButtonDown), for tests of their order.
extern void (*oncall)(const char* name, int arg);

}  // namespace headless
