// bridgeplan: plan and elevation geometry of highway bridges.
//
//   bridgeplan                          asks for the files on the console
//   bridgeplan [--force] [--asa] [--points CSV] [--landxml XML] [--drawing PLAN.svg|PLAN.dxf]
//              DECK REPORT [PLOT]

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "drawing/plan_files.hpp"
#include "drawing/plan_recorder.hpp"
#include "output/cleanup.hpp"
#include "output/exit_status.hpp"
#include "run/dialogue.hpp"
#include "run/driver.hpp"

int main(int argc, char** argv) {
    bp::out::prepareProcess();
    CLI::App app{
        "bridgeplan: computes the plan and elevation geometry of a highway bridge "
        "from a deck of card images, prints the report and writes the plot commands.\n"
        "With no files named, it asks for them on the console."};
    app.set_version_flag("--version", std::string("bridgeplan ") + BRIDGEPLAN_VERSION);
    bool asa = false;
    bp::OutputOptions options;
    std::string deck, report, plot, drawing;
    app.add_flag("--force", options.force,
                 "replace an existing report, plot, points, LandXML or drawing file");
    app.add_flag("--asa", asa,
                 "write the report as raw carriage-control records (for the POSIX asa utility)");
    app.add_option("--points", options.points,
                   "also write every reported point (T-line, bent and coordinate rows) at full "
                   "precision to this CSV file");
    app.add_option("--drawing", drawing,
                   "also draw the plan of every problem from the computed geometry, as SVG or DXF "
                   "by the name's ending; several problems give PLAN-1.svg, PLAN-2.svg ...");
    app.add_option("--landxml", options.landxml,
                   "also write the mainline of every problem and every reported point to this "
                   "LandXML 1.2 file (northing and easting where the deck has a tie card)");
    app.add_option("DECK", deck, "input deck of card images");
    app.add_option("REPORT", report, "report file to write");
    app.add_option("PLOT", plot, "plot command file to write (none: no plot)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version end well; a wrong argument starts nothing.
        return app.exit(e) == 0 ? bp::exit_status::DONE : bp::exit_status::NOT_STARTED;
    }

    if (!drawing.empty() && bp::drawing::drawingKindOf(drawing) == bp::drawing::DrawingKind::Unknown) {
        std::cerr << "bridgeplan: the drawing " << drawing << " must end in .svg or .dxf\n";
        return bp::exit_status::NOT_STARTED;
    }
    if (!drawing.empty() && !options.force && std::filesystem::exists(drawing)) {
        std::cerr << "bridgeplan: the drawing " << drawing << " exists; use --force to replace it\n";
        return bp::exit_status::NOT_STARTED;
    }
    bp::drawing::PlanRecorder plan;

    bp::RunFiles files;
    bp::Connection connection;
    if (deck.empty() && report.empty()) {
        connection = bp::SETIO(std::cin, std::cout, std::cerr, options, files);
    } else if (report.empty()) {
        std::cerr << "bridgeplan: name the report file after the deck (see --help)\n";
        return bp::exit_status::NOT_STARTED;
    } else {
        connection = bp::connectFiles(deck, report, plot, options, std::cerr, files);
    }
    if (!connection.ready) return connection.exitStatus;

    const bp::RunClock clock = bp::RunClock::now();
    if (files.landxmlFile) files.landxml = std::make_unique<bp::LandXmlWriter>(clock);
    const auto result = bp::MAIN(files.deck.stream(), files.reportStream(), files.plot(), std::cerr, clock,
                                 asa ? bp::ReportMode::Asa : bp::ReportMode::Rendered, files.points.get(),
                                 drawing.empty() ? nullptr : &plan, files.landxml.get());
    std::vector<std::unique_ptr<bp::out::OutputFile>> drawings;
    if (!drawing.empty() &&
        !bp::drawing::writePlanDrawings(plan.problems(), drawing, options.force, std::cerr, drawings))
        return bp::exit_status::INCOMPLETE;
    std::vector<bp::out::OutputFile*> more;
    for (auto& d : drawings) more.push_back(d.get());
    return bp::closeFiles(files, result.exitStatus, std::cerr, more);
}
