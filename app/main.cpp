// bridgeplan: plan and elevation geometry of highway bridges.
//
//   bridgeplan                          asks for the files on the console
//   bridgeplan [--force] [--asa] [--points CSV] [--landxml XML] DECK REPORT [PLOT]

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "landxml/landxml_writer.hpp"
#include "run/dialogue.hpp"
#include "run/driver.hpp"
#include "run/points_table.hpp"

int main(int argc, char** argv) {
    CLI::App app{"bridgeplan: computes the plan and elevation geometry of a highway bridge "
                 "from a deck of card images, prints the report and writes the plot commands.\n"
                 "With no files named, it asks for them on the console."};
    app.set_version_flag("--version", std::string("bridgeplan ") + BRIDGEPLAN_VERSION);
    bool force = false, asa = false;
    std::string deck, report, plot, points, landxml;
    app.add_flag("--force", force, "replace an existing report or plot file");
    app.add_flag("--asa", asa,
                 "write the report as raw carriage-control records (for the POSIX asa utility)");
    app.add_option("--points", points,
                   "also write every reported point (T-line, bent and coordinate rows) at full "
                   "precision to this CSV file");
    app.add_option("--landxml", landxml,
                   "also write the mainline of every problem and every reported point to this "
                   "LandXML 1.2 file (northing and easting where the deck has a tie card)");
    app.add_option("DECK", deck, "input deck of card images");
    app.add_option("REPORT", report, "report file to write");
    app.add_option("PLOT", plot, "plot command file to write (none: no plot)");
    CLI11_PARSE(app, argc, argv);

    // The extra outputs are opened first so that a refused one leaves the
    // report and plot files as they were. Each gives 0 or the exit status.
    auto openExtra = [force](const std::string& path, const char* what, std::ofstream& file) {
        if (!force && std::filesystem::exists(path)) {
            std::cerr << "bridgeplan: the " << what << " " << path
                      << " exists; use --force to replace it\n";
            return 2;
        }
        file.open(path, std::ios::binary | std::ios::trunc);
        if (!file) {
            std::cerr << "bridgeplan: cannot write the " << what << " " << path << "\n";
            return 2;
        }
        return 0;
    };
    std::ofstream pointsFile;
    std::unique_ptr<bp::PointsTable> pointsTable;
    if (!points.empty()) {
        if (int status = openExtra(points, "points file", pointsFile)) return status;
        pointsTable = std::make_unique<bp::PointsTable>(pointsFile);
    }
    std::ofstream landxmlFile;
    if (!landxml.empty())
        if (int status = openExtra(landxml, "LandXML file", landxmlFile)) return status;

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

    const bp::RunClock clock = bp::RunClock::now();
    std::optional<bp::LandXmlWriter> landxmlDocument;
    if (landxmlFile.is_open()) landxmlDocument.emplace(clock);
    auto result = bp::MAIN(files.deck, files.report, *files.plot, std::cerr, clock,
                           asa ? bp::ReportMode::Asa : bp::ReportMode::Rendered,
                           pointsTable.get(), landxmlDocument ? &*landxmlDocument : nullptr);
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
    if (landxmlDocument && !landxmlDocument->save(landxmlFile)) {
        std::cerr << "bridgeplan: the LandXML file " << landxml << " could not be written\n";
        return 1;
    }
    return result.exitStatus;
}
