// The program's outer frame as callable steps, so that a test can start the
// program and run frames without owning the endless loop.
#pragma once

// Everything before the first frame, in order: platform, random seed, the
// field, the window, the type table, the hidden system pointer.
void startup();

// One frame: snapshot the mouse, clear, sweep, interact, present paced.
// Returns true when a close was requested: the program then ends.
bool frame();
