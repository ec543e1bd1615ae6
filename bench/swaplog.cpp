// A preload library that notes when a program presents a frame, without
// changing the program: it stands in for SDL_GL_SwapWindow, writes a
// CLOCK_MONOTONIC reading into a memory-mapped ring, then calls SDL's own.
//   GRAINPIT_SWAPLOG=/dev/shm/swaps LD_PRELOAD=build/bench/libswaplog.so build/grainpit
// The file is set up once when the library loads; per frame the only system
// service used is clock_gettime (the vDSO, not even a system call).
//
// File layout, little-endian, read by bench/windowbench.py:
//   0  char[8]  "SWAPLOG1"
//   8  uint64   capacity: number of slots
//   16 uint64   count: frames noted so far (frame n is in slot n % capacity),
//               stored after the slot is written
//   64 int64[capacity]  nanoseconds of CLOCK_MONOTONIC
// The ring is touched whole at start-up, so it adds a fixed amount to the
// program's resident memory instead of growing with the run.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

struct SDL_Window;  // SDL2: void SDL_GL_SwapWindow(SDL_Window*)

namespace {

constexpr std::uint64_t capacity = 16384;  // over 4 minutes at 60 fps
constexpr std::size_t headerbytes = 64;

struct ring {
  std::uint64_t* count = nullptr;
  std::int64_t* slots = nullptr;
};

ring openring() {
  const char* path = std::getenv("GRAINPIT_SWAPLOG");
  if (!path || !*path) return {};
  std::size_t bytes = headerbytes + capacity * sizeof(std::int64_t);
  int fd = open(path, O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
    std::perror("swaplog: GRAINPIT_SWAPLOG");
    if (fd >= 0) close(fd);
    return {};
  }
  void* map = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
  close(fd);
  if (map == MAP_FAILED) {
    std::perror("swaplog: mmap");
    return {};
  }
  auto* base = static_cast<unsigned char*>(map);
  std::memset(base, 0, bytes);  // every page resident from now on
  std::memcpy(base, "SWAPLOG1", 8);
  std::uint64_t cap = capacity;
  std::memcpy(base + 8, &cap, sizeof cap);
  return {reinterpret_cast<std::uint64_t*>(base + 16),
          reinterpret_cast<std::int64_t*>(base + headerbytes)};
}

const ring frames = openring();

using swapfn = void (*)(SDL_Window*);

void note() {
  if (!frames.count) return;
  timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  std::atomic_ref<std::uint64_t> count(*frames.count);
  std::uint64_t n = count.load(std::memory_order_relaxed);
  frames.slots[n % capacity] = static_cast<std::int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
  count.store(n + 1, std::memory_order_release);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void SDL_GL_SwapWindow(SDL_Window* window) {
  static const auto real = reinterpret_cast<swapfn>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  note();
  if (real) real(window);
}
