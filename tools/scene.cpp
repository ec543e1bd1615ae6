#include "tools/scene.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "sim/grid.h"

const char scenechars[] = ".#swo+pf=g~*";

namespace {

std::string at(int line, int column, const std::string& what) {
  return "scene line " + std::to_string(line) + ", column " + std::to_string(column) + ": " + what;
}

// The next line of text without its ending; false when none is left.
bool nextline(std::string_view& text, std::string_view& line) {
  if (text.empty()) return false;
  std::size_t end = text.find('\n');
  line = text.substr(0, end);
  text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return true;
}

std::string shown(char c) {
  if (std::isprint(static_cast<unsigned char>(c))) return std::string("'") + c + "'";
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02x", static_cast<unsigned char>(c));
  return hex;
}

}  // namespace

std::string readscene(std::string_view text) {
  static int cells[side][side];
  std::string_view line;
  int y = 0;
  for (; nextline(text, line); ++y) {
    if (y == side) return at(y + 1, 1, "a scene has only 64 lines");
    for (std::size_t x = 0; x < line.size(); ++x) {
      if (x == side) return at(y + 1, side + 1, "the line is longer than 64 characters");
      const char* c = line[x] ? std::strchr(scenechars, line[x]) : nullptr;
      if (!c) return at(y + 1, static_cast<int>(x) + 1, "unknown character " + shown(line[x]));
      cells[x][y] = static_cast<int>(c - scenechars);
    }
    if (line.size() < side)
      return at(y + 1, static_cast<int>(line.size()) + 1, "the line is shorter than 64 characters");
  }
  if (y < side) return at(y + 1, 1, "the scene ends after " + std::to_string(y) + " lines, 64 are needed");
  std::memcpy(grid, cells, sizeof grid);
  return "";
}

std::string writescene() {
  std::string text;
  text.reserve(side * (side + 1));
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) text += scenechars[grid[x][y]];
    text += '\n';
  }
  return text;
}
