#include "app/paint_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace quantora {
namespace {

std::string Text(const Point (&points)[3]) {
  std::string text;
  for (const Point& p : points) text += " " + std::to_string(p.x) + "," + std::to_string(p.y);
  return text;
}

// Font 6 x 13; client 504 x 74 in simple mode, 528 x 217 in multi-unit mode, whose frame
// middles are at 51 and 165.
TEST(Painting, LinesCaptionsAndFramesFollowTheControls) {
  for (bool multi : {false, true}) {
    SCOPED_TRACE(multi ? "multi-unit" : "simple");
    const Rect client = multi ? Rect{0, 0, 528, 217} : Rect{0, 0, 504, 74};
    QuantityRecord records[kSlotCount];
    const LayoutPlan layout = PlanLayout(multi, 6, 13, client, records);
    // "=" is 6 pixels wide; the window is 6 pixels wider than its client area.
    const PaintPlan p = PlanPainting(layout, multi, 6, 13, client, client.right + 6, 6);
    auto at = [&](int id) { return RectOf(*layout.Find(id)); };

    // At 192 DPI, in a font twice as large, every control and line is twice as far and as
    // large, to the few pixels that the divisions of the character cell leave.
    const Rect twice{0, 0, 2 * client.right, 2 * client.bottom};
    const LayoutPlan big = PlanLayout(multi, 12, 26, twice, records, 192);
    const PaintPlan q = PlanPainting(big, multi, 12, 26, twice, twice.right + 12, 12);
    EXPECT_EQ(q.lineWidth, 2);
    auto off = [](int at192, int at96) { return std::abs(at192 - 2 * at96); };
    for (int i = 0; i < layout.controlCount; ++i) {
      const Rect r = RectOf(big.controls[i]), h = RectOf(layout.controls[i]);
      EXPECT_LE(std::max({off(r.left, h.left), off(r.top, h.top), off(r.right, h.right),
                          off(r.bottom, h.bottom)}), 4) << i;
    }
    for (int i = 0; i < p.etchedCount; ++i) EXPECT_LE(off(q.etched[i].x1, p.etched[i].x1), 1);

    // The line under the menu bar, then in multi-unit mode a fraction bar for each column on
    // either side, along the frame's middle, two pixels in from its label and button.
    ASSERT_EQ(p.etchedCount, multi ? 7 : 1);
    EXPECT_EQ((Rect{p.etched[0].x1, p.etched[0].y, p.etched[0].x2}), (Rect{0, 0, client.right}));
    for (int i = 1; i < p.etchedCount; ++i) {
      const int label = (i % 2 == 1 ? 502 : 508) + (i - 1) / 2;
      const Rect want{at(label).left + 2, i % 2 == 1 ? 51 : 165, at(label + 100).right - 1};
      EXPECT_EQ((Rect{p.etched[i].x1, p.etched[i].y, p.etched[i].x2}), want) << label;
    }

    // Captions centred under what they name, one sixth of a line below it; then "=" between
    // the sides, or "x" between the columns a pixel above the fraction bar (worked out by hand).
    const char* compound = "unit numerators / unit denominators";
    const struct {
      const char* text;
      int x, y;
    } simpleCaptions[] = {{"value", 60, 48},
                          {"value", 317, 48},
                          {"unit", 170, 48},
                          {"unit", 427, 48},
                          {"=", 252, 31}},
      multiCaptions[] = {{"value", 63, 48},    {"value", 63, 162}, {compound, 314, 76},
                         {compound, 314, 190}, {"x", 255, 44},     {"x", 384, 44},
                         {"x", 255, 158},      {"x", 384, 158},    {"x", 119, 44},
                         {"x", 119, 158}};
    ASSERT_EQ(p.captionCount, multi ? 10 : 5);
    for (int i = 0; i < p.captionCount; ++i) {
      const auto& want = multi ? multiCaptions[i] : simpleCaptions[i];
      EXPECT_STREQ(p.captions[i].text, want.text) << i;
      EXPECT_EQ(p.captions[i].x, want.x) << i;
      EXPECT_EQ(p.captions[i].y, want.y) << i;
    }

    // A sunken frame around each edit, and around each label together with its button.
    ASSERT_EQ(p.sunkenFrameCount, multi ? 14 : 4);
    EXPECT_EQ(p.sunkenFrames[0], at(500));
    EXPECT_EQ(p.sunkenFrames[1], at(501));
    for (int i = 2; i < p.sunkenFrameCount; ++i) {
      const int label = (i % 2 == 0 ? 502 : 508) + (i - 2) / 2;
      const Rect want{at(label).left, at(label).top, at(label + 100).right, at(label).bottom};
      EXPECT_EQ(p.sunkenFrames[i], want) << label;
    }
  }
}

// Pens: 0 black, 1 shadow, 2 highlight, 3 face.
TEST(Painting, EdgesAndArrowsOfTheControls) {
  Stroke s[kMaxFrameStrokes];
  ASSERT_EQ(SunkenFrameStrokes(Rect{15, 29, 105, 46}, 1, s), 3);  // two pixels outside the control
  EXPECT_EQ(std::to_string(int(s[0].pen)) + Text(s[0].points), "0 14,45 14,28 105,28");
  EXPECT_EQ(std::to_string(int(s[1].pen)) + Text(s[1].points), "1 13,46 13,27 106,27");
  EXPECT_EQ(std::to_string(int(s[2].pen)) + Text(s[2].points), "2 13,47 106,47 106,26");
  // A unit button of 13 x 17, dark on the upper left only when pushed.
  ASSERT_EQ(ButtonFaceStrokes(13, 17, true, 1, s), 2);
  EXPECT_EQ(std::to_string(int(s[0].pen)) + Text(s[0].points), "1 1,14 1,1 11,1");
  EXPECT_EQ(std::to_string(int(s[1].pen)) + Text(s[1].points), "2 0,16 12,16 12,0");
  ASSERT_EQ(ButtonFaceStrokes(13, 17, false, 1, s), 3);
  EXPECT_EQ(std::to_string(int(s[0].pen)) + Text(s[0].points), "2 1,14 1,1 11,1");
  EXPECT_EQ(std::to_string(int(s[1].pen)) + Text(s[1].points), "1 1,15 11,15 11,0");
  EXPECT_EQ(std::to_string(int(s[2].pen)) + Text(s[2].points), "3 0,15 0,0 12,0");
  EXPECT_EQ(ButtonFocusRect(Rect{0, 0, 13, 17}), (Rect{2, 2, 10, 14}));
  // Swap arrows point at the sides: left and right, up and down; a unit button's points down.
  Triangle simple[2];
  Triangle multi[2];
  SwapArrows(false, 16, 17, simple);
  SwapArrows(true, 17, 18, multi);
  EXPECT_EQ(Text(simple[0].points) + " |" + Text(simple[1].points),
            " 4,8 6,6 6,10 | 11,8 9,6 9,10");
  EXPECT_EQ(Text(multi[0].points) + " |" + Text(multi[1].points),
            " 8,5 6,7 10,7 | 8,12 6,10 10,10");
  EXPECT_EQ(Text(UnitButtonArrow(13, 17).points), " 4,7 8,7 6,9");
  // At 192 DPI lines are two pixels wide, the outer ones of a sunken frame in the ink colour.
  ASSERT_EQ(SunkenFrameStrokes(Rect{30, 58, 210, 92}, 2, s), 6);
  EXPECT_EQ(std::to_string(int(s[1].pen)) + Text(s[1].points), "0 28,92 28,56 211,56");
  EXPECT_EQ(std::to_string(int(s[5].pen)) + Text(s[5].points), "2 26,95 213,95 213,53");
  ASSERT_EQ(ButtonFaceStrokes(26, 34, false, 2, s), 6);
  EXPECT_EQ(std::to_string(int(s[3].pen)) + Text(s[3].points), "1 3,30 22,30 22,2");
  SwapArrows(true, 25, 27, multi, 144);
  EXPECT_EQ(Text(multi[0].points) + " |" + Text(multi[1].points),
            " 12,7 9,10 15,10 | 12,18 9,15 15,15");
}

}  // namespace
}  // namespace quantora
