#include "ui/Colours.h"

void PaintBackground(HDC dc, const RECT& rect) {
  HBRUSH brush = ::CreateSolidBrush(kBackgroundColour);
  ::FillRect(dc, &rect, brush);
  ::DeleteObject(brush);
}

void DrawSeparatorLine(HDC dc, POINT from, POINT to) {
  HPEN pen = ::CreatePen(PS_SOLID, 2, kLineColour);
  HGDIOBJ previous = ::SelectObject(dc, pen);
  ::MoveToEx(dc, from.x, from.y, nullptr);
  ::LineTo(dc, to.x, to.y);
  ::SelectObject(dc, previous);
  ::DeleteObject(pen);
}
