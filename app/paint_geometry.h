// What the main window paints by hand, as coordinates: the etched lines, the captions under
// the controls, the sunken frames around the edits and labels, and the faces and arrows of the
// owner-drawn buttons. Everything follows from the planned control rectangles and the font
// measures; the shell only strokes and fills what is listed here.
#pragma once

#include "app/layout.h"

namespace quantora {

struct Point {
  int x = 0;
  int y = 0;
};

// An etched line: the shadow pen along y, the highlight pen along the row below it, both from x1
// up to but not including x2. At DPIs of 192 and more each is as many rows as a line is wide.
struct EtchedLine {
  int x1 = 0;
  int x2 = 0;
  int y = 0;
};

// A caption drawn centred on x with its top at y.
struct Caption {
  const char* text = nullptr;
  int x = 0;
  int y = 0;
};

enum class Pen { Frame, Shadow, Highlight, Face };

// MoveTo the first point, LineTo the second and the third (the last point is not drawn). Lines
// wider than a pixel are drawn as strokes side by side.
struct Stroke {
  Pen pen = Pen::Frame;
  Point points[3];
};

constexpr int kMaxEtchedLines = 1 + 6;      // under the menu bar, six fraction bars
constexpr int kMaxCaptions = 2 + 2 + 6;     // "value" twice, two unit captions, six "x"
constexpr int kMaxSunkenFrames = 2 + 2 * kSlotCount;

struct PaintPlan {
  EtchedLine etched[kMaxEtchedLines];
  int etchedCount = 0;
  Caption captions[kMaxCaptions];
  int captionCount = 0;
  Rect sunkenFrames[kMaxSunkenFrames];  // control rectangles to frame, labels already widened
  int sunkenFrameCount = 0;
  int lineWidth = 1;  // of the etched lines and the sunken frames
};

// Lines widen by whole pixels up to this: 4 at 384 DPI and above.
constexpr int kMaxLineWidth = 4;
constexpr int kMaxFrameStrokes = 3 * kMaxLineWidth;

// The paint of the whole client area for a layout. outerWindowWidth is the width of the main
// window itself and equalsWidth the measured width of "=" (simple mode centres the sign on the
// window); multi-unit mode does not use them.
PaintPlan PlanPainting(const LayoutPlan& layout, bool multiDimensional, int charWidth,
                       int charHeight, const Rect& client, int outerWindowWidth, int equalsWidth);

// The strokes of the sunken frame drawn outside a control rectangle, two lines wide (two pixels
// at 96 DPI: three strokes). Returns the number written.
int SunkenFrameStrokes(const Rect& control, int lineWidth, Stroke (&strokes)[kMaxFrameStrokes]);

// The face of an owner-drawn button of width w and height h (held as 16-bit values): the edge
// strokes drawn over the filled face, dark on the upper left when pushed. The face is framed in
// the ink colour lineWidth pixels wide. Returns the number of strokes written (at 96 DPI 2
// pushed, 3 not pushed).
int ButtonFaceStrokes(int width, int height, bool pushed, int lineWidth,
                      Stroke (&strokes)[kMaxFrameStrokes]);

// The dotted focus rectangle inside a button's item rectangle.
Rect ButtonFocusRect(const Rect& item, int lineWidth = 1);

struct Triangle {
  Point points[3];
};

// The two arrows of the swap button: up and down in multi-unit mode, left and right in simple
// mode, pointing at the two sides.
void SwapArrows(bool multiDimensional, int width, int height, Triangle (&arrows)[2],
                int dpi = kDesignDpi);

// The arrow of a unit button, pointing down.
Triangle UnitButtonArrow(int width, int height, int dpi = kDesignDpi);

}  // namespace quantora
