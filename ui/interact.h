// What the mouse does to the field, and what is drawn over it: the palette
// while the middle button is held; otherwise choosing, picking and painting.
// The program's own pointer is drawn last in both cases.
#pragma once

extern int selected;  // type the left button paints and the pointer shows
extern int hovered;   // palette row last under the pointer, -1 for none
extern int menumax;   // most rows the palette shows
extern int menux, menuy;  // palette anchor: the pointer while the middle button was up

// Back to the values at start-up.
void newinteract();

// Once per frame, after the sweep; reads only the tracker's snapshot.
void interact();
