// The floor under the program's per-frame cost: an SDL2 + OpenGL window of
// the program's size that only clears and presents, paced exactly as Flip
// paces (same deadlines, glFinish before the sleep, SDL_Delay, swap interval
// 0). bench/measure.py runs it beside build/grainpit and compares the two.
//   build/bench/grainpit_bare        (ends with status 0 on a close request)
#include <SDL.h>
#include <SDL_opengl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>

#include "platform/pacing.h"

namespace {

constexpr int size = 512;

// The same clock as the program's ClockMs: steady milliseconds through
// uint32_t, so that the pacing sees the same kind of readings.
std::int32_t clockms() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms.count()));
}

bool closerequested() {
  bool close = false;
  SDL_Event e;
  while (SDL_PollEvent(&e))
    if (e.type == SDL_QUIT) close = true;
  return close;
}

int fail(const char* what) {
  std::fprintf(stderr, "grainpit_bare: %s: %s\n", what, SDL_GetError());
  SDL_Quit();
  return 1;
}

}  // namespace

int main(int, char**) {
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return fail("SDL_Init");
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = SDL_CreateWindow("bare", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        size, size, SDL_WINDOW_OPENGL);
  if (!window) return fail("cannot open the window");
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return fail("cannot create the GL context");
  SDL_GL_SetSwapInterval(0);  // refused by llvmpipe, as in the program: harmless
  glViewport(0, 0, size, size);
  glClearColor(0, 0, 0, 1);

  pacing pace = startpacing(60, clockms());
  while (!closerequested()) {
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
    std::int32_t wait = nextwait(pace, clockms());
    if (wait > 0) SDL_Delay(static_cast<Uint32>(wait));
    SDL_GL_SwapWindow(window);
  }
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
