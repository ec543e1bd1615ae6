// Thousands of frames of random mouse and window messages: nothing crashes
// and the program's state stays sound after every frame.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "fuzzstream.h"

namespace {

TEST(fuzz, random_message_streams_keep_the_invariants) {
  std::mt19937 bytes(20261211);
  for (int run = 0; run < 20; ++run) {
    std::vector<std::uint8_t> stream(4000);
    for (auto& b : stream) b = static_cast<std::uint8_t>(bytes());
    EXPECT_EQ(runstream(stream.data(), stream.size()), "") << "run " << run;
  }
}

}  // namespace
