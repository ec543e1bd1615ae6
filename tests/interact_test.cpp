#include "world.h"

namespace {

class interaction : public world {
 protected:
  // One frame's interaction: the tracker's update, then the step, drawn
  // over a cleared surface.
  static void step() {
    track();
    Cls();
    interact();
  }
  // Moves the pointer and runs a frame.
  static void stepat(int x, int y) {
    headless::move(x, y);
    step();
  }
  // Opens the palette with its anchor at (x, y).
  static void open(int x, int y) {
    stepat(x, y);
    headless::press(3);
    step();
  }
  static colour of(int t) { return {parts[t]->r, parts[t]->g, parts[t]->b}; }
};

const colour grey{128, 128, 128}, white{255, 255, 255}, black{0, 0, 0};

TEST_F(interaction, palette_shows_eight_swatches_in_a_grey_frame) {
  open(200, 100);
  for (int y = 90; y < 180; ++y)
    for (int x = 170; x < 200; ++x) {
      colour want = black;
      if (x >= 182 && x <= 197 && y >= 98 && y <= 165) want = grey;
      if (x >= 184 && x <= 195 && y >= 100 && y <= 163) want = of((y - 100) / 8);
      ASSERT_EQ(fbat(x, y), want) << x << "," << y;
    }
  EXPECT_EQ(of(1), grey) << "the wall swatch has the panel's grey";
}

TEST_F(interaction, hover_uses_exactly_the_swatch_rectangles) {
  struct {
    int dx, dy, row;
  } cases[] = {{-16, 20, 2}, {-5, 20, 2}, {-17, 20, -1}, {-4, 20, -1},
               {-10, 8, 1},  {-10, 7, 0}, {-10, -1, -1}, {-10, 64, -1}, {-10, 63, 7}};
  for (auto& c : cases) {
    newinteract();
    open(200, 100);
    stepat(200 + c.dx, 100 + c.dy);
    EXPECT_EQ(hovered, c.row) << c.dx << "," << c.dy;
    headless::release(3);
    step();
  }
}

TEST_F(interaction, choice_is_the_last_row_hovered_when_the_middle_button_comes_up) {
  open(200, 100);
  stepat(190, 100 + 2 * 8 + 3);  // sand
  stepat(300, 300);               // off the palette: the row stays
  EXPECT_EQ(selected, wall->i) << "chosen only when the button comes up";
  headless::release(3);
  step();
  EXPECT_EQ(selected, sand->i);
  EXPECT_EQ(hovered, -1);

  open(200, 100);
  stepat(190, 100 + 3 * 8);
  stepat(190, 100 + 5 * 8);
  headless::release(3);
  step();
  EXPECT_EQ(selected, salt->i);

  open(200, 100);  // never on a swatch
  headless::release(3);
  step();
  EXPECT_EQ(selected, salt->i);
}

TEST_F(interaction, palette_swallows_painting_and_picking) {
  put(25, 25, water);
  open(204, 204);
  headless::press(1);
  headless::press(2);
  stepat(204, 204);
  headless::release(2);
  stepat(204, 204);
  EXPECT_EQ(at(25, 25), water);
  EXPECT_EQ(selected, wall->i) << "the right release is lost";
  EXPECT_EQ(menux, 204);
}

TEST_F(interaction, choosing_with_the_left_button_held_paints_the_choice_at_once) {
  open(200, 100);
  headless::press(1);
  stepat(190, 100 + 6 * 8);  // plant
  headless::release(3);
  step();
  EXPECT_EQ(at(190 / 8, (100 + 48) / 8), plant);
}

TEST_F(interaction, paints_and_picks_the_cell_under_the_pointer_at_the_edges) {
  struct {
    int x, y, cx, cy;  // cx -1: no cell addressed
  } cases[] = {{-7, 100, 0, 12}, {7, 100, 0, 12}, {-8, 100, -1, 0}, {511, 100, 63, 12},
               {512, 100, -1, 0}, {100, -7, 12, 0}, {100, 511, 12, 63}, {100, -8, -1, 0}};
  headless::press(1);
  for (auto& c : cases) {
    newgrid();
    stepat(c.x, c.y);
    int painted = 0;
    for (auto& column : grid)
      for (int v : column) painted += v == wall->i;
    EXPECT_EQ(painted, c.cx < 0 ? 0 : 1) << c.x << "," << c.y;
    if (c.cx >= 0) {
      EXPECT_EQ(at(c.cx, c.cy), wall) << c.x << "," << c.y;
    }
  }
  headless::release(1);
  step();
  put(0, 12, steam);
  headless::press(2);
  stepat(-8, 100);
  headless::release(2);
  step();
  EXPECT_EQ(selected, wall->i) << "a pick outside the field picks nothing";
}

TEST_F(interaction, pick_and_paint_in_one_frame_leaves_the_cell) {
  put(10, 10, flame);
  stepat(84, 84);
  headless::press(2);
  step();
  EXPECT_EQ(selected, wall->i) << "picked only when the button comes up";
  headless::press(1);
  headless::release(2);
  step();
  EXPECT_EQ(selected, flame->i) << "flame, not the fire of the same colour";
  EXPECT_EQ(at(10, 10), flame);
}

// The pointer: 36 pixels with the right angle at the pointer, 21 of them
// white, the rest in the selected type's colour.
TEST_F(interaction, pointer_is_a_white_edged_triangle_in_the_selected_colour) {
  for (part* t : {wall, empty, steam, flame}) {
    selected = t->i;
    stepat(300, 200);
    int whites = 0, fills = 0;
    for (int i = 0; i < 10; ++i)
      for (int j = 0; j < 10; ++j) {
        colour c = fbat(300 + i, 200 + j);
        bool inside = i + j <= 7, edge = i == 0 || j == 0 || i + j == 7;
        if (!inside) {
          EXPECT_EQ(c, black);
        } else if (edge) {
          whites += c == white;
        } else {
          fills += c == colour{t->r, t->g, t->b};
        }
      }
    EXPECT_EQ(whites, 21) << t->i;
    EXPECT_EQ(fills, 15) << t->i;
  }
}

TEST_F(interaction, palette_opened_in_the_first_frame_lies_left_of_the_window) {
  headless::press(3);
  headless::move(30, 30);
  step();
  EXPECT_EQ(menux, 0);
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(fbat(x, y), black) << x << "," << y;
}

}  // namespace
