// bridgeplan-import: writes the alignment cards of a problem (problem,
// location, tie, horizontal and vertical curve, crown cards) for a window
// of stations of a road in a LandXML 1.2 file.
//
//   bridgeplan-import FILE.xml --from STATION --to STATION [--alignment NAME]
//                     [--profile NAME] [--problem N] [-o DECK] [--force]

#include <iostream>
#include <memory>
#include <string>

#include <CLI/CLI.hpp>

#include "import/importer.hpp"
#include "output/cleanup.hpp"
#include "output/exit_status.hpp"
#include "output/file_identity.hpp"
#include "output/output_file.hpp"

namespace status = bp::exit_status;

int main(int argc, char** argv) {
    bp::out::prepareProcess();
    CLI::App app{
        "bridgeplan-import: writes the alignment cards of a bridgeplan problem (problem, "
        "location, tie, horizontal curve, vertical curve and crown cards) for a window of "
        "stations of a road in a LandXML 1.2 file. Append the longitudinal lines, the "
        "spans and the closing 9 card."};
    app.set_version_flag("--version", std::string("bridgeplan-import ") + BRIDGEPLAN_VERSION);
    bp::import::ImportRequest request;
    std::string output;
    bool force = false;
    app.add_option("FILE", request.path, "LandXML 1.2 file")->required();
    app.add_option("--from", request.from, "first station of the window, in the file's unit and numbering")
        ->required();
    app.add_option("--to", request.to, "last station of the window")->required();
    app.add_option("--alignment", request.alignment, "alignment name (default: the first)");
    app.add_option("--profile", request.profile, "design profile name (default: the alignment's first)");
    app.add_option("--problem", request.problem, "problem number (default 1)")->check(CLI::Range(0, 9999));
    app.add_option("-o,--output", output, "deck file to write (default: standard output)");
    app.add_flag("--force", force, "replace an existing deck file");
    CLI11_PARSE(app, argc, argv);

    // The deck's name is checked before any work: not the LandXML file
    // itself, not a folder, not an existing file without --force.
    if (!output.empty()) {
        bp::out::InputFile xml;
        if (!xml.open(request.path)) {
            std::cerr << "bridgeplan-import: cannot read '" << request.path << "': " << xml.reason() << "\n";
            return status::NOT_STARTED;
        }
        bp::out::FileNames names;
        names.input("the LandXML file", request.path, xml.identity());
        if (auto why = names.output("the deck", output)) {
            std::cerr << "bridgeplan-import: " << *why << "; name another file\n";
            return status::NOT_STARTED;
        }
        if (!force && bp::out::resolveOutput(output).exists) {
            std::cerr << "bridgeplan-import: the deck '" << output << "' exists; use --force to replace it\n";
            return status::NOT_STARTED;
        }
    }

    bp::import::ImportedDeck deck;
    try {
        deck = bp::import::importDeck(request);
    } catch (const bp::import::ImportRefused& refused) {
        std::cerr << "bridgeplan-import: " << request.path << ": " << refused.what() << "\n";
        return status::NOT_STARTED;
    }
    for (const std::string& note : deck.notes.lines) std::cerr << "bridgeplan-import: " << note << "\n";
    if (output.empty()) {
        std::cout << deck.cards << std::flush;
        return std::cout ? status::DONE : status::INCOMPLETE;
    }
    bp::out::OutputFile file(output, force ? bp::out::Existing::Replace : bp::out::Existing::Keep);
    if (!file.ready()) {
        std::cerr << "bridgeplan-import: cannot write '" << output << "': " << file.reason() << "\n";
        return status::NOT_STARTED;
    }
    file.stream() << deck.cards;
    if (!file.commit()) {
        std::cerr << "bridgeplan-import: the deck '" << output << "' was not written: " << file.reason()
                  << "\n";
        return status::INCOMPLETE;
    }
    return status::DONE;
}
