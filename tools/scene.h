// The scene text: 64 lines of 64 characters, one character per cell, row 0
// first. Used by the headless tools and the tests to load and print fields.
#pragma once

#include <string>
#include <string_view>

// The character of each type index, ".#sw+o" and so on.
extern const char scenechars[];

// Fills grid from text, or leaves it alone and returns a message naming the
// line and column of the first fault. A missing final newline and a '\r'
// before each newline are accepted.
std::string readscene(std::string_view text);

// grid as scene text.
std::string writescene();
