#include "app/layout.h"

#include <algorithm>
#include <cstdint>

#include "resources/convert.h"

namespace quantora {

namespace {

constexpr const char* kEditClass = "EDIT";
constexpr const char* kButtonClass = "BUTTON";
constexpr const char* kFromCaption = " Convert From ";
constexpr const char* kToCaption = " Convert To ";
constexpr const char* kSwapCaption = "";

ControlPlacement Place(int id, ControlKind kind, int x, int y, int width, int height) {
  ControlPlacement p;
  p.id = id;
  p.kind = kind;
  switch (kind) {
    case ControlKind::Frame:
      p.className = kButtonClass;
      p.caption = id == IDC_FRAME_FROM ? kFromCaption : kToCaption;
      break;
    case ControlKind::ValueEdit:
    case ControlKind::ResultEdit:
    case ControlKind::UnitLabel:
      p.className = kEditClass;
      break;
    case ControlKind::UnitButton:
      p.className = kButtonClass;
      break;
    case ControlKind::SwapButton:
      p.className = kButtonClass;
      p.caption = kSwapCaption;
      break;
  }
  p.x = x;
  p.y = y;
  p.width = width;
  p.height = height;
  return p;
}

Rect RectAt(int x, int y, int width, int height) { return Rect{x, y, x + width, y + height}; }

int EditWidth(int charWidth) { return 15 * charWidth; }

// The row of value edit, unit label and unit button is 36 character widths wide and centred
// in its frame; with a frame narrower than that the row starts left of the frame.
int SimpleRowIndent(const Rect& frame, int charWidth) {
  return ((frame.right - frame.left) - 36 * charWidth) / 2;
}

int SimpleLabelX(const Rect& frame, int charWidth) {
  return frame.left + SimpleRowIndent(frame, charWidth) + 16 * charWidth;
}

void Add(LayoutPlan& plan, const ControlPlacement& p) {
  if (plan.controlCount < kMaxLayoutControls) plan.controls[plan.controlCount++] = p;
}

void AddSide(LayoutPlan& plan, int labelId, int buttonId, int x, int y, int charWidth) {
  Add(plan, UnitLabelPlacement(labelId, x, y, charWidth, plan.values.ControlHeight, plan.dpi));
  Add(plan, UnitButtonPlacement(buttonId, x, y, charWidth, plan.values.ControlHeight, plan.dpi));
}

}  // namespace

int ScalePixels(int pixels, int dpi) {
  const std::int64_t scaled = static_cast<std::int64_t>(pixels) * dpi;
  const std::int64_t half = kDesignDpi / 2;
  return static_cast<int>(scaled < 0 ? (scaled - half) / kDesignDpi : (scaled + half) / kDesignDpi);
}

int LineWidthFor(int dpi) { return std::max(1, dpi / kDesignDpi); }

WindowSize MainWindowSize(bool multiDimensional, int charWidth, int charHeight) {
  if (multiDimensional) return WindowSize{89 * charWidth, 20 * charHeight};
  return WindowSize{85 * charWidth, 9 * charHeight};
}

WindowSize DesignedClientSize(bool multiDimensional, int charWidth, int charHeight, int dpi) {
  const WindowSize outer = MainWindowSize(multiDimensional, charWidth, charHeight);
  return WindowSize{outer.width - ScalePixels(kDesignedFrameWidth, dpi),
                    outer.height - ScalePixels(kDesignedFrameHeight, dpi)};
}

ScreenPoint StartingOrigin(ScreenPoint saved, WindowSize size, const Rect* workAreas,
                           int workAreaCount, ScreenPoint fallback) {
  // In 64 bits: a hand-edited corner near the ends of the int range must not wrap around.
  const std::int64_t left = saved.x;
  const std::int64_t top = saved.y;
  const std::int64_t right = left + size.width;
  const std::int64_t bottom = top + size.height;
  for (int i = 0; i < workAreaCount; ++i) {
    const Rect& work = workAreas[i];
    if (left < work.right && work.left < right && top < work.bottom && work.top < bottom) {
      return saved;
    }
  }
  return fallback;
}

int ControlHeightFor(int charHeight) { return 11 * charHeight / 8; }

FramePair FrameRects(bool multiDimensional, int charWidth, int charHeight, const Rect& client,
                     int dpi) {
  const int halfLine = charHeight / 2;
  const int y = client.top + halfLine;
  FramePair frames;
  if (multiDimensional) {
    const int middle = (client.bottom - client.top) / 2;
    const int x = client.left + charWidth;
    const int w = client.right - x - charWidth;
    const int h = middle - 2 * halfLine - y;
    frames.from = RectAt(x, y, w, h);
    frames.to = RectAt(x, middle + 2 * halfLine, w, h);
  } else {
    const int x1 = client.left + charWidth;
    const int w = (client.right - client.left) / 2 - x1 - charWidth - ScalePixels(5, dpi);
    const int x2 = client.right - w - charWidth;
    const int h = client.bottom - halfLine - y;
    frames.from = RectAt(x1, y, w, h);
    frames.to = RectAt(x2, y, w, h);
  }
  return frames;
}

LayoutValues ComputeLabelPositions(bool multiDimensional, int charWidth, int charHeight,
                                   const Rect& client, const FramePair& frames,
                                   QuantityRecord (&records)[kSlotCount]) {
  LayoutValues v;
  v.ControlHeight = ControlHeightFor(charHeight);
  if (!multiDimensional) {
    v.ValueEditTop = (client.bottom - client.top) / 2 - v.ControlHeight / 2;
    // Only slot 0 is shown; the other slots keep the places of the multi-unit layout.
    records[0].Input.LabelX = SimpleLabelX(frames.from, charWidth);
    records[0].Input.LabelY = v.ValueEditTop;
    records[0].Output.LabelX = SimpleLabelX(frames.to, charWidth);
    records[0].Output.LabelY = v.ValueEditTop;
    return v;
  }
  v.InputFrameMiddle = frames.from.top + (frames.from.bottom - frames.from.top) / 2;
  v.OutputFrameMiddle = frames.to.top + (frames.to.bottom - frames.to.top) / 2;
  const int c = v.ControlHeight;
  const int d = charHeight / 2;
  // The fraction bar runs along the frame middle: the numerator row ends d pixels above it
  // and the denominator row starts d pixels below it.
  v.ValueEditTop = v.InputFrameMiddle - c - d + 1;
  v.ResultEditTop = v.OutputFrameMiddle - c - d + 1;
  const int inputDenominatorTop = v.InputFrameMiddle + d;
  const int outputDenominatorTop = v.OutputFrameMiddle + d;
  v.ColumnPitch = 20 * charWidth + (11 * charWidth) / 7;
  for (int column = 0; column < kColumnCount; ++column) {
    const int x = 22 * charWidth + column * v.ColumnPitch;
    QuantityRecord& numerator = records[column];
    QuantityRecord& denominator = records[column + kColumnCount];
    numerator.Input.LabelX = numerator.Output.LabelX = x;
    denominator.Input.LabelX = denominator.Output.LabelX = x;
    numerator.Input.LabelY = v.ValueEditTop;
    numerator.Output.LabelY = v.ResultEditTop;
    denominator.Input.LabelY = inputDenominatorTop;
    denominator.Output.LabelY = outputDenominatorTop;
  }
  return v;
}

ControlPlacement UnitLabelPlacement(int labelId, int x, int y, int charWidth, int controlHeight,
                                    int dpi) {
  return Place(labelId, ControlKind::UnitLabel, x, y,
               20 * charWidth - ScalePixels(kUnitLabelShortening, dpi), controlHeight);
}

ControlPlacement UnitButtonPlacement(int buttonId, int x, int y, int charWidth, int controlHeight,
                                     int dpi) {
  const int width = ScalePixels(kUnitButtonWidth, dpi);
  return Place(buttonId, ControlKind::UnitButton,
               x + 20 * charWidth - width - (kUnitButtonInset - kUnitButtonWidth), y, width,
               controlHeight);
}

ControlPlacement SwapButtonPlacement(bool multiDimensional, int charHeight, const Rect& client,
                                     int dpi) {
  // The halves are kept as 16-bit values, as the window sizes of the program always fit.
  const int halfWidth = static_cast<std::int16_t>((client.right - client.left) / 2);
  const int halfHeight = static_cast<std::int16_t>((client.bottom - client.top) / 2);
  const int offset = ScalePixels(8, dpi);
  if (multiDimensional) {
    return Place(IDC_SWAP_MULTI, ControlKind::SwapButton, halfWidth - offset,
                 halfHeight + charHeight / 6 - offset, ScalePixels(17, dpi), ScalePixels(18, dpi));
  }
  return Place(IDC_SWAP_SIMPLE, ControlKind::SwapButton, halfWidth - offset,
               halfHeight + (2 * charHeight) / 3, ScalePixels(16, dpi), ScalePixels(17, dpi));
}

const ControlPlacement* LayoutPlan::Find(int id) const {
  for (int i = 0; i < controlCount; ++i) {
    if (controls[i].id == id) return &controls[i];
  }
  return nullptr;
}

LayoutPlan PlanLayout(bool multiDimensional, int charWidth, int charHeight, const Rect& client,
                      QuantityRecord (&records)[kSlotCount], int dpi) {
  return PlanLayout(multiDimensional, charWidth, charHeight, client,
                    FrameRects(multiDimensional, charWidth, charHeight, client, dpi), records, dpi);
}

LayoutPlan PlanLayout(bool multiDimensional, int charWidth, int charHeight, const Rect& client,
                      const FramePair& frames, QuantityRecord (&records)[kSlotCount], int dpi) {
  LayoutPlan plan;
  plan.dpi = dpi;
  plan.frames = frames;
  const Rect& from = frames.from;
  const Rect& to = frames.to;
  Add(plan, Place(IDC_FRAME_FROM, ControlKind::Frame, from.left, from.top, from.right - from.left,
                  from.bottom - from.top));
  Add(plan, Place(IDC_FRAME_TO, ControlKind::Frame, to.left, to.top, to.right - to.left,
                  to.bottom - to.top));
  plan.values =
      ComputeLabelPositions(multiDimensional, charWidth, charHeight, client, frames, records);
  const int c = plan.values.ControlHeight;
  const int editWidth = EditWidth(charWidth);

  if (multiDimensional) {
    const int editLeft = ScalePixels(kMultiEditLeft, dpi);
    Add(plan, Place(IDC_VALUE_EDIT, ControlKind::ValueEdit, editLeft, plan.values.ValueEditTop,
                    editWidth, c));
    Add(plan, Place(IDC_RESULT_EDIT, ControlKind::ResultEdit, editLeft,
                    plan.values.ResultEditTop, editWidth, c));
    for (int slot = 0; slot < kSlotCount; ++slot) {
      const QuantityRecord& r = records[slot];
      AddSide(plan, IDC_INPUT_LABEL_FIRST + slot, IDC_INPUT_UNIT_BUTTON_FIRST + slot,
              r.Input.LabelX, r.Input.LabelY, charWidth);
      AddSide(plan, IDC_OUTPUT_LABEL_FIRST + slot, IDC_OUTPUT_UNIT_BUTTON_FIRST + slot,
              r.Output.LabelX, r.Output.LabelY, charWidth);
    }
  } else {
    const int top = plan.values.ValueEditTop;
    Add(plan, Place(IDC_VALUE_EDIT, ControlKind::ValueEdit,
                    from.left + SimpleRowIndent(from, charWidth), top, editWidth, c));
    AddSide(plan, IDC_INPUT_LABEL_FIRST, IDC_INPUT_UNIT_BUTTON_FIRST, records[0].Input.LabelX,
            records[0].Input.LabelY, charWidth);
    Add(plan, Place(IDC_RESULT_EDIT, ControlKind::ResultEdit,
                    to.left + SimpleRowIndent(to, charWidth), top, editWidth, c));
    AddSide(plan, IDC_OUTPUT_LABEL_FIRST, IDC_OUTPUT_UNIT_BUTTON_FIRST, records[0].Output.LabelX,
            records[0].Output.LabelY, charWidth);
  }
  Add(plan, SwapButtonPlacement(multiDimensional, charHeight, client, dpi));
  return plan;
}

}  // namespace quantora
