#pragma once
// The per-run context: the driver owns it and passes it down. It holds the
// connected streams, the run clock and every table a problem rebuilds.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "bridgeplan/alignment_records.hpp"
#include "bridgeplan/drawing_state.hpp"
#include "bridgeplan/line_table.hpp"
#include "bridgeplan/plot_frame.hpp"
#include "bridgeplan/point_listener.hpp"
#include "bridgeplan/project_frame.hpp"
#include "bridgeplan/transverse_table.hpp"
#include "bridgeplan/work_point.hpp"
#include "run/deck_reader.hpp"
#include "run/plot_commands.hpp"
#include "run/report.hpp"
#include "run/run_clock.hpp"

namespace bp {

struct ProblemHeader {
    Word code;
    std::string deckId = "   ";
    std::string number = "    ";   // 4 characters, printed as read
    std::string title;             // 80 characters: 20 words of 4
};

struct RunContext {
    RunContext(DeckReader& d, Report& r, std::ostream& p) : deck(d), report(r), plot(p) {}

    DeckReader& deck;
    Report& report;
    std::ostream& plot;
    // Every plot command of the run goes through this one block.
    PlotCommands plotCommands{plot};
    RunClock clock;

    ProblemHeader problem;

    // Roadway alignment.
    Alignment alignment;
    // The plane frame tied to northing and easting; none without a tie card.
    std::optional<ProjectFrame> project;

    // Bridge layout.
    LineTable lines;
    int lineCount = 0;
    bool severalPieceMainline = false;   // a piece 1 or 3 besides the main piece
    TransverseTable transverse;
    Span span;
    SlotTable<Bent, 2> bents;   // 1 back, 2 ahead
    bool firstSpan = true;

    // Solver.
    WorkPoint wp;
    SpanLines spanLines;

    // Plot.
    PlotFrame frame;
    DrawingState drawing;

    // Who is told of every reported point, in this order: the points table
    // when one was asked for, then the plan drawing, then any other drawing.
    std::vector<PointListener*> listeners;
};

}   // namespace bp
