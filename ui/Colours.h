#pragma once
// The background and the separator and grip lines shared by the main dialog and the panes.
#include <windows.h>

constexpr COLORREF kBackgroundColour = RGB(236, 233, 216);
constexpr COLORREF kLineColour = RGB(172, 168, 153);

// Fills rect with the background colour.
void PaintBackground(HDC dc, const RECT& rect);
// Draws a solid line 2 pixels wide in the line colour; the pen is released afterwards.
void DrawSeparatorLine(HDC dc, POINT from, POINT to);
