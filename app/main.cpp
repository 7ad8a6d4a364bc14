// bridgeplan: plan and elevation geometry of highway bridges.
//
//   bridgeplan                          asks for the files on the console
//   bridgeplan [--force] [--asa] [--points CSV] [--drawing PLAN.svg|PLAN.dxf] DECK REPORT [PLOT]

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "drawing/plan_files.hpp"
#include "drawing/plan_recorder.hpp"
#include "run/dialogue.hpp"
#include "run/driver.hpp"
#include "run/points_table.hpp"

int main(int argc, char** argv) {
    CLI::App app{"bridgeplan: computes the plan and elevation geometry of a highway bridge "
                 "from a deck of card images, prints the report and writes the plot commands.\n"
                 "With no files named, it asks for them on the console."};
    app.set_version_flag("--version", std::string("bridgeplan ") + BRIDGEPLAN_VERSION);
    bool force = false, asa = false;
    std::string deck, report, plot, points, drawing;
    app.add_flag("--force", force, "replace an existing report or plot file");
    app.add_flag("--asa", asa,
                 "write the report as raw carriage-control records (for the POSIX asa utility)");
    app.add_option("--points", points,
                   "also write every reported point (T-line, bent and coordinate rows) at full "
                   "precision to this CSV file");
    app.add_option("--drawing", drawing,
                   "also draw the plan of every problem from the computed geometry, as SVG or DXF "
                   "by the name's ending; several problems give PLAN-1.svg, PLAN-2.svg ...");
    app.add_option("DECK", deck, "input deck of card images");
    app.add_option("REPORT", report, "report file to write");
    app.add_option("PLOT", plot, "plot command file to write (none: no plot)");
    CLI11_PARSE(app, argc, argv);

    if (!drawing.empty() && bp::drawing::drawingKindOf(drawing) == bp::drawing::DrawingKind::Unknown) {
        std::cerr << "bridgeplan: the drawing " << drawing << " must end in .svg or .dxf\n";
        return 2;
    }
    if (!drawing.empty() && !force && std::filesystem::exists(drawing)) {
        std::cerr << "bridgeplan: the drawing " << drawing << " exists; use --force to replace it\n";
        return 2;
    }
    bp::drawing::PlanRecorder plan;

    // The points table is opened first so that a refused one leaves the
    // report and plot files as they were.
    std::ofstream pointsFile;
    std::unique_ptr<bp::PointsTable> pointsTable;
    if (!points.empty()) {
        if (!force && std::filesystem::exists(points)) {
            std::cerr << "bridgeplan: the points file " << points
                      << " exists; use --force to replace it\n";
            return 2;
        }
        pointsFile.open(points, std::ios::binary | std::ios::trunc);
        if (!pointsFile) {
            std::cerr << "bridgeplan: cannot write the points file " << points << "\n";
            return 2;
        }
        pointsTable = std::make_unique<bp::PointsTable>(pointsFile);
    }

    bp::RunFiles files;
    bp::Connection connection;
    if (deck.empty() && report.empty()) {
        connection = bp::SETIO(std::cin, std::cout, std::cerr, files);
    } else if (report.empty()) {
        std::cerr << "bridgeplan: name the report file after the deck (see --help)\n";
        return 2;
    } else {
        connection = bp::connectFiles(deck, report, plot, force, std::cerr, files);
    }
    if (!connection.ready) return connection.exitStatus;

    auto result = bp::MAIN(files.deck, files.report, *files.plot, std::cerr, bp::RunClock::now(),
                           asa ? bp::ReportMode::Asa : bp::ReportMode::Rendered,
                           pointsTable.get(), drawing.empty() ? nullptr : &plan);
    files.report.flush();
    files.plot->flush();
    // A report or plot cut short by a full disk must not pass for a whole one.
    if (!files.report || !*files.plot) {
        std::cerr << "bridgeplan: the " << (!files.report ? "report" : "plot")
                  << " could not be written in full\n";
        return 1;
    }
    if (pointsTable) {
        pointsTable->flush();
        if (!pointsFile) {
            std::cerr << "bridgeplan: the points file " << points << " could not be written\n";
            return 1;
        }
    }
    if (!drawing.empty() && !bp::drawing::writePlanDrawings(plan.problems(), drawing, force, std::cerr))
        return 1;
    return result.exitStatus;
}
