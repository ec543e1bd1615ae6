#include "sim/parts.h"

part* parts[maxparts];
int count = 0;
int menucount = 0;

part *empty, *wall, *sand, *water, *oil, *salt, *plant, *fire, *saltwater, *glass, *steam, *flame;

namespace {
// Records live for the whole run, so they come from a fixed store.
part store[maxparts];
}

part* add(int r, int g, int b, double grav, double slip, double dense) {
  part* t = &store[count];
  *t = part{};
  t->r = r;
  t->g = g;
  t->b = b;
  t->grav = grav;
  t->slip = slip;
  t->dense = dense;
  t->i = count;
  parts[count] = t;
  ++count;
  ++menucount;
  return t;
}

void newparts() {
  for (part*& slot : parts) slot = nullptr;
  count = 0;
  menucount = 0;
}

// Fractions are single-precision values widened to double.
void addtypes() {
  empty = add(0, 0, 0, 0, 0, 0);
  wall = add(128, 128, 128, 0, 0, 1);
  sand = add(255, 255, 0, 0.8f, 0.35f, 0.5f);
  water = add(0, 64, 255, 0.7f, 0.8f, 0.3f);
  oil = add(192, 96, 32, 0.65f, 0.55f, 0.2f);
  salt = add(255, 255, 255, 0.75f, 0.8f, 0.4f);
  plant = add(0, 255, 0, 0, 0, 1);
  fire = add(255, 64, 0, -0.05f, 0.85f, 0.015f);
  saltwater = add(64, 128, 255, 0.75f, 0.75f, 0.45f);
  glass = add(200, 180, 220, 0, 0, 1);
  steam = add(128, 128, 255, -0.08f, 0.4f, 0.05f);
  flame = add(255, 64, 0, -0.05f, 0.85f, 0.015f);
}
