# The files every build of the program compiles, relative to this folder.
# The desktop build (CMakeLists.txt) and the web page's (platform/web) take
# them from here, so a new file joins both, and a file for one platform only
# stays out of the other.

# The program's logic: no SDL, GL or browser in it.
set(GRAINPIT_CORE_SOURCES
  sim/parts.cpp sim/grid.cpp sim/react.cpp sim/move.cpp
  ui/track.cpp ui/interact.cpp
  app/app.cpp)

# What the backends share: pacing arithmetic, the memory frame, input state.
set(GRAINPIT_COMMON_SOURCES platform/pacing.cpp platform/framebuffer.cpp platform/input.cpp)

# What the backends with a real screen share: drawing, the input queries and
# the random source.
set(GRAINPIT_SCREEN_SOURCES platform/screen.cpp)
