// Time of one sweep, drawing into the headless frame included.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/headless.h"
#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"
#include "tools/scene.h"

namespace {

void start() {
  headless::reset();
  SeedRandom(1);
  newgrid();
  newparts();
  addtypes();
}

void pervisit(benchmark::State& state) {
  state.counters["visit"] = benchmark::Counter(static_cast<double>(state.iterations()) * side * side,
                                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void emptysweep(benchmark::State& state) {
  start();
  for (auto _ : state) sweep();
  pervisit(state);
}
BENCHMARK(emptysweep)->Unit(benchmark::kMicrosecond);

// The busy scene after half a second of running, restored before every
// sweep (a 16 KiB copy) so that every sweep sees the same kind of field.
void busysweep(benchmark::State& state) {
  start();
  std::ifstream in(GRAINPIT_SOURCE_DIR "/bench/busy.txt");
  std::string text{std::istreambuf_iterator<char>(in), {}};
  if (std::string why = readscene(text); !why.empty()) {
    state.SkipWithError(why.c_str());
    return;
  }
  for (int k = 0; k < 30; ++k) sweep();
  static int start[side][side];
  std::memcpy(start, grid, sizeof grid);
  for (auto _ : state) {
    std::memcpy(grid, start, sizeof grid);
    sweep();
  }
  pervisit(state);
}
BENCHMARK(busysweep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
