// The services the program uses from the machine: window, drawing, polled
// input, clock and random numbers. Two implementations exist, picked at link
// time: sdl.cpp (a real window through SDL2 and OpenGL) and headless.cpp (a
// memory framebuffer, scripted input and a virtual clock, for tests and tools).
#pragma once

#include <cstdint>

// Sets up the input service and the drawing driver. On the real backend a
// failure prints "grainpit: cannot open the window: <reason>" and exits 1.
void StartPlatform();

// Opens the one window with a client area of width x height pixels, sets up
// the pacing of Flip(-1) for rate frames per second, and shows it black.
// The real backend reports a failure like StartPlatform.
void OpenWindow(int width, int height, int rate, const char* title);

// 1 shows, 0 hides the system pointer over the client area.
void SetMouseVisible(int visible);

void Cls();                          // clear the whole surface to black
void SetColor(int r, int g, int b);  // colour of the following drawing, 0..255
void DrawRect(int x, int y, int w, int h);  // fill w x h pixels from (x, y)
void Plot(int x, int y);             // set the one pixel (x, y)

// Presents the frame. -1 paces it to the rate given to OpenWindow: sleeps
// until the next deadline, then presents at once without waiting for the
// retrace. The program passes no other value.
void Flip(int rate);

// Each input query first processes the window messages waiting now;
// messages are processed nowhere else.
int PointerX();      // last reported pointer position in client pixels, 0
int PointerY();      // until the first movement; outside 0..511 while held
int PointerWheel();  // running total of wheel notches, away from the user +
int ButtonDown(int button);  // 1 left, 2 right, 3 middle: exactly 0 or 1

// True once for any number of close requests since the previous call.
bool CloseRequested();

// Milliseconds as a signed 32-bit count that wraps; only differences count.
std::int32_t ClockMs();

// 32-bit sums and differences that wrap as the clock does, for clock
// readings and running counts: taken in unsigned arithmetic, where wrapping
// is defined, and read back as signed.
inline std::int32_t wrapadd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
inline std::int32_t wrapsub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

void SeedRandom(std::int32_t seed);
double Uniform();               // uniform in [0, 1), never 1
int RandomInt(int lo, int hi);  // uniform from lo to hi, both inclusive
