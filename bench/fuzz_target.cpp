// libFuzzer entry: the fuzz test's message stream, with coverage guidance.
// Built and run by bench/fuzz.sh.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/fuzzstream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 4096) return 0;  // a few hundred frames are enough per input
  std::string why = runstream(data, size);
  if (!why.empty()) {
    std::fprintf(stderr, "invariant broken: %s\n", why.c_str());
    std::abort();
  }
  return 0;
}
