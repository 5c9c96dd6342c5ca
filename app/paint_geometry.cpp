#include "app/paint_geometry.h"

#include <cstdint>
#include <initializer_list>

#include "resources/convert.h"

namespace quantora {

namespace {

Rect RectOfId(const LayoutPlan& layout, int id) {
  const ControlPlacement* p = layout.Find(id);
  return p ? RectOf(*p) : Rect{};
}

int CentreBetween(int left, int right) { return left + (right - left) / 2; }

void AddEtched(PaintPlan& plan, int x1, int x2, int y) {
  if (plan.etchedCount < kMaxEtchedLines) plan.etched[plan.etchedCount++] = EtchedLine{x1, x2, y};
}

void AddCaption(PaintPlan& plan, const char* text, int x, int y) {
  if (plan.captionCount < kMaxCaptions) plan.captions[plan.captionCount++] = Caption{text, x, y};
}

void AddFrame(PaintPlan& plan, const Rect& r) {
  if (plan.sunkenFrameCount < kMaxSunkenFrames) plan.sunkenFrames[plan.sunkenFrameCount++] = r;
}

// A caption centred under the span from a's left to b's right, one sixth of a line below a.
void AddCaptionUnder(PaintPlan& plan, const char* text, const Rect& a, const Rect& b, int gap) {
  AddCaption(plan, text, CentreBetween(a.left, b.right), a.bottom + gap);
}

// The sign "x" between a left and a right rectangle, its middle on the level of the fraction
// bar between them.
void AddTimesSign(PaintPlan& plan, const Rect& p, const Rect& q, int charHeight) {
  AddCaption(plan, "x", p.right + (q.left - p.right) / 2 - 1,
             p.bottom + (q.top - p.bottom) / 2 - charHeight / 2 - 1);
}

Stroke MakeStroke(Pen pen, Point a, Point b, Point c) {
  Stroke s;
  s.pen = pen;
  s.points[0] = a;
  s.points[1] = b;
  s.points[2] = c;
  return s;
}

}  // namespace

PaintPlan PlanPainting(const LayoutPlan& layout, bool multiDimensional, int charWidth,
                       int charHeight, const Rect& client, int outerWindowWidth,
                       int equalsWidth) {
  PaintPlan plan;
  AddEtched(plan, 0, client.right, 0);  // under the menu bar

  const int slots = multiDimensional ? kSlotCount : 1;
  if (multiDimensional) {
    // Fraction bars over the width of each column's label and button, 2 pixels in at each end.
    for (int column = 0; column < kColumnCount; ++column) {
      const int inX = RectOfId(layout, IDC_INPUT_LABEL_FIRST + column).left;
      const int outX = RectOfId(layout, IDC_OUTPUT_LABEL_FIRST + column).left;
      AddEtched(plan, inX + 2, inX + 20 * charWidth - 2, layout.values.InputFrameMiddle);
      AddEtched(plan, outX + 2, outX + 20 * charWidth - 2, layout.values.OutputFrameMiddle);
    }
  }

  const int gap = charHeight / 6;
  const Rect valueEdit = RectOfId(layout, IDC_VALUE_EDIT);
  const Rect resultEdit = RectOfId(layout, IDC_RESULT_EDIT);
  AddCaptionUnder(plan, "value", valueEdit, valueEdit, gap);
  AddCaptionUnder(plan, "value", resultEdit, resultEdit, gap);
  if (multiDimensional) {
    const char* kCompound = "unit numerators / unit denominators";
    AddCaptionUnder(plan, kCompound, RectOfId(layout, IDC_INPUT_LABEL_FIRST + 3),
                    RectOfId(layout, IDC_INPUT_LABEL_FIRST + 5), gap);
    AddCaptionUnder(plan, kCompound, RectOfId(layout, IDC_OUTPUT_LABEL_FIRST + 3),
                    RectOfId(layout, IDC_OUTPUT_LABEL_FIRST + 5), gap);
    // On each side: between columns 0 and 1, between columns 1 and 2, and between the edit
    // and column 0.
    const int pairs[][2] = {
        {IDC_INPUT_UNIT_BUTTON_FIRST, IDC_INPUT_LABEL_FIRST + 4},
        {IDC_INPUT_UNIT_BUTTON_FIRST + 1, IDC_INPUT_LABEL_FIRST + 5},
        {IDC_OUTPUT_UNIT_BUTTON_FIRST, IDC_OUTPUT_LABEL_FIRST + 4},
        {IDC_OUTPUT_UNIT_BUTTON_FIRST + 1, IDC_OUTPUT_LABEL_FIRST + 5},
        {IDC_VALUE_EDIT, IDC_INPUT_LABEL_FIRST + 3},
        {IDC_RESULT_EDIT, IDC_OUTPUT_LABEL_FIRST + 3},
    };
    for (const auto& pair : pairs) {
      AddTimesSign(plan, RectOfId(layout, pair[0]), RectOfId(layout, pair[1]), charHeight);
    }
  } else {
    AddCaptionUnder(plan, "unit", RectOfId(layout, IDC_INPUT_LABEL_FIRST),
                    RectOfId(layout, IDC_INPUT_UNIT_BUTTON_FIRST), gap);
    AddCaptionUnder(plan, "unit", RectOfId(layout, IDC_OUTPUT_LABEL_FIRST),
                    RectOfId(layout, IDC_OUTPUT_UNIT_BUTTON_FIRST), gap);
    // Between the two frames, level with the row of controls.
    const Rect outputLabel = RectOfId(layout, IDC_OUTPUT_LABEL_FIRST);
    AddCaption(plan, "=", outerWindowWidth / 2 - equalsWidth / 2,
               outputLabel.top + (outputLabel.bottom - outputLabel.top) / 2 - charHeight / 2);
  }

  AddFrame(plan, valueEdit);
  AddFrame(plan, resultEdit);
  for (int slot = 0; slot < slots; ++slot) {
    for (int firstId : {IDC_INPUT_LABEL_FIRST, IDC_OUTPUT_LABEL_FIRST}) {
      Rect label = RectOfId(layout, firstId + slot);
      label.right += kLabelFrameWidening;
      AddFrame(plan, label);
    }
  }
  return plan;
}

void SunkenFrameStrokes(const Rect& c, Stroke (&strokes)[3]) {
  const int l = c.left, t = c.top, r = c.right, b = c.bottom;
  strokes[0] = MakeStroke(Pen::Frame, {l - 1, b - 1}, {l - 1, t - 1}, {r, t - 1});
  strokes[1] = MakeStroke(Pen::Shadow, {l - 2, b}, {l - 2, t - 2}, {r + 1, t - 2});
  strokes[2] = MakeStroke(Pen::Highlight, {l - 2, b + 1}, {r + 1, b + 1}, {r + 1, t - 3});
}

int ButtonFaceStrokes(int width, int height, bool pushed, Stroke (&strokes)[3]) {
  const int w = static_cast<std::int16_t>(width);
  const int h = static_cast<std::int16_t>(height);
  if (pushed) {
    strokes[0] = MakeStroke(Pen::Shadow, {1, h - 3}, {1, 1}, {w - 2, 1});
    strokes[1] = MakeStroke(Pen::Highlight, {0, h - 1}, {w - 1, h - 1}, {w - 1, 0});
    return 2;
  }
  strokes[0] = MakeStroke(Pen::Highlight, {1, h - 3}, {1, 1}, {w - 2, 1});
  strokes[1] = MakeStroke(Pen::Shadow, {1, h - 2}, {w - 2, h - 2}, {w - 2, 0});
  strokes[2] = MakeStroke(Pen::Face, {0, h - 2}, {0, 0}, {w - 1, 0});
  return 3;
}

Rect ButtonFocusRect(const Rect& item) {
  return Rect{item.left + 2, item.top + 2, item.right - 3, item.bottom - 3};
}

void SwapArrows(bool multiDimensional, int width, int height, Triangle (&arrows)[2]) {
  const int cx = static_cast<std::int16_t>(width) / 2;
  const int cy = static_cast<std::int16_t>(height) / 2;
  if (multiDimensional) {
    arrows[0] = Triangle{{{cx, cy - 4}, {cx - 2, cy - 2}, {cx + 2, cy - 2}}};
    arrows[1] = Triangle{{{cx, cy + 3}, {cx - 2, cy + 1}, {cx + 2, cy + 1}}};
  } else {
    arrows[0] = Triangle{{{cx - 4, cy}, {cx - 2, cy - 2}, {cx - 2, cy + 2}}};
    arrows[1] = Triangle{{{cx + 3, cy}, {cx + 1, cy - 2}, {cx + 1, cy + 2}}};
  }
}

Triangle UnitButtonArrow(int width, int height) {
  const int cx = static_cast<std::int16_t>(width) / 2;
  const int cy = static_cast<std::int16_t>(height) / 2;
  return Triangle{{{cx - 2, cy - 1}, {cx + 2, cy - 1}, {cx, cy + 1}}};
}

}  // namespace quantora
