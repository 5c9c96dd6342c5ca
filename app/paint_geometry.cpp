#include "app/paint_geometry.h"

#include <algorithm>
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
void AddTimesSign(PaintPlan& plan, const Rect& p, const Rect& q, int charHeight, int nudge) {
  AddCaption(plan, "x", p.right + (q.left - p.right) / 2 - nudge,
             p.bottom + (q.top - p.bottom) / 2 - charHeight / 2 - nudge);
}

Stroke MakeStroke(Pen pen, Point a, Point b, Point c) {
  Stroke s;
  s.pen = pen;
  s.points[0] = a;
  s.points[1] = b;
  s.points[2] = c;
  return s;
}

// The strokes of a button's edges, ring j counted inwards from the item rectangle: along the
// left and the top, or along the bottom and the right.
Stroke UpperLeft(Pen pen, int w, int h, int j) {
  return MakeStroke(pen, {j, h - 2 - j}, {j, j}, {w - 1 - j, j});
}
Stroke LowerRight(Pen pen, int w, int h, int j) {
  return MakeStroke(pen, {j, h - 1 - j}, {w - 1 - j, h - 1 - j}, {w - 1 - j, std::max(0, j - 1)});
}

Point Nudged(int cx, int cy, int dx, int dy, int dpi) {
  return Point{cx + ScalePixels(dx, dpi), cy + ScalePixels(dy, dpi)};
}

}  // namespace

PaintPlan PlanPainting(const LayoutPlan& layout, bool multiDimensional, int charWidth,
                       int charHeight, const Rect& client, int outerWindowWidth,
                       int equalsWidth) {
  PaintPlan plan;
  const int dpi = layout.dpi;
  plan.lineWidth = std::min(LineWidthFor(dpi), kMaxLineWidth);
  AddEtched(plan, 0, client.right, 0);  // under the menu bar

  const int slots = multiDimensional ? kSlotCount : 1;
  if (multiDimensional) {
    // Fraction bars over the width of each column's label and button, 2 pixels in at each end.
    const int inset = ScalePixels(2, dpi);
    for (int column = 0; column < kColumnCount; ++column) {
      const int inX = RectOfId(layout, IDC_INPUT_LABEL_FIRST + column).left;
      const int outX = RectOfId(layout, IDC_OUTPUT_LABEL_FIRST + column).left;
      AddEtched(plan, inX + inset, inX + 20 * charWidth - inset, layout.values.InputFrameMiddle);
      AddEtched(plan, outX + inset, outX + 20 * charWidth - inset,
                layout.values.OutputFrameMiddle);
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
      AddTimesSign(plan, RectOfId(layout, pair[0]), RectOfId(layout, pair[1]), charHeight,
                   ScalePixels(1, dpi));
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
  // A label's frame also encloses its unit button.
  const int sides[][2] = {{IDC_INPUT_LABEL_FIRST, IDC_INPUT_UNIT_BUTTON_FIRST},
                          {IDC_OUTPUT_LABEL_FIRST, IDC_OUTPUT_UNIT_BUTTON_FIRST}};
  for (int slot = 0; slot < slots; ++slot) {
    for (const auto& side : sides) {
      Rect label = RectOfId(layout, side[0] + slot);
      label.right = RectOfId(layout, side[1] + slot).right;
      AddFrame(plan, label);
    }
  }
  return plan;
}

int SunkenFrameStrokes(const Rect& c, int lineWidth, Stroke (&strokes)[kMaxFrameStrokes]) {
  const int l = c.left, t = c.top, r = c.right, b = c.bottom;
  const int width = std::max(1, std::min(lineWidth, kMaxLineWidth));
  int n = 0;
  // Ring e lies e pixels outside the control: the ink colour's rings nearest, the shadow's and
  // the highlight's outside them.
  for (int e = 1; e <= 2 * width; ++e) {
    const Pen pen = e <= width ? Pen::Frame : Pen::Shadow;
    strokes[n++] = MakeStroke(pen, {l - e, b - 2 + e}, {l - e, t - e}, {r - 1 + e, t - e});
  }
  for (int e = width + 1; e <= 2 * width; ++e) {
    const int bottom = b - 1 + e, right = r - 1 + e;
    strokes[n++] = MakeStroke(Pen::Highlight, {l - e, bottom}, {right, bottom}, {right, t - 1 - e});
  }
  return n;
}

int ButtonFaceStrokes(int width, int height, bool pushed, int lineWidth,
                      Stroke (&strokes)[kMaxFrameStrokes]) {
  const int w = static_cast<std::int16_t>(width);
  const int h = static_cast<std::int16_t>(height);
  const int line = std::max(1, std::min(lineWidth, kMaxLineWidth));
  int n = 0;
  // Ring 0 is the outermost, where the ink-coloured frame lies; the edges lie inside it.
  if (pushed) {
    for (int j = line; j < 2 * line; ++j) strokes[n++] = UpperLeft(Pen::Shadow, w, h, j);
    for (int j = 0; j < line; ++j) strokes[n++] = LowerRight(Pen::Highlight, w, h, j);
    return n;
  }
  for (int j = line; j < 2 * line; ++j) strokes[n++] = UpperLeft(Pen::Highlight, w, h, j);
  for (int j = line; j < 2 * line; ++j) strokes[n++] = LowerRight(Pen::Shadow, w, h, j);
  for (int j = 0; j < line; ++j) strokes[n++] = UpperLeft(Pen::Face, w, h, j);
  return n;
}

Rect ButtonFocusRect(const Rect& item, int lineWidth) {
  const int in = 2 * lineWidth;
  return Rect{item.left + in, item.top + in, item.right - in - 1, item.bottom - in - 1};
}

void SwapArrows(bool multiDimensional, int width, int height, Triangle (&arrows)[2], int dpi) {
  const int cx = static_cast<std::int16_t>(width) / 2;
  const int cy = static_cast<std::int16_t>(height) / 2;
  auto at = [&](int dx, int dy) { return Nudged(cx, cy, dx, dy, dpi); };
  if (multiDimensional) {
    arrows[0] = Triangle{{at(0, -4), at(-2, -2), at(2, -2)}};
    arrows[1] = Triangle{{at(0, 3), at(-2, 1), at(2, 1)}};
  } else {
    arrows[0] = Triangle{{at(-4, 0), at(-2, -2), at(-2, 2)}};
    arrows[1] = Triangle{{at(3, 0), at(1, -2), at(1, 2)}};
  }
}

Triangle UnitButtonArrow(int width, int height, int dpi) {
  const int cx = static_cast<std::int16_t>(width) / 2;
  const int cy = static_cast<std::int16_t>(height) / 2;
  return Triangle{
      {Nudged(cx, cy, -2, -1, dpi), Nudged(cx, cy, 2, -1, dpi), Nudged(cx, cy, 0, 1, dpi)}};
}

}  // namespace quantora
