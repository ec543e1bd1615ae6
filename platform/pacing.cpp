#include "platform/pacing.h"

#include "platform/platform.h"

pacing startpacing(int rate, std::int32_t now) {
  pacing p;
  p.rate = rate;
  p.period = 1000 / rate;
  p.step = 1000 - p.period * rate;
  p.deadline = now;
  p.remainder = 0;
  return p;
}

std::int32_t nextwait(pacing& p, std::int32_t now) {
  p.deadline = wrapadd(p.deadline, p.period);
  p.remainder += p.step;
  if (p.remainder >= p.rate) {
    p.remainder -= p.rate;
    p.deadline = wrapadd(p.deadline, 1);
  }
  std::int32_t wait = wrapsub(p.deadline, now);
  if (wait > 0) return wait;
  p.deadline = now;
  return 0;
}
