// The particle types: one record each, registered once at start-up and
// known from then on by its index into parts.
#pragma once

struct part {
  int r = 0, g = 0, b = 0;
  int update = 1;  // carried by every record; nothing reads it
  double grav = 0.0;   // > 0 tries to fall, < 0 to rise; |grav| = chance per visit
  double slip = 0.0;   // chance per visit of trying to slide sideways
  double dense = 0.0;  // decides who displaces whom; 0 is empty space
  int i = 0;           // index in parts, the value a cell stores
};

constexpr int maxparts = 32;

extern part* parts[maxparts];
extern int count;      // index the next add assigns
extern int menucount;  // types the palette may offer

extern part *empty, *wall, *sand, *water, *oil, *salt, *plant, *fire, *saltwater, *glass, *steam,
    *flame;

// Files a new type under the next free index and returns it.
part* add(int r, int g, int b, double grav, double slip, double dense);

// parts with its 32 slots empty and both counters at 0.
void newparts();

// Registers the twelve types in index order and sets the named references.
void addtypes();
