#include "controls/Edges.h"

#include "conventions/ColourRef.h"

namespace nocturnia::edges {

namespace {

QColor system(conv::SystemColour colour, const QPalette& palette) {
    return conv::systemColour(int(colour), palette);
}

// One ring: the top and left sides first, so that the two corners where the lit and the shaded
// sides meet (top right, bottom left) take the shaded colour.
void ring(conv::Canvas& canvas, int left, int top, int right, int bottom, const QColor& lit,
          const QColor& shaded) {
    canvas.line(left, top, right, top, lit);
    canvas.line(left, top, left, bottom, lit);
    canvas.line(left, bottom - 1, right, bottom - 1, shaded);
    canvas.line(right - 1, top, right - 1, bottom, shaded);
}

} // namespace

void drawEdge(conv::Canvas& canvas, int left, int top, int right, int bottom, int edge,
              const QPalette& palette) {
    using S = conv::SystemColour;
    if (edge & RaisedOuter)
        ring(canvas, left, top, right, bottom, system(S::Light3D, palette),
             system(S::DarkShadow3D, palette));
    else if (edge & SunkenOuter)
        ring(canvas, left, top, right, bottom, system(S::ButtonShadow, palette),
             system(S::ButtonHighlight, palette));
    if (edge & RaisedInner)
        ring(canvas, left + 1, top + 1, right - 1, bottom - 1, system(S::ButtonHighlight, palette),
             system(S::ButtonShadow, palette));
    else if (edge & SunkenInner)
        ring(canvas, left + 1, top + 1, right - 1, bottom - 1, system(S::DarkShadow3D, palette),
             system(S::Light3D, palette));
}

} // namespace nocturnia::edges
