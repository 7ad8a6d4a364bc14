#pragma once
// A run context on in-memory streams with a problem's plot frame set up
// from its location data (reference angle, direction letter, text size).

#include <sstream>
#include <string>
#include <vector>

#include "plot/plot_writer.hpp"
#include "run/run_context.hpp"

struct PlotTestRun {
    std::istringstream deckText;
    std::ostringstream reportText, plot;
    bp::DeckReader deck{deckText};
    bp::Report report{reportText, bp::ReportMode::Rendered};
    bp::RunContext ctx{deck, report, plot};

    explicit PlotTestRun(char letter = 'R', double textSize = 0.0, float angleDegrees = 0.0f) {
        bp::LocationData& loc = ctx.alignment.location;
        loc.referenceAngleDegrees = angleDegrees;
        loc.directionLetter = letter;
        loc.mirror = letter == 'L' ? -1.0 : 1.0;
        loc.textSize = textSize;
        ctx.drawing.reset();
        bp::startPlot(ctx);
    }

    // The commands written since the last call, one string per text line.
    std::vector<std::string> take() {
        ctx.plotCommands.flush();
        std::vector<std::string> lines;
        std::istringstream in(plot.str());
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        plot.str("");
        return lines;
    }
};
