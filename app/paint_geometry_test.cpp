#include "app/paint_geometry.h"

#include <gtest/gtest.h>


namespace quantora {
namespace {

// The same windows as the layout cases: font 6 x 13, client 504 x 74 in simple mode (outer
// width 510) and 528 x 217 in multi-unit mode. The control rectangles used below are the ones
// worked out there, e.g. simple: value edit (15,29)-(105,46), label 502 (111,29)-(218,46),
// button 602 (217,29)-(230,46); multi-unit: value edit (18,29)-(108,46), columns at 132, 261,
// 390, rows at 29, 57 (input) and 143, 171 (output), each 17 high.
const Rect kSimpleClient{0, 0, 504, 74};
const Rect kMultiClient{0, 0, 528, 217};

struct CaptionRow {
  const char* text;
  int x, y;
};

void ExpectRect(const Rect& got, const Rect& want, int row) {
  EXPECT_EQ(got.left, want.left) << "row " << row;
  EXPECT_EQ(got.top, want.top) << "row " << row;
  EXPECT_EQ(got.right, want.right) << "row " << row;
  EXPECT_EQ(got.bottom, want.bottom) << "row " << row;
}

TEST(Painting, SimpleModeCaptionsAndFrames) {
  QuantityRecord records[kSlotCount];
  const LayoutPlan layout = PlanLayout(false, 6, 13, kSimpleClient, records);
  // "=" measured 6 pixels wide.
  const PaintPlan p = PlanPainting(layout, false, 6, 13, kSimpleClient, 510, 6);

  // Only the line under the menu bar: no fraction bars in simple mode.
  ASSERT_EQ(p.etchedCount, 1);
  EXPECT_EQ(p.etched[0].x1, 0);
  EXPECT_EQ(p.etched[0].x2, 504);
  EXPECT_EQ(p.etched[0].y, 0);

  // gap = 13/6 = 2; captions sit at 46 + 2 = 48.
  const CaptionRow captions[] = {
      {"value", 60, 48},   // 15 + 90/2
      {"value", 317, 48},  // 272 + 90/2
      {"unit", 170, 48},   // 111 + (230 - 111)/2 = 111 + 59
      {"unit", 427, 48},   // 368 + (487 - 368)/2
      {"=", 252, 31},      // 510/2 - 6/2; 29 + 17/2 - 13/2 = 29 + 8 - 6
  };
  ASSERT_EQ(p.captionCount, 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_STREQ(p.captions[i].text, captions[i].text) << "row " << i;
    EXPECT_EQ(p.captions[i].x, captions[i].x) << "row " << i;
    EXPECT_EQ(p.captions[i].y, captions[i].y) << "row " << i;
  }

  // Edits as they are; labels widened by 12 to the right edge of their button (218 + 12 = 230).
  const Rect frames[] = {{15, 29, 105, 46}, {272, 29, 362, 46}, {111, 29, 230, 46},
                         {368, 29, 487, 46}};
  ASSERT_EQ(p.sunkenFrameCount, 4);
  for (int i = 0; i < 4; ++i) ExpectRect(p.sunkenFrames[i], frames[i], i);
}

TEST(Painting, MultiUnitModeBarsCaptionsAndFrames) {
  QuantityRecord records[kSlotCount];
  const LayoutPlan layout = PlanLayout(true, 6, 13, kMultiClient, records);
  const PaintPlan p = PlanPainting(layout, true, 6, 13, kMultiClient, 534, 6);

  // Menu line, then per column the input bar at the frame middle 51 and the output bar at
  // 165, from X + 2 to X + 120 - 2.
  const EtchedLine lines[] = {{0, 528, 0},     {134, 250, 51}, {134, 250, 165}, {263, 379, 51},
                              {263, 379, 165}, {392, 508, 51}, {392, 508, 165}};
  ASSERT_EQ(p.etchedCount, 7);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(p.etched[i].x1, lines[i].x1) << "row " << i;
    EXPECT_EQ(p.etched[i].x2, lines[i].x2) << "row " << i;
    EXPECT_EQ(p.etched[i].y, lines[i].y) << "row " << i;
  }

  const char* compound = "unit numerators / unit denominators";
  const CaptionRow captions[] = {
      {"value", 63, 48},    // 18 + 90/2; 46 + 2
      {"value", 63, 162},   // 160 + 2
      {compound, 314, 76},  // 132 + (497 - 132)/2 = 132 + 182; 74 + 2
      {compound, 314, 190}, // 188 + 2
      // "x": P.right + (Q.left - P.right)/2 - 1, P.bottom + (Q.top - P.bottom)/2 - 6 - 1
      {"x", 255, 44},   // 602 (right 251) / 506 (left 261): 251 + 5 - 1; 46 + 5 - 7
      {"x", 384, 44},   // 603 (right 380) / 507 (left 390)
      {"x", 255, 158},  // 608 / 512: 160 + 5 - 7
      {"x", 384, 158},  // 609 / 513
      {"x", 119, 44},   // 500 (right 108) / 505 (left 132): 108 + 12 - 1
      {"x", 119, 158},  // 501 / 511
  };
  ASSERT_EQ(p.captionCount, 10);
  for (int i = 0; i < 10; ++i) {
    EXPECT_STREQ(p.captions[i].text, captions[i].text) << "row " << i;
    EXPECT_EQ(p.captions[i].x, captions[i].x) << "row " << i;
    EXPECT_EQ(p.captions[i].y, captions[i].y) << "row " << i;
  }

