#include "app/layout.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quantora {
namespace {

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// The frame a control stands in: 614 on the input side, 615 on the output side, none (0) for
// the swap button between them.
int FrameOf(int id) {
  if (id == 500 || (id >= 502 && id <= 507) || (id >= 602 && id <= 607)) return 614;
  if (id == 501 || (id >= 508 && id <= 513) || (id >= 608 && id <= 613)) return 615;
  return 0;
}

// The window has a caption of 18 pixels, a one-line menu bar of 19 and a fixed frame of 3 on
// every side: the client area is (width - 6) x (height - 43).
TEST(Layout, EveryControlStandsInItsFrameAndCoversNoOther) {
  // For the font 6 x 13, worked out by hand from the layout rules with the window of 85 x 9
  // character cells (simple) or 89 x 20 (multi-unit): the two frames, the swap button and the
  // value edit (in simple mode its row is centred in the frame).
  const Rect handWorked[2][4] = {
      {{6, 6, 241, 68}, {263, 6, 498, 68}, {244, 45, 260, 62}, {15, 29, 105, 46}},
      {{6, 6, 522, 96}, {6, 120, 522, 210}, {256, 102, 273, 120}, {18, 29, 108, 46}},
  };
  // At 120, 144 and 192 DPI the font grows by about as much as every pixel size does.
  for (bool multi : {false, true}) {
    for (int dpi : {96, 120, 144, 192}) {
      for (int charWidth : {6, 7, 9}) {
        const int cw = charWidth * dpi / 96, ch = (2 * charWidth + 1) * dpi / 96;
        SCOPED_TRACE(::testing::Message() << (multi ? "multi-unit" : "simple") << " " << charWidth
                                          << " at " << dpi);
        const WindowSize size = MainWindowSize(multi, cw, ch);
        const Rect client{0, 0, size.width - ScalePixels(6, dpi),
                          size.height - ScalePixels(43, dpi)};
        QuantityRecord records[kSlotCount];
        const LayoutPlan plan = PlanLayout(multi, cw, ch, client, records, dpi);
        ASSERT_EQ(plan.controlCount, multi ? 29 : 9);
        if (charWidth == 6 && dpi == 96) {
          const Rect* want = handWorked[multi];
          EXPECT_EQ(plan.frames.from, want[0]);
          EXPECT_EQ(plan.frames.to, want[1]);
          EXPECT_EQ(RectOf(plan.controls[plan.controlCount - 1]), want[2]);
          EXPECT_EQ(RectOf(*plan.Find(500)), want[3]);
          EXPECT_STREQ(plan.Find(614)->caption, " Convert From ");
          EXPECT_STREQ(plan.Find(615)->caption, " Convert To ");
        }
        for (int i = 0; i < plan.controlCount; ++i) {
          const ControlPlacement& a = plan.controls[i];
          const Rect frame = FrameOf(a.id) ? RectOf(*plan.Find(FrameOf(a.id))) : client;
          EXPECT_TRUE(Inside(RectOf(a), frame) && Inside(frame, client)) << a.id;
          for (int j = i + 1; j < plan.controlCount; ++j) {
            const ControlPlacement& b = plan.controls[j];
            if (FrameOf(a.id) == b.id || FrameOf(b.id) == a.id) continue;
            // A unit button covers the last pixel column of its own label, nothing else.
            const Rect shared{std::max(a.x, b.x), std::max(a.y, b.y),
                              std::min(RectOf(a).right, RectOf(b).right),
                              std::min(RectOf(a).bottom, RectOf(b).bottom)};
            const bool ownButton = a.kind == ControlKind::UnitLabel && b.id == a.id + 100;
            const bool apart = shared.left >= shared.right || shared.top >= shared.bottom;
            EXPECT_EQ(apart ? 0 : shared.right - shared.left, ownButton ? 1 : 0)
                << a.id << " " << b.id;
          }
        }
      }
    }
  }
}

// Two monitors side by side, the second one to the left of the primary, each with a task bar
// at its bottom; a window of 500 x 100.
TEST(Layout, AWindowSavedOffEveryWorkAreaStartsAtTheDefaultPlace) {
  const Rect work[] = {{0, 0, 1024, 738}, {-1280, 0, 0, 994}};
  const struct {
    ScreenPoint saved;
    int monitors;
    bool kept;
  } rows[] = {
      {{-900, 500}, 2, true},   // on the second monitor
      {{-900, 500}, 1, false},  // the second monitor gone
      {{100, 738}, 1, false},   // on the task bar
      {{1024, 0}, 2, false},    // just touching the right edge
      {{-1780, 0}, 2, false},   // just touching the left edge
      {{1023, 0}, 2, true},     // one pixel inside it, mostly off
      {{0, -100}, 2, false},    // just above the top
      {{300, 200}, 0, false},   // no monitor reported
  };
  for (const auto& r : rows) {
    const ScreenPoint got =
        StartingOrigin(r.saved, WindowSize{500, 100}, work, r.monitors, {10, 20});
    EXPECT_EQ(got.x, r.kept ? r.saved.x : 10) << r.saved.x << "," << r.saved.y;
    EXPECT_EQ(got.y, r.kept ? r.saved.y : 20) << r.saved.x << "," << r.saved.y;
  }
}

}  // namespace
}  // namespace quantora
