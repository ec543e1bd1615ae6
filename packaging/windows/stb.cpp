// The PNG writer of grainpit-sim, compiled here for Windows, where no stb
// library is at hand.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
