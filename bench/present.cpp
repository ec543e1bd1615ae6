// Ways to bring a 512 x 512 frame in memory to the window through OpenGL,
// each paced exactly like Flip, so that bench/present.py can compare their
// CPU cost per frame on the machine's renderer:
//   build/bench/grainpit_present METHOD
//   quad-rgb8    RGBX bytes into a GL_RGB8 texture, one textured quad (what Flip does)
//   quad-rgba8   the same bytes into a GL_RGBA8 texture
//   quad-bgra    BGRX bytes (GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV) into GL_RGBA8
//   quad-cells   as quad-rgb8, but only the bands of 8 rows that hold a
//                non-black pixel are uploaded, and after a glClear only the
//                runs of non-black 8 x 8 blocks are drawn, one quad per run
//   blit-flip    BGRX bytes into a GL_RGBA8 texture on a framebuffer object,
//                glBlitFramebuffer to the window, rows flipped
//   blit-noflip  the same without the flip: for the cost only, the picture
//                shows upside down unless the rows are stored bottom-up
//   blit-x8-flip, blit-x8-noflip   the blits from a GL_RGB8 texture, the
//                format of the window's own buffer (no alpha)
// An optional second argument N draws only the top N rows of the frame after
// a glClear (the rest stays black), to see how the cost follows the area
// (not for quad-cells). Rows are 528 pixels apart as in the program's memory
// frame; every frame it is cleared and every fourth 8 x 8 cell redrawn, in
// moving diagonal stripes, so that the upload sees fresh memory: for
// quad-cells that is a hard case of 1024 one-cell runs over a quarter of the
// area. Ends with status 0 on a close request, 2 on a bad usage.
#include <SDL.h>
#include <SDL_opengl.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/pacing.h"

namespace {

constexpr int size = 512;
constexpr int stride = size + 16;

enum class method { quadrgb8, quadrgba8, quadbgra, quadcells, blitflip, blitnoflip, blitx8flip, blitx8noflip };

std::vector<std::uint32_t> frame(static_cast<std::size_t>(size) * stride);
GLuint texture = 0, fbo = 0;
int rows = size;  // rows of the frame uploaded and drawn

// The FBO entry points are not in the GL 1.x headers' prototypes.
PFNGLGENFRAMEBUFFERSPROC genframebuffers = nullptr;
PFNGLBINDFRAMEBUFFERPROC bindframebuffer = nullptr;
PFNGLFRAMEBUFFERTEXTURE2DPROC framebuffertexture2d = nullptr;
PFNGLBLITFRAMEBUFFERPROC blitframebuffer = nullptr;

std::int32_t clockms() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(ms.count()));
}

bool parse(const std::string& name, method& m) {
  if (name == "quad-rgb8") m = method::quadrgb8;
  else if (name == "quad-rgba8") m = method::quadrgba8;
  else if (name == "quad-bgra") m = method::quadbgra;
  else if (name == "quad-cells") m = method::quadcells;
  else if (name == "blit-flip") m = method::blitflip;
  else if (name == "blit-noflip") m = method::blitnoflip;
  else if (name == "blit-x8-flip") m = method::blitx8flip;
  else if (name == "blit-x8-noflip") m = method::blitx8noflip;
  else return false;
  return true;
}

bool blit(method m) { return m >= method::blitflip; }
bool bgra(method m) { return m == method::quadbgra || blit(m); }
bool flip(method m) { return m == method::blitflip || m == method::blitx8flip; }
GLint internal(method m) {
  return m == method::quadrgb8 || m == method::quadcells || m >= method::blitx8flip ? GL_RGB8 : GL_RGBA8;
}

void upload(method m, bool first) {
  GLenum format = bgra(m) ? GL_BGRA : GL_RGBA;
  GLenum type = bgra(m) ? GL_UNSIGNED_INT_8_8_8_8_REV : GL_UNSIGNED_BYTE;
  if (first)
    glTexImage2D(GL_TEXTURE_2D, 0, internal(m), size, size, 0, format,
                 type, frame.data());
  else
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size, rows, format, type, frame.data());
}

bool setup(method m) {
  glViewport(0, 0, size, size);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, size, size, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, stride);
  upload(m, true);
  if (blit(m)) {
    genframebuffers = reinterpret_cast<PFNGLGENFRAMEBUFFERSPROC>(SDL_GL_GetProcAddress("glGenFramebuffers"));
    bindframebuffer = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBindFramebuffer"));
    framebuffertexture2d =
        reinterpret_cast<PFNGLFRAMEBUFFERTEXTURE2DPROC>(SDL_GL_GetProcAddress("glFramebufferTexture2D"));
    blitframebuffer = reinterpret_cast<PFNGLBLITFRAMEBUFFERPROC>(SDL_GL_GetProcAddress("glBlitFramebuffer"));
    if (!genframebuffers || !bindframebuffer || !framebuffertexture2d || !blitframebuffer) return false;
    genframebuffers(1, &fbo);
    bindframebuffer(GL_READ_FRAMEBUFFER, fbo);
    framebuffertexture2d(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    bindframebuffer(GL_DRAW_FRAMEBUFFER, 0);
  } else {
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  }
  return true;
}

