// grainpit-sim: runs the simulation without a window.
//   grainpit-sim --seed N --sweeps K [--png FILE] [SCENE]
// Loads SCENE (a file; standard input when absent or "-"), runs K sweeps
// with the random source seeded with N, and prints the field as a scene.
// --png also writes the field as the last sweep drew it, pixel for pixel as
// the window shows it, without the pointer that the program draws over it.
#include <stb/stb_image_write.h>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "platform/framebuffer.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"
#include "tools/scene.h"

namespace {

struct options {
  std::int32_t seed = 0;
  long long sweeps = 0;
  std::string png;
  std::string scene = "-";
  bool help = false;
};

const char usage[] = "usage: grainpit-sim --seed N --sweeps K [--png FILE] [SCENE]";
const char help[] =
    "Runs the sandbox without a window: loads SCENE (64 lines of 64 characters;\n"
    "standard input when absent or -), seeds the random source with N, runs K\n"
    "sweeps and prints the field in the same format.\n"
    "  --png FILE  also write the field as the last sweep drew it\n"
    "  -h, --help  print this and exit\n"
    "Characters: . empty  # wall  s sand  w water  o oil  + salt  p plant  f fire\n"
    "            = saltwater  g glass  ~ steam  * flame\n";

int bad(const std::string& message) {
  std::cerr << "grainpit-sim: " << message << "\n";
  return 2;
}

bool number(const char* text, long long lo, long long hi, long long& value) {
  std::string_view s(text);
  auto [end, err] = std::from_chars(s.data(), s.data() + s.size(), value);
  return err == std::errc{} && end == s.data() + s.size() && value >= lo && value <= hi;
}

// Returns "" and fills o, or the complaint about the command line.
std::string parse(int argc, char** argv, options& o) {
  bool seed = false, sweeps = false, scene = false;
  for (int a = 1; a < argc; ++a) {
    std::string arg = argv[a];
    bool valued = arg == "--seed" || arg == "--sweeps" || arg == "--png";
    if (valued && a + 1 == argc) return arg + " needs a value";
    long long v = 0;
    if (arg == "--help" || arg == "-h") {
      o.help = true;
      return "";
    } else if (arg == "--seed") {
      if (!number(argv[++a], INT32_MIN, INT32_MAX, v)) return "--seed must be a 32-bit integer, not '" + std::string(argv[a]) + "'";
      o.seed = static_cast<std::int32_t>(v);
      seed = true;
    } else if (arg == "--sweeps") {
      if (!number(argv[++a], 0, INT32_MAX, v)) return "--sweeps must be a count from 0, not '" + std::string(argv[a]) + "'";
      o.sweeps = v;
      sweeps = true;
    } else if (arg == "--png") {
      o.png = argv[++a];
      if (o.png.empty()) return "--png needs a file name";
    } else if (arg.size() > 1 && arg[0] == '-') {
      return "unknown option " + arg;
    } else if (scene) {
      return "only one scene can be given";
    } else {
      o.scene = arg;
      scene = true;
    }
  }
  if (!seed) return "--seed is missing";
  if (!sweeps) return "--sweeps is missing";
  return "";
}

std::string named(const std::string& path) { return path == "-" ? "standard input" : path; }

// The scene file, or standard input for "-"; "" or the reason it cannot be
// read. A scene has at most 64 lines of 64 characters and "\r\n": reading
// stops one byte past that, which is enough for the scene check to refuse
// it, so an endless or huge input is not read in whole.
std::string slurp(const std::string& path, std::string& text) {
  constexpr std::size_t most = 64 * 66 + 1;
  std::FILE* f = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (!f) return std::strerror(errno);
  char chunk[4096];
  std::size_t n;
  while (text.size() < most && (n = std::fread(chunk, 1, std::min(sizeof chunk, most - text.size()), f)) > 0)
    text.append(chunk, n);
  std::string why = std::ferror(f) ? std::strerror(errno) : "";
  if (f != stdin) std::fclose(f);
  return why;
}

// With no sweep run the frame is still empty: draw the field as it is.
void drawfield() {
  for (int x = 0; x < side; ++x)
    for (int y = 0; y < side; ++y) drawcell(x, y, *parts[grid[x][y]]);
}

bool writepng(const std::string& path) {
  std::vector<unsigned char> rgb;
  rgb.reserve(fbsize * fbsize * 3);
  for (int y = 0; y < fbsize; ++y)
    for (int x = 0; x < fbsize; ++x) {
      colour c = fbat(x, y);
      rgb.insert(rgb.end(), {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                             static_cast<unsigned char>(c.b)});
    }
  return stbi_write_png(path.c_str(), fbsize, fbsize, 3, rgb.data(), fbsize * 3) != 0;
}

// Scenes are read and fields written byte for byte, as on Linux: on
// Windows standard input and output would turn line ends into CR LF and end
// at a Ctrl-Z byte.
void binarystdio() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  binarystdio();
  options o;
  if (std::string why = parse(argc, argv, o); !why.empty()) return bad(why + " (" + usage + ")");
  if (o.help) {
    std::cout << usage << "\n" << help;
    return 0;
  }
  std::string text;
  if (std::string why = slurp(o.scene, text); !why.empty()) return bad("cannot read " + named(o.scene) + ": " + why);
  headless::reset();
  StartPlatform();
  SeedRandom(o.seed);
  newgrid();
  newparts();
  addtypes();
  if (std::string why = readscene(text); !why.empty())
    return bad(named(o.scene) + ": " + why);
  Cls();
  if (o.sweeps == 0) drawfield();
  for (long long k = 0; k < o.sweeps; ++k) {
    Cls();
    sweep();
  }
  if (!o.png.empty() && !writepng(o.png)) {
    std::cerr << "grainpit-sim: cannot write " << o.png << "\n";
    return 1;
  }
  std::cout << writescene();
  return 0;
}
