#include <benchmark/benchmark.h>

#include "platform/headless.h"
#include "sim/grid.h"
#include "sim/parts.h"

namespace {

void start() {
  headless::reset();
  newgrid();
  newparts();
  addtypes();
}

void emptysweep(benchmark::State& state) {
  start();
  for (auto _ : state) sweep();
  state.counters["visit_ns"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * 4096, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(emptysweep)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