// Like a frame of the program: clear, then a band of coloured 8 x 8 cells.
void draw(int tick) {
  std::memset(frame.data(), 0, frame.size() * sizeof frame[0]);
  for (int cy = 0; cy < 64; ++cy)
    for (int cx = 0; cx < 64; ++cx) {
      if ((cx + cy + tick / 8) % 4) continue;
      std::uint32_t ink = 0x00ffff00u ^ static_cast<std::uint32_t>(cx * 4 + cy * 1024);
      for (int y = 8 * cy; y < 8 * cy + 8; ++y)
        for (int x = 8 * cx; x < 8 * cx + 8; ++x) frame[static_cast<std::size_t>(y) * stride + x] = ink;
    }
}

// Only what is not black: the 8 x 8 blocks holding a non-black pixel,
// uploaded by bands of 8 rows and drawn as one quad per run of blocks.
void presentcells() {
  static bool lit[64][64];
  for (int by = 0; by < 64; ++by)
    for (int bx = 0; bx < 64; ++bx) {
      bool any = false;
      for (int y = 8 * by; y < 8 * by + 8 && !any; ++y)
        for (int x = 8 * bx; x < 8 * bx + 8; ++x) any |= frame[static_cast<std::size_t>(y) * stride + x] != 0;
      lit[by][bx] = any;
    }
  for (int by = 0; by < 64; ++by)
    for (int bx = 0; bx < 64; ++bx)
      if (lit[by][bx]) {
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 8 * by, size, 8, GL_RGBA, GL_UNSIGNED_BYTE,
                        frame.data() + static_cast<std::size_t>(8 * by) * stride);
        break;
      }
  glClear(GL_COLOR_BUFFER_BIT);
  glBegin(GL_QUADS);
  for (int by = 0; by < 64; ++by)
    for (int bx = 0; bx < 64;) {
      if (!lit[by][bx]) {
        ++bx;
        continue;
      }
      int end = bx;
      while (end < 64 && lit[by][end]) ++end;
      float u0 = bx / 64.0f, u1 = end / 64.0f, v0 = by / 64.0f, v1 = (by + 1) / 64.0f;
      glTexCoord2f(u0, v0); glVertex2i(8 * bx, 8 * by);
      glTexCoord2f(u1, v0); glVertex2i(8 * end, 8 * by);
      glTexCoord2f(u1, v1); glVertex2i(8 * end, 8 * by + 8);
      glTexCoord2f(u0, v1); glVertex2i(8 * bx, 8 * by + 8);
      bx = end;
    }
  glEnd();
  glFinish();
}

void present(method m) {
  if (m == method::quadcells) return presentcells();
  upload(m, false);
  if (rows < size) glClear(GL_COLOR_BUFFER_BIT);
  if (blit(m)) {
    if (flip(m))
      blitframebuffer(0, 0, size, rows, 0, size, size, size - rows, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    else
      blitframebuffer(0, 0, size, rows, 0, 0, size, rows, GL_COLOR_BUFFER_BIT, GL_NEAREST);
  } else {
    float v = static_cast<float>(rows) / size;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0); glVertex2i(0, 0);
    glTexCoord2f(1, 0); glVertex2i(size, 0);
    glTexCoord2f(1, v); glVertex2i(size, rows);
    glTexCoord2f(0, v); glVertex2i(0, rows);
    glEnd();
  }
  glFinish();
}

bool closerequested() {
  bool close = false;
  SDL_Event e;
  while (SDL_PollEvent(&e))
    if (e.type == SDL_QUIT) close = true;
  return close;
}

}  // namespace

int main(int argc, char** argv) {
  method m{};
  if (argc < 2 || argc > 3 || !parse(argv[1], m) ||
      (argc == 3 && ((rows = std::atoi(argv[2])) < 1 || rows > size))) {
    std::fprintf(stderr,
                 "usage: grainpit_present quad-rgb8|quad-rgba8|quad-bgra|quad-cells|blit-flip|blit-noflip|"
                 "blit-x8-flip|blit-x8-noflip [ROWS]\n");
    return 2;
  }
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return std::fprintf(stderr, "grainpit_present: %s\n", SDL_GetError()), 1;
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_Window* window = SDL_CreateWindow("present", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, size,
                                        size, SDL_WINDOW_OPENGL);
  SDL_GLContext context = window ? SDL_GL_CreateContext(window) : nullptr;
  if (!context || !setup(m)) return std::fprintf(stderr, "grainpit_present: %s\n", SDL_GetError()), 1;
  SDL_GL_SetSwapInterval(0);

  pacing pace = startpacing(60, clockms());
  for (int tick = 0; !closerequested(); ++tick) {
    draw(tick);
    present(m);
    std::int32_t wait = nextwait(pace, clockms());
    if (wait > 0) SDL_Delay(static_cast<Uint32>(wait));
    SDL_GL_SwapWindow(window);
  }
  SDL_GL_DeleteContext(context);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
