// Changes of particle type: a particle changing by itself, and a particle
// changing the cells around it.
#pragma once

struct part;

// A flame dies out, steam condenses, fire turns into flame.
void change(part*& p);

// Tries the rules between p, visiting (x, y), and each of the nine cells
// of the block around it. May replace p; a neighbour it changes is written
// into grid at once and marked in done.
void react(int x, int y, part*& p);
