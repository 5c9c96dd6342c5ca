// Where every control of the main window goes, in both layouts, as plain arithmetic on the
// font measures and the client rectangle. The window calls that create and move the controls
// live in the shell; they take what is planned here and apply it unchanged.
#pragma once

#include <cstdint>

#include "units/quantity.h"

namespace quantora {

// A rectangle in client coordinates of the main window; right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

inline bool operator==(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
inline bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }

// What the shell creates for a placement: the window class, the style family and the caption
// follow from the kind alone.
enum class ControlKind {
  Frame,        // "BUTTON", BS_GROUPBOX, caption " Convert From " or " Convert To "
  ValueEdit,    // "EDIT", ES_AUTOHSCROLL, no border
  ResultEdit,   // "EDIT", ES_AUTOHSCROLL | ES_READONLY, no border
  UnitLabel,    // "EDIT", ES_AUTOHSCROLL | ES_READONLY, no border; text set afterwards
  UnitButton,   // "BUTTON", BS_OWNERDRAW, no caption
  SwapButton,   // "BUTTON", BS_OWNERDRAW, caption ""
};

struct ControlPlacement {
  int id = 0;
  ControlKind kind = ControlKind::Frame;
  const char* className = nullptr;  // "EDIT" or "BUTTON"
  const char* caption = nullptr;    // nullptr: created without a caption
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

inline Rect RectOf(const ControlPlacement& p) {
  return Rect{p.x, p.y, p.x + p.width, p.y + p.height};
}

struct WindowSize {
  int width = 0;
  int height = 0;
};

// The pixel sizes below are those of a 96-DPI display. At any other DPI the program scales each
// of them by DPI / 96, to the nearest whole pixel (halves away from zero); the character cell
// comes from the font made for that DPI and scales with it.
constexpr int kDesignDpi = 96;
int ScalePixels(int pixels, int dpi);

// The width of a line drawn 1 pixel wide at 96 DPI: whole pixels, never none.
int LineWidthFor(int dpi);

// Outer size of the main window: 85 x 9 character cells in simple mode, 89 x 20 in
// multi-unit mode. The position is the user's; the size always follows the mode.
WindowSize MainWindowSize(bool multiDimensional, int charWidth, int charHeight);

// What the frame, caption and menu bar took of that outer size under the metrics the layout was
// designed with (a 3-pixel fixed frame, a 19-pixel caption and a 19-pixel menu bar). The rest is
// the client area the layout is planned in; the window is given whatever outer size yields that
// client area under the metrics in force, so a taller caption or menu bar takes nothing from it.
constexpr int kDesignedFrameWidth = 6;
constexpr int kDesignedFrameHeight = 44;

// The client area the layout is planned in: the mode's outer size less that designed frame,
// scaled to the DPI.
WindowSize DesignedClientSize(bool multiDimensional, int charWidth, int charHeight,
                              int dpi = kDesignDpi);

// Where the window opens at the start of a run, in screen coordinates: at its saved top-left
// corner, unless the window placed there (with the mode's size) would not meet the work area
// of any monitor, as when it was saved on a larger or a second monitor that is no longer
// there; then at `fallback`, the default place. The size is the mode's either way.
struct ScreenPoint {
  int x = 0;
  int y = 0;
};
ScreenPoint StartingOrigin(ScreenPoint saved, WindowSize size, const Rect* workAreas,
                           int workAreaCount, ScreenPoint fallback);

// Height of every edit and unit button: 11/8 of a text line.
int ControlHeightFor(int charHeight);

// Pixel sizes that do not scale with the font (at 96 DPI; they scale with the DPI). The unit
// button keeps overlapping its label's last pixel column by one pixel at every DPI.
constexpr int kMultiEditLeft = 18;         // value and result edit of the multi-unit layout
constexpr int kUnitButtonWidth = 13;
constexpr int kUnitButtonInset = 14;       // button left = label left + 20 widths - this
constexpr int kUnitLabelShortening = 13;   // label width = 20 widths - this

// Frames 614 ("Convert From") and 615 ("Convert To"): side by side in simple mode, one above
// the other in multi-unit mode.
struct FramePair {
  Rect from;
  Rect to;
};
FramePair FrameRects(bool multiDimensional, int charWidth, int charHeight, const Rect& client,
                     int dpi = kDesignDpi);

// The values the layout keeps between calls; painting reads the frame middles.
struct LayoutValues {
  int ControlHeight = 0;
  int ValueEditTop = 0;       // simple mode: top of the whole row of controls
  int ResultEditTop = 0;      // multi-unit mode only; 0 in simple mode
  int InputFrameMiddle = 0;   // multi-unit mode only; 0 in simple mode
  int OutputFrameMiddle = 0;  // multi-unit mode only; 0 in simple mode
  int ColumnPitch = 0;        // multi-unit mode only; 0 in simple mode
};

// Computes the layout values from the frames as placed and writes the label positions of the
// slots the mode shows: slot 0 in simple mode (the others keep theirs), all six in multi-unit
// mode. In multi-unit mode a column's numerator and denominator share one x on both sides.
LayoutValues ComputeLabelPositions(bool multiDimensional, int charWidth, int charHeight,
                                   const Rect& client, const FramePair& frames,
                                   QuantityRecord (&records)[kSlotCount]);

// The unit label and its unit button for one side placed at (x, y). The button overlaps the
// label's last pixel column and is created after it.
ControlPlacement UnitLabelPlacement(int labelId, int x, int y, int charWidth, int controlHeight,
                                    int dpi = kDesignDpi);
ControlPlacement UnitButtonPlacement(int buttonId, int x, int y, int charWidth, int controlHeight,
                                     int dpi = kDesignDpi);

// The swap button of the mode (515 simple, 516 multi-unit), placed from the client's halves.
ControlPlacement SwapButtonPlacement(bool multiDimensional, int charHeight, const Rect& client,
                                     int dpi = kDesignDpi);

// Largest layout: 2 frames, 2 edits, 6 slots of label + button per side, 1 swap button.
constexpr int kMaxLayoutControls = 2 + 2 + kSlotCount * 4 + 1;

struct LayoutPlan {
  FramePair frames;
  LayoutValues values;
  ControlPlacement controls[kMaxLayoutControls];  // in creation order
  int controlCount = 0;
  int dpi = kDesignDpi;  // the DPI the pixel sizes were scaled to

  // The placement of a control id, or nullptr when the layout has no such control.
  const ControlPlacement* Find(int id) const;
};

// Everything one layout creates, in creation order:
//   multi-unit: 614, 615, 500, 501, then per slot i: 502+i, 602+i, 508+i, 608+i; then 516.
//   simple:     614, 615, 500, 502, 602, 501, 508, 608; then 515.
// Writes the label positions into the records as ComputeLabelPositions does. The frames are
// computed from the client rectangle; the overload taking frames uses them as given (the
// rectangles the frames actually received).
LayoutPlan PlanLayout(bool multiDimensional, int charWidth, int charHeight, const Rect& client,
                      QuantityRecord (&records)[kSlotCount], int dpi = kDesignDpi);
LayoutPlan PlanLayout(bool multiDimensional, int charWidth, int charHeight, const Rect& client,
                      const FramePair& frames, QuantityRecord (&records)[kSlotCount],
                      int dpi = kDesignDpi);

}  // namespace quantora
