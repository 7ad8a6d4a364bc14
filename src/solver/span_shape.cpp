// A longitudinal line's shape within a span, from its table entry and its
// form and state in the span.
#include "solver/span_shape.hpp"

#include <fmt/format.h>

#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"

namespace bp {

SpanShape ShapeInSpan(const Mainline& ml, const LineTable& lines, const SpanLine& n) {
    const LongitudinalLine& line = n.line;
    if (n.state > 0) {
        if (n.state > 3 || !ml.pieceExists(n.state))
            abandon(err::INTERNAL, fmt::format("longitudinal line {} is not a spiral", n.number));
        const AlignmentSegment& seg = ml.segment(n.state);
        return shape::Spiral{n.state, seg.xc, seg.yc, line.slope, line.radius, line.radiusSq, line.intercept};
    }
    if (n.state < 0) {
        const bool rlg = line.typeCode == kw::RLG && line.refLine >= 1 && line.refLine <= MAX_LINES;
        return shape::OffsetMainline{line.dr + (rlg ? lines[line.refLine].dr : 0.0)};
    }
    if (n.form > 0) return shape::Straight{n.form, line.slope, line.intercept, line.direction};
    if (n.form == form::CIRCLE) return shape::Circle{line.slope, line.intercept, line.radius, line.radiusSq};
    abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", n.number));
}

}   // namespace bp
