#pragma once
// The parts of the bridge-layout phase, in the order PH2 calls them.

namespace bp {

struct RunContext;

// Sets severalPieceMainline: true when the mainline has a piece before the
// P.C. or after the P.T. besides its main piece.
void deriveMainlineShape(RunContext& ctx);

// Reads, echoes and builds the longitudinal lines ("LONGITUDINAL LINES"
// page), then resolves referenced lines in two passes.
void readLongitudinalLines(RunContext& ctx);

// The two resolution passes over lines 1..lineCount (part of
// readLongitudinalLines): lines defined from other lines, and lines offset
// from a single straight mainline, become fixed lines; the rest follow the
// mainline.
void resolveReferencedLines(RunContext& ctx);

// What follows a span or coordinate group.
enum class AfterSpan { NextSpan, NewLines, EndOfProblem };

// Reads one span card and runs the span (bents, set-up, T-lines, report,
// drawing) or the coordinate request group it opens.
AfterSpan runSpanCard(RunContext& ctx);

}   // namespace bp
