// The platform on a real desktop: one SDL2 window with an OpenGL context.
// Drawing goes into the memory frame; Flip uploads it as one texture, draws
// it on one quad in a one-unit-per-pixel projection and swaps the buffers.
#include <SDL.h>
#include <SDL_opengl.h>

#include <bit>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/framebuffer.h"
#include "platform/input.h"
#include "platform/pacing.h"
#include "platform/platform.h"
#include "platform/screen.h"

namespace {

SDL_Window* window = nullptr;
pacing pace;
GLuint texture = 0;

// The one line a user sees when no window can be shown, then exit status 1.
[[noreturn]] void fail(const char* format, ...) {
  char why[512], line[600];
  va_list args;
  va_start(args, format);
  std::vsnprintf(why, sizeof why, format, args);
  va_end(args);
  std::snprintf(line, sizeof line, "grainpit: cannot open the window: %s", why);
  std::fprintf(stderr, "%s\n", line);
#ifdef _WIN32
  // A Windows program with a window has no console: say it in a message box.
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Grainpit", line, nullptr);
#endif
  std::exit(1);
}

// A variable of the environment, or null when it is unset or empty.
const char* setting(const char* name) {
  const char* value = SDL_getenv(name);
  return value && *value ? value : nullptr;
}

// Overriding, since SDL otherwise lets an empty SDL_VIDEODRIVER win over the
// hint and then tries every driver, off-screen included.
bool startdriver(const char* driver) {
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver, SDL_HINT_OVERRIDE);
  return SDL_Init(SDL_INIT_VIDEO) == 0;
}

#ifndef _WIN32

// Without a Wayland runtime directory the Wayland client library cannot find
// a display by name, and it says so on stderr in its own words.
bool waylandfindable(const char* display) {
  return display[0] == '/' || setting("XDG_RUNTIME_DIR");
}
#endif

// Left to itself, SDL falls back to drivers that show nothing (off-screen,
// dummy) when no display answers, and the program would run on unseen. So
// only the displays the environment names are tried, X11 first as SDL does,
// and a driver that shows nothing is refused even when asked for by name.
void startvideo() {
  if (const char* forced = setting("SDL_VIDEODRIVER")) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) fail("SDL_VIDEODRIVER=%s: %s", forced, SDL_GetError());
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!std::strcmp(driver, "offscreen") || !std::strcmp(driver, "dummy"))
      fail("SDL_VIDEODRIVER=%s shows no window", forced);
    return;
  }
#ifdef _WIN32
  // Windows has one window system, and SDL one driver for it. Wine hands
  // the X display's name down in DISPLAY, which means nothing here.
  if (!startdriver("windows")) fail("%s", SDL_GetError());
#else
  const char* x11 = setting("DISPLAY");
  const char* wayland = setting("WAYLAND_DISPLAY");
  if (!x11 && !wayland) fail("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
  if (x11 && startdriver("x11")) return;
  if (wayland && !waylandfindable(wayland))
    fail("WAYLAND_DISPLAY=%s is set but XDG_RUNTIME_DIR is not", wayland);
  if (wayland && startdriver("wayland")) return;
  if (x11 && wayland) fail("neither the X display %s nor the Wayland display %s answers", x11, wayland);
  if (x11) fail("the X display %s does not answer", x11);
  fail("the Wayland display %s does not answer", wayland);
#endif
}

int buttonnumber(Uint8 sdlbutton) {
  switch (sdlbutton) {
    case SDL_BUTTON_LEFT: return 1;
    case SDL_BUTTON_RIGHT: return 2;
    case SDL_BUTTON_MIDDLE: return 3;
    default: return 0;
  }
}

void handle(const SDL_Event& e) {
  switch (e.type) {
    case SDL_MOUSEMOTION: inputmove(e.motion.x, e.motion.y); break;
    case SDL_MOUSEBUTTONDOWN: inputbutton(buttonnumber(e.button.button), 1); break;
    case SDL_MOUSEBUTTONUP: inputbutton(buttonnumber(e.button.button), 0); break;
    case SDL_MOUSEWHEEL:
      inputwheel(e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y);
      break;
    case SDL_QUIT: inputclose(); break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) inputclose();
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
        inputactivation();
      break;
    default: break;
  }
}

