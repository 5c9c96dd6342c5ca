// Small owners of GDI objects: a pen that is deleted when it goes, and a selection that puts
// the device context's previous object back. Neither can be copied, so no object is deleted
// twice or left selected.
#pragma once

#include <windows.h>

namespace quantora {

class SolidPen {
 public:
  explicit SolidPen(COLORREF colour) : pen_(CreatePen(PS_SOLID, 1, colour)) {}
  ~SolidPen() {
    if (pen_) DeleteObject(pen_);
  }
  SolidPen(const SolidPen&) = delete;
  SolidPen& operator=(const SolidPen&) = delete;
  HPEN get() const { return pen_; }

 private:
  HPEN pen_;
};

class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace quantora
