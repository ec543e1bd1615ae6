// Movement: the visited particle falls, rises or slides one cell by
// trading places with a neighbour, driven by its grav, slip and dense.
#pragma once

struct part;

// At most one exchange per visit. p is the particle visiting (x, y), whose
// cell holds p.i; p itself is not changed. An exchange marks only the
// target in done.
void move(int x, int y, const part& p);