  // Edits, then per slot the input and the output label, widened by 12 (label right = X + 107).
  const Rect frames[] = {
      {18, 29, 108, 46},   {18, 143, 108, 160},
      {132, 29, 251, 46},  {132, 143, 251, 160}, {261, 29, 380, 46},  {261, 143, 380, 160},
      {390, 29, 509, 46},  {390, 143, 509, 160}, {132, 57, 251, 74},  {132, 171, 251, 188},
      {261, 57, 380, 74},  {261, 171, 380, 188}, {390, 57, 509, 74},  {390, 171, 509, 188},
  };
  ASSERT_EQ(p.sunkenFrameCount, 14);
  for (int i = 0; i < 14; ++i) ExpectRect(p.sunkenFrames[i], frames[i], i);
}

void ExpectStroke(const Stroke& got, Pen pen, Point a, Point b, Point c, const char* what) {
  EXPECT_EQ(got.pen, pen) << what;
  const Point want[] = {a, b, c};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(got.points[i].x, want[i].x) << what << " point " << i;
    EXPECT_EQ(got.points[i].y, want[i].y) << what << " point " << i;
  }
}

TEST(Painting, SunkenFrameLiesTwoPixelsOutsideTheControl) {
  Stroke s[3];
  SunkenFrameStrokes(Rect{15, 29, 105, 46}, s);
  ExpectStroke(s[0], Pen::Black, {14, 45}, {14, 28}, {105, 28}, "inner dark edge");
  ExpectStroke(s[1], Pen::Shadow, {13, 46}, {13, 27}, {106, 27}, "outer dark edge");
  ExpectStroke(s[2], Pen::Highlight, {13, 47}, {106, 47}, {106, 26}, "light edge");
}

TEST(Painting, ButtonFaceIsDarkOnTheUpperLeftOnlyWhenPushed) {
  // A unit button of 13 x 17.
  Stroke s[3];
  ASSERT_EQ(ButtonFaceStrokes(13, 17, true, s), 2);
  ExpectStroke(s[0], Pen::Shadow, {1, 14}, {1, 1}, {11, 1}, "pushed, upper left");
  ExpectStroke(s[1], Pen::Highlight, {0, 16}, {12, 16}, {12, 0}, "pushed, lower right");
  ASSERT_EQ(ButtonFaceStrokes(13, 17, false, s), 3);
  ExpectStroke(s[0], Pen::Highlight, {1, 14}, {1, 1}, {11, 1}, "raised, upper left");
  ExpectStroke(s[1], Pen::Shadow, {1, 15}, {11, 15}, {11, 0}, "raised, lower right");
  ExpectStroke(s[2], Pen::Face, {0, 15}, {0, 0}, {12, 0}, "raised, outer upper left");
  const Rect focus = ButtonFocusRect(Rect{0, 0, 13, 17});
  EXPECT_EQ(focus.left, 2);
  EXPECT_EQ(focus.top, 2);
  EXPECT_EQ(focus.right, 10);
  EXPECT_EQ(focus.bottom, 14);
}

TEST(Painting, ArrowsPointAtTheSides) {
  const struct {
    const char* name;
    bool multi;
    int w, h;
    Triangle first, second;
  } cases[] = {
      // simple 16 x 17: cx = 8, cy = 8; left and right
      {"simple swap", false, 16, 17, {{{4, 8}, {6, 6}, {6, 10}}}, {{{11, 8}, {9, 6}, {9, 10}}}},
      // multi-unit 17 x 18: cx = 8, cy = 9; up and down
      {"multi-unit swap", true, 17, 18, {{{8, 5}, {6, 7}, {10, 7}}}, {{{8, 12}, {6, 10}, {10, 10}}}},
  };
  for (const auto& c : cases) {
    Triangle arrows[2];
    SwapArrows(c.multi, c.w, c.h, arrows);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(arrows[0].points[i].x, c.first.points[i].x) << c.name << " first, point " << i;
      EXPECT_EQ(arrows[0].points[i].y, c.first.points[i].y) << c.name << " first, point " << i;
      EXPECT_EQ(arrows[1].points[i].x, c.second.points[i].x) << c.name << " second, point " << i;
      EXPECT_EQ(arrows[1].points[i].y, c.second.points[i].y) << c.name << " second, point " << i;
    }
  }
  // Unit button 13 x 17: cx = 6, cy = 8, pointing down.
  const Triangle down = UnitButtonArrow(13, 17);
  const Point want[] = {{4, 7}, {8, 7}, {6, 9}};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(down.points[i].x, want[i].x) << "unit arrow point " << i;
    EXPECT_EQ(down.points[i].y, want[i].y) << "unit arrow point " << i;
  }
}

}  // namespace
}  // namespace quantora
