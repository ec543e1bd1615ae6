// The platform functions that are the same on every real screen: drawing
// goes into the memory frame that the backend's Flip presents, and each
// input query first processes the messages waiting now, so that messages
// are processed nowhere else.
#include "platform/screen.h"

#include "platform/framebuffer.h"
#include "platform/input.h"
#include "platform/platform.h"
#include "platform/rng.h"

void Cls() { fbclear(); }
void SetColor(int r, int g, int b) { fbcolor(r, g, b); }
void DrawRect(int x, int y, int w, int h) { fbrect(x, y, w, h); }
void Plot(int x, int y) { fbplot(x, y); }

int PointerX() { return pump(), input.x; }
int PointerY() { return pump(), input.y; }
int PointerWheel() { return pump(), input.wheel; }
int ButtonDown(int button) { return pump(), inputdown(button); }
bool CloseRequested() { return pump(), takeclose(); }

void SeedRandom(std::int32_t seed) { rngseed(seed); }
double Uniform() { return rnguniform(); }
int RandomInt(int lo, int hi) { return rngint(lo, hi); }
