#include "platform/pacing.h"

namespace {

// The clock wraps, so sums and differences go through unsigned arithmetic,
// where wrapping is defined, and come back as signed 32-bit values.
std::int32_t plus(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

std::int32_t minus(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

}  // namespace

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
  p.deadline = plus(p.deadline, p.period);
  p.remainder += p.step;
  if (p.remainder >= p.rate) {
    p.remainder -= p.rate;
    p.deadline = plus(p.deadline, 1);
  }
  std::int32_t wait = minus(p.deadline, now);
  if (wait > 0) return wait;
  p.deadline = now;
  return 0;
}
