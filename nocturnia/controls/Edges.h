#pragma once

#include "conventions/Canvas.h"

#include <QPalette>

namespace nocturnia {

// The platform's 3-D edges: up to two one-pixel rings inside a rectangle, each lit from the top
// left. The outer ring takes the outer bits, the inner ring one pixel further in the inner bits.
namespace edges {

inline constexpr int RaisedOuter = 0x1;
inline constexpr int SunkenOuter = 0x2;
inline constexpr int RaisedInner = 0x4;
inline constexpr int SunkenInner = 0x8;
inline constexpr int Etched = SunkenOuter | RaisedInner;
inline constexpr int Bump = RaisedOuter | SunkenInner;
inline constexpr int Sunken = SunkenOuter | SunkenInner;

// Draws the rings inside (left, top) to (right, bottom), right and bottom excluded, on all four
// sides, in the system's 3-D colours taken from the palette.
void drawEdge(conv::Canvas& canvas, int left, int top, int right, int bottom, int edge,
              const QPalette& palette);

} // namespace edges

} // namespace nocturnia
