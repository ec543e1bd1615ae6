// Prints the X server's current cursor image as "width height opaque", where
// opaque counts its pixels with any alpha: 0 means the system pointer is
// invisible where it is now. A screenshot cannot tell, since the server
// leaves the cursor out of window contents.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "cursorimage: cannot open the display\n");
    return 1;
  }
  int event = 0, error = 0;
  if (!XFixesQueryExtension(display, &event, &error)) {
    std::fprintf(stderr, "cursorimage: the display has no XFIXES\n");
    return 1;
  }
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (!image) {
    std::fprintf(stderr, "cursorimage: no cursor image\n");
    return 1;
  }
  // Xlib hands each ARGB pixel over in an unsigned long.
  unsigned long opaque = 0;
  for (int k = 0; k < image->width * image->height; ++k)
    if (image->pixels[k] >> 24 & 0xff) ++opaque;
  std::printf("%d %d %lu\n", image->width, image->height, opaque);
  XFree(image);
  XCloseDisplay(display);
  return 0;
}