// The window manager adds its frame after the window is mapped; until its
// size is known, a centred request centres the frame instead of the client.
// Messages that arrive meanwhile are handled as usual, so none is lost.
void centre(int width, int height) {
  SDL_Rect display;
  if (SDL_GetDisplayBounds(0, &display) != 0) return;
  int top = 0, left = 0, bottom = 0, right = 0;
  for (int tries = 0; tries < 50; ++tries) {
    pump();
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) == 0 && top > 0) break;
    SDL_Delay(5);
  }
  SDL_SetWindowPosition(window, display.x + display.w / 2 - width / 2,
                        display.y + display.h / 2 - height / 2);
  pump();
}

// Pixels x0 .. x1 - 1, y0 .. y1 - 1 of the texture at the same place.
void quad(int x0, int y0, int x1, int y1) {
  float s0 = static_cast<float>(x0) / fbsize, s1 = static_cast<float>(x1) / fbsize;
  float t0 = static_cast<float>(y0) / fbsize, t1 = static_cast<float>(y1) / fbsize;
  glTexCoord2f(s0, t0); glVertex2i(x0, y0);
  glTexCoord2f(s1, t0); glVertex2i(x1, y0);
  glTexCoord2f(s1, t1); glVertex2i(x1, y1);
  glTexCoord2f(s0, t1); glVertex2i(x0, y1);
}

void setupgl(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, width, height, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, fbstride);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, fbsize, fbsize, 0, GL_RGBA, GL_UNSIGNED_BYTE, screen);
  glEnable(GL_TEXTURE_2D);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glClearColor(0, 0, 0, 1);
}

// Brings the memory frame to the back buffer. Filling the whole window with
// a textured quad costs a software renderer more than everything else in a
// frame, so the buffer is cleared to black and only the runs of lit blocks
// are drawn, each as a quad with its own part of the texture. All uploads
// come before all drawing: changing a texture that queued drawing still
// reads would make the renderer finish that drawing first.
void render() {
  for (int by = 0; by < fbblocks;) {
    int end = by;
    while (end < fbblocks && lit[end]) ++end;
    if (end > by)
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 8 * by, fbsize, 8 * (end - by), GL_RGBA, GL_UNSIGNED_BYTE,
                      screen + 8 * by * fbstride);
    by = end + 1;
  }
  glClear(GL_COLOR_BUFFER_BIT);
  glBegin(GL_QUADS);
  for (int by = 0; by < fbblocks; ++by)
    for (std::uint64_t bits = lit[by]; bits;) {
      int from = std::countr_zero(bits);
      int to = from + std::countr_one(bits >> from);
      bits = to < 64 ? bits & ~std::uint64_t{0} << to : 0;
      quad(8 * from, 8 * by, 8 * to, 8 * by + 8);
    }
  glEnd();
  // The software renderer does the drawing lazily; finishing it here keeps
  // that work before the pacing sleep instead of inside the swap after it.
  glFinish();
}

}  // namespace

void StartPlatform() { startvideo(); }

void OpenWindow(int width, int height, int rate, const char* title) {
  // A click that activates the window counts like any other, as on X. On
  // Windows SDL would drop it, and when that click began before activation
  // changed, keep its button down and drop the next real press as well.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);  // an opaque window
  window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height,
                            SDL_WINDOW_OPENGL);
  if (!window || !SDL_GL_CreateContext(window)) fail("no OpenGL on this display: %s", SDL_GetError());
  SDL_GL_SetSwapInterval(0);  // may be refused by a software renderer: harmless
  setupgl(width, height);
  fbclear();
  render();
  SDL_GL_SwapWindow(window);
  centre(width, height);
  pace = startpacing(rate, ClockMs());
}

void SetMouseVisible(int visible) { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

void Flip(int) {
  render();
  std::int32_t wait = nextwait(pace, ClockMs());
  if (wait > 0) SDL_Delay(static_cast<Uint32>(wait));
  SDL_GL_SwapWindow(window);
}

void pump() {
  SDL_Event e;
  while (SDL_PollEvent(&e)) handle(e);
}

// A steady clock, so the start-up seed differs from run to run.
std::int32_t ClockMs() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms.count()));
}
