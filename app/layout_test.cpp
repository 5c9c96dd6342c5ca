#include "app/layout.h"

#include <gtest/gtest.h>

#include <cstring>

namespace quantora {
namespace {

// The window in these cases: a caption of 18 pixels, a one-line menu bar of 19 and a fixed
// frame of 3 on every side, so the client area is (width - 6) x (height - 43). The places
// below were worked out by hand from the layout rules for each mode and font, e.g.
//   font 6 x 13, simple:     window 85*6 x 9*13  = 510 x 117 -> client 504 x 74
//   font 7 x 16, multi-unit: window 89*7 x 20*16 = 623 x 320 -> client 617 x 277
Rect ClientOf(const WindowSize& window) { return Rect{0, 0, window.width - 6, window.height - 43}; }

struct Box {
  int id;
  int x, y, width, height;
};

struct Values {
  int controlHeight, valueEditTop, resultEditTop, inputMiddle, outputMiddle, columnPitch;
};

struct LayoutCase {
  const char* name;
  bool multi;
  int charWidth, charHeight;
  WindowSize window;
  Rect client;
  Rect from, to;  // the two frames
  Values values;
  int controlCount;
  Box controls[kMaxLayoutControls];  // in creation order
};

// Simple mode, font 6 x 13 (client 504 x 74).
const LayoutCase kSimpleSmall = {
    "simple, font 6 x 13", false, 6, 13, {510, 117}, {0, 0, 504, 74},
    {6, 6, 241, 68}, {263, 6, 498, 68},
    {17, 29, 0, 0, 0, 0},
    9,
    {{614, 6, 6, 235, 62}, {615, 263, 6, 235, 62},
     {500, 15, 29, 90, 17}, {502, 111, 29, 107, 17}, {602, 217, 29, 13, 17},
     {501, 272, 29, 90, 17}, {508, 368, 29, 107, 17}, {608, 474, 29, 13, 17},
     {515, 244, 45, 16, 17}}};

// Multi-unit mode, font 7 x 16 (client 617 x 277).
const LayoutCase kMultiLarge = {
    "multi-unit, font 7 x 16", true, 7, 16, {623, 320}, {0, 0, 617, 277},
    {7, 8, 610, 122}, {7, 154, 610, 268},
    {22, 36, 182, 65, 211, 151},
    29,
    {{614, 7, 8, 603, 114}, {615, 7, 154, 603, 114},
     {500, 18, 36, 105, 22}, {501, 18, 182, 105, 22},
     {502, 154, 36, 127, 22}, {602, 280, 36, 13, 22}, {508, 154, 182, 127, 22}, {608, 280, 182, 13, 22},
     {503, 305, 36, 127, 22}, {603, 431, 36, 13, 22}, {509, 305, 182, 127, 22}, {609, 431, 182, 13, 22},
     {504, 456, 36, 127, 22}, {604, 582, 36, 13, 22}, {510, 456, 182, 127, 22}, {610, 582, 182, 13, 22},
     {505, 154, 73, 127, 22}, {605, 280, 73, 13, 22}, {511, 154, 219, 127, 22}, {611, 280, 219, 13, 22},
     {506, 305, 73, 127, 22}, {606, 431, 73, 13, 22}, {512, 305, 219, 127, 22}, {612, 431, 219, 13, 22},
     {507, 456, 73, 127, 22}, {607, 582, 73, 13, 22}, {513, 456, 219, 127, 22}, {613, 582, 219, 13, 22},
     {516, 300, 132, 17, 18}}};

const LayoutCase* const kCases[] = {&kSimpleSmall, &kMultiLarge};
const Rect kMultiSmallClient{0, 0, 528, 217};  // font 6 x 13

// Six records with label places no layout would give, to see which ones a layout writes.
struct Records {
  QuantityRecord slots[kSlotCount];
  Records() {
    for (int i = 0; i < kSlotCount; ++i) {
      slots[i].Input.LabelX = -1000 - i;
      slots[i].Input.LabelY = -2000 - i;
      slots[i].Output.LabelX = -3000 - i;
      slots[i].Output.LabelY = -4000 - i;
    }
  }
};

void ExpectRect(const Rect& got, const Rect& want, const char* what) {
  EXPECT_EQ(got.left, want.left) << what;
  EXPECT_EQ(got.top, want.top) << what;
  EXPECT_EQ(got.right, want.right) << what;
  EXPECT_EQ(got.bottom, want.bottom) << what;
}

// For each case: the window size for the mode and font, then the plan for its client area,
// with the frames, the values the rows follow, every control in creation order and the label
// places written into the records of the slots the mode shows (the others keep theirs).
TEST(Layout, EachCaseFromWindowSizeToEveryControl) {
  for (const LayoutCase* c : kCases) {
    SCOPED_TRACE(c->name);
    const WindowSize size = MainWindowSize(c->multi, c->charWidth, c->charHeight);
    EXPECT_EQ(size.width, c->window.width);
    EXPECT_EQ(size.height, c->window.height);
    ExpectRect(ClientOf(size), c->client, "client");
    EXPECT_EQ(ControlHeightFor(c->charHeight), c->values.controlHeight);

    Records r;
    const LayoutPlan plan = PlanLayout(c->multi, c->charWidth, c->charHeight, c->client, r.slots);
    ExpectRect(plan.frames.from, c->from, "frame 614");
    ExpectRect(plan.frames.to, c->to, "frame 615");
    const LayoutValues& v = plan.values;
    const Values got = {v.ControlHeight,    v.ValueEditTop,      v.ResultEditTop,
                        v.InputFrameMiddle, v.OutputFrameMiddle, v.ColumnPitch};
    EXPECT_EQ(std::memcmp(&got, &c->values, sizeof got), 0)
        << "values " << got.controlHeight << " " << got.valueEditTop << " " << got.resultEditTop
        << " " << got.inputMiddle << " " << got.outputMiddle << " " << got.columnPitch;
    ASSERT_EQ(plan.controlCount, c->controlCount);
    for (int i = 0; i < c->controlCount; ++i) {
      const Box& want = c->controls[i];
      const ControlPlacement& p = plan.controls[i];
      const Box seen = {p.id, p.x, p.y, p.width, p.height};
      EXPECT_EQ(std::memcmp(&seen, &want, sizeof seen), 0)
          << "control #" << i << ": expected id " << want.id << " at " << want.x << "," << want.y
          << " " << want.width << "x" << want.height << ", got id " << p.id << " at " << p.x << ","
          << p.y << " " << p.width << "x" << p.height;
    }
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const bool shown = c->multi || slot == 0;
      const ControlPlacement* in = plan.Find(502 + slot);
      const ControlPlacement* out = plan.Find(508 + slot);
      ASSERT_EQ(in != nullptr && out != nullptr, shown) << "slot " << slot;
      EXPECT_EQ(r.slots[slot].Input.LabelX, shown ? in->x : -1000 - slot) << "slot " << slot;
      EXPECT_EQ(r.slots[slot].Input.LabelY, shown ? in->y : -2000 - slot) << "slot " << slot;
      EXPECT_EQ(r.slots[slot].Output.LabelX, shown ? out->x : -3000 - slot) << "slot " << slot;
      EXPECT_EQ(r.slots[slot].Output.LabelY, shown ? out->y : -4000 - slot) << "slot " << slot;
    }
  }
}

TEST(Layout, FramesAsPlacedDecideTheRows) {
  // The label rows follow the frames the shell reads back, not the ones it asked for: a
  // frame 614 placed at (6, 10)-(522, 100) has its middle at 10 + 90/2 = 55, so the numerator
  // row starts at 55 - 17 - 6 + 1 = 33 and the denominator row at 55 + 6 = 61; frame 615 at
  // (6, 130)-(522, 220) has its middle at 175: rows at 175 - 22 = 153 and 181.
  Records r;
  const FramePair placed{{6, 10, 522, 100}, {6, 130, 522, 220}};
  const LayoutPlan plan = PlanLayout(true, 6, 13, kMultiSmallClient, placed, r.slots);
  EXPECT_EQ(plan.values.InputFrameMiddle, 55);
  EXPECT_EQ(plan.values.OutputFrameMiddle, 175);
  EXPECT_EQ(plan.Find(500)->y, 33);
  EXPECT_EQ(plan.Find(501)->y, 153);
  EXPECT_EQ(plan.Find(604)->y, 33);
  EXPECT_EQ(plan.Find(607)->y, 61);
  EXPECT_EQ(plan.Find(610)->y, 153);
  EXPECT_EQ(plan.Find(613)->y, 181);
  EXPECT_EQ(r.slots[5].Output.LabelY, 181);
  ExpectRect(RectOf(*plan.Find(614)), placed.from, "frame 614");
  ExpectRect(RectOf(*plan.Find(615)), placed.to, "frame 615");
}

// Two monitors side by side, the second one to the left of the primary, each with a task bar
// at its bottom; a window of 500 x 100.
TEST(Layout, AWindowSavedOffEveryWorkAreaStartsAtTheDefaultPlace) {
  const Rect work[] = {{0, 0, 1024, 738}, {-1280, 0, 0, 994}};
  const WindowSize size{500, 100};
  const ScreenPoint fallback{10, 10};
  const struct {
    const char* name;
    ScreenPoint saved;
    int monitors;
    ScreenPoint expected;
  } rows[] = {
      {"inside the primary", {300, 200}, 2, {300, 200}},
      {"partly off its right edge", {1000, 700}, 2, {1000, 700}},
      {"on the second monitor", {-900, 500}, 2, {-900, 500}},
      {"second monitor gone", {-900, 500}, 1, {10, 10}},
      {"below the primary, on the task bar", {100, 738}, 1, {10, 10}},
      {"just touching the right edge", {1024, 0}, 2, {10, 10}},
      {"just touching the left edge", {-500, 0}, 1, {10, 10}},
      {"one pixel inside the right edge", {1023, 0}, 2, {1023, 0}},
      {"just above the top", {0, -100}, 2, {10, 10}},
      {"far off", {30000, 30000}, 2, {10, 10}},
      {"no monitor reported", {300, 200}, 0, {10, 10}},
  };
  for (const auto& r : rows) {
    const ScreenPoint got = StartingOrigin(r.saved, size, work, r.monitors, fallback);
    EXPECT_EQ(got.x, r.expected.x) << r.name;
    EXPECT_EQ(got.y, r.expected.y) << r.name;
  }
}

TEST(Layout, SwapButtonHalvesAreHeldAs16Bits) {
  // A client 70000 pixels wide: W2 = 35000, which as a 16-bit value is 35000 - 65536 = -30536,
  // so x = -30544. H2 = 37 stays: y = 37 + 26/3 = 45.
  const ControlPlacement p = SwapButtonPlacement(false, 13, Rect{0, 0, 70000, 74});
  EXPECT_EQ(p.x, -30544);
  EXPECT_EQ(p.y, 45);
}

}  // namespace
}  // namespace quantora
