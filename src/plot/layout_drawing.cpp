// Placeholder until the layout drawing is built.
#include "bridgeplan/errors.hpp"
#include "plot/layout_drawing.hpp"

namespace bp {
void drawTLinePoint(RunContext&, int, int) { abandon(err::INTERNAL, "the drawing is not built yet"); }
void drawBentPoint(RunContext&, int, int) { abandon(err::INTERNAL, "the drawing is not built yet"); }
void finishLineDrawing(RunContext&, int) { abandon(err::INTERNAL, "the drawing is not built yet"); }
void drawTransverseLines(RunContext&) { abandon(err::INTERNAL, "the drawing is not built yet"); }
}  // namespace bp
