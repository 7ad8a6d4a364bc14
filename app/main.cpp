// bridgeplan: plan and elevation geometry of highway bridges.
//
//   bridgeplan                          asks for the files on the console
//   bridgeplan [--force] [--asa] [--points CSV] DECK REPORT [PLOT]

#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "output/cleanup.hpp"
#include "output/exit_status.hpp"
#include "run/dialogue.hpp"
#include "run/driver.hpp"

int main(int argc, char** argv) {
    bp::out::prepareProcess();
    CLI::App app{"bridgeplan: computes the plan and elevation geometry of a highway bridge "
                 "from a deck of card images, prints the report and writes the plot commands.\n"
                 "With no files named, it asks for them on the console."};
    app.set_version_flag("--version", std::string("bridgeplan ") + BRIDGEPLAN_VERSION);
    bool asa = false;
    bp::OutputOptions options;
    std::string deck, report, plot;
    app.add_flag("--force", options.force, "replace an existing report, plot or points file");
    app.add_flag("--asa", asa,
                 "write the report as raw carriage-control records (for the POSIX asa utility)");
    app.add_option("--points", options.points,
                   "also write every reported point (T-line, bent and coordinate rows) at full "
                   "precision to this CSV file");
    app.add_option("DECK", deck, "input deck of card images");
    app.add_option("REPORT", report, "report file to write");
    app.add_option("PLOT", plot, "plot command file to write (none: no plot)");
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help and --version end well; a wrong argument starts nothing.
        return app.exit(e) == 0 ? bp::exit_status::DONE : bp::exit_status::NOT_STARTED;
    }

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

    const auto result =
        bp::MAIN(files.deck.stream(), files.reportStream(), files.plot(), std::cerr,
                 bp::RunClock::now(), asa ? bp::ReportMode::Asa : bp::ReportMode::Rendered,
                 files.points.get());
    return bp::closeFiles(files, result.exitStatus, std::cerr);
}
