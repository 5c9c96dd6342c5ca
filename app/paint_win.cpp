// The hand-drawn look of the main window: etched lines, sunken frames around the edits and
// labels, captions and operator signs, and the owner-drawn buttons. Where everything goes is
// planned by the core; this file only draws it.
#include <algorithm>
#include <cstring>

#include "app/main_window_win.h"
#include "app/paint_geometry.h"
#include "shell/gdi_win.h"
#include "resources/convert.h"

namespace quantora {
namespace {

// Every colour is the system's, so that a high-contrast scheme shows the frames and arrows too.
// They are drawn on the button face, so their ink is the button text's colour (black in the
// standard scheme, where the window frame's colour is a grey).
constexpr int kInk = COLOR_BTNTEXT;

struct Pens {
  SolidPen ink{GetSysColor(kInk)};
  SolidPen highlight{GetSysColor(COLOR_BTNHIGHLIGHT)};
  SolidPen shadow{GetSysColor(COLOR_BTNSHADOW)};
  SolidPen face{GetSysColor(COLOR_BTNFACE)};

  HGDIOBJ Of(Pen pen) const {
    switch (pen) {
      case Pen::Frame: return ink.get();
      case Pen::Shadow: return shadow.get();
      case Pen::Highlight: return highlight.get();
      case Pen::Face: return face.get();
    }
    return ink.get();
  }
};

void DrawStroke(HDC dc, const Pens& pens, const Stroke& stroke) {
  Selection pen(dc, pens.Of(stroke.pen));
  MoveToEx(dc, stroke.points[0].x, stroke.points[0].y, nullptr);
  LineTo(dc, stroke.points[1].x, stroke.points[1].y);
  LineTo(dc, stroke.points[2].x, stroke.points[2].y);
}

// The shadow's rows, then as many of the highlight's below them.
void DrawEtchedLine(HDC dc, const Pens& pens, const EtchedLine& line, int width) {
  for (int row = 0; row < 2 * width; ++row) {
    Selection pen(dc, row < width ? pens.shadow.get() : pens.highlight.get());
    MoveToEx(dc, line.x1, line.y + row, nullptr);
    LineTo(dc, line.x2, line.y + row);
  }
}

void DrawSunkenFrame(HDC dc, const Pens& pens, const Rect& control, int lineWidth) {
  Stroke strokes[kMaxFrameStrokes];
  const int count = SunkenFrameStrokes(control, lineWidth, strokes);
  for (int i = 0; i < count; ++i) DrawStroke(dc, pens, strokes[i]);
}

void PaintCaptions(HDC dc, const PaintPlan& plan) {
  const UINT previous = SetTextAlign(dc, TA_CENTER | TA_TOP);
  for (int i = 0; i < plan.captionCount; ++i) {
    const Caption& c = plan.captions[i];
    TextOutA(dc, c.x, c.y, c.text, static_cast<int>(std::strlen(c.text)));
  }
  SetTextAlign(dc, previous);
}

void DrawButtonFace(const DRAWITEMSTRUCT& item, const Pens& pens, int dpi) {
  HDC dc = item.hDC;
  const RECT& r = item.rcItem;
  const int lineWidth = std::min(LineWidthFor(dpi), kMaxLineWidth);
  FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  for (int ring = 0; ring < lineWidth; ++ring) {
    const RECT frame{r.left + ring, r.top + ring, r.right - ring, r.bottom - ring};
    FrameRect(dc, &frame, GetSysColorBrush(kInk));
  }
  Stroke strokes[kMaxFrameStrokes];
  const int count = ButtonFaceStrokes(r.right - r.left, r.bottom - r.top,
                                      (item.itemState & ODS_SELECTED) != 0, lineWidth, strokes);
  for (int i = 0; i < count; ++i) DrawStroke(dc, pens, strokes[i]);
  if (item.itemState & ODS_FOCUS) {
    const Rect f = ButtonFocusRect(Rect{r.left, r.top, r.right, r.bottom}, lineWidth);
    const RECT focus{f.left, f.top, f.right, f.bottom};
    DrawFocusRect(dc, &focus);
  }
}

void FillTriangle(HDC dc, const Pens& pens, const Triangle& t) {
  Selection brush(dc, GetSysColorBrush(kInk));
  Selection pen(dc, pens.ink.get());
  POINT points[3];
  for (int i = 0; i < 3; ++i) points[i] = POINT{t.points[i].x, t.points[i].y};
  Polygon(dc, points, 3);
}

}  // namespace

void MainWindowState::PaintContent(HDC dc) const {
  const MainWindowState& program = *this;
  HWND window = mainWindow;
  const bool multiDimensional = MultiUnitMode();
  {
    Pens pens;
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    Selection font(dc, Font());
    RECT client{};
    GetClientRect(window, &client);
    RECT outer{};
    GetWindowRect(window, &outer);
    SIZE equals{};
    GetTextExtentPoint32A(dc, "=", 1, &equals);
    // Before the first layout there are no controls to frame: only the line under the menu.
    const bool laidOut = program.layout.controlCount > 0 &&
                         (program.layout.Find(IDC_SWAP_MULTI) != nullptr) == multiDimensional;
    if (laidOut) {
      const PaintPlan plan = PlanPainting(program.layout, multiDimensional, program.CharWidth,
                                          program.CharHeight,
                                          Rect{client.left, client.top, client.right, client.bottom},
                                          outer.right - outer.left, equals.cx);
      for (int i = 0; i < plan.etchedCount; ++i) {
        DrawEtchedLine(dc, pens, plan.etched[i], plan.lineWidth);
      }
      PaintCaptions(dc, plan);
      for (int i = 0; i < plan.sunkenFrameCount; ++i) {
        DrawSunkenFrame(dc, pens, plan.sunkenFrames[i], plan.lineWidth);
      }
    } else {
      DrawEtchedLine(dc, pens, EtchedLine{0, client.right, 0},
                     std::min(LineWidthFor(Dpi), kMaxLineWidth));
    }
  }
}

void DrawSwapButton(const DRAWITEMSTRUCT& item, bool multiDimensional, int dpi) {
  Pens pens;
  DrawButtonFace(item, pens, dpi);
  Triangle arrows[2];
  SwapArrows(multiDimensional, item.rcItem.right - item.rcItem.left,
             item.rcItem.bottom - item.rcItem.top, arrows, dpi);
  for (const Triangle& t : arrows) FillTriangle(item.hDC, pens, t);
}

void DrawUnitButton(const DRAWITEMSTRUCT& item, int dpi) {
  Pens pens;
  DrawButtonFace(item, pens, dpi);
  FillTriangle(item.hDC, pens,
               UnitButtonArrow(item.rcItem.right - item.rcItem.left,
                               item.rcItem.bottom - item.rcItem.top, dpi));
}

}  // namespace quantora
