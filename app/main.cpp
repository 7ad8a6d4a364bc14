// bridgeplan: plan and elevation geometry of highway bridges.
//
//   bridgeplan                          asks for the files on the console
//   bridgeplan [--force] [--asa] DECK REPORT [PLOT]

#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "run/dialogue.hpp"
#include "run/driver.hpp"

int main(int argc, char** argv) {
    CLI::App app{"bridgeplan: computes the plan and elevation geometry of a highway bridge "
                 "from a deck of card images, prints the report and writes the plot commands.\n"
                 "With no files named, it asks for them on the console."};
    app.set_version_flag("--version", std::string("bridgeplan ") + BRIDGEPLAN_VERSION);
    bool force = false, asa = false;
    std::string deck, report, plot;
    app.add_flag("--force", force, "replace an existing report or plot file");
    app.add_flag("--asa", asa,
                 "write the report as raw carriage-control records (for the POSIX asa utility)");
    app.add_option("DECK", deck, "input deck of card images");
    app.add_option("REPORT", report, "report file to write");
    app.add_option("PLOT", plot, "plot command file to write (none: no plot)");
    CLI11_PARSE(app, argc, argv);

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
                           asa ? bp::ReportMode::Asa : bp::ReportMode::Rendered);
    files.report.flush();
    files.plot->flush();
    return result.exitStatus;
}
