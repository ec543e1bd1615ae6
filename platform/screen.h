// What the backends that show a real screen (sdl.cpp, web.cpp) share in
// screen.cpp: drawing into the memory frame, input queries answered from the
// input state, and the random source. Each backend supplies pump().
#pragma once

// Processes the window messages waiting now, feeding the input state.
void pump();
