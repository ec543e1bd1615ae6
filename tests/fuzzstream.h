// Random window messages for the program: a byte stream decoded into moves
// far inside and outside the window, presses and releases of the three
// buttons in any order, wheel turns, activation changes, close requests and
// the ends of frames. Shared by the fuzz test and the libFuzzer target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Starts the program on the headless platform and runs one frame at each
// frame end in the stream (and one at its end). Returns "" when every
// frame kept the invariants, else what broke and at which frame.
std::string runstream(const std::uint8_t* data, std::size_t size);

// What is wrong with the program's state between frames, or "".
std::string brokeninvariant();
