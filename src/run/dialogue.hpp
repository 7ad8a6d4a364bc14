#pragma once
// The file dialogue: asks on the console for the input deck, the report and
// the optional plot file, guards existing files against overwriting, and
// connects the streams of the run.
//
// Nothing on the disk changes before the run has computed its outputs: the
// deck and every output are identified first (an output that is the deck,
// or two outputs that are one file, are refused), the outputs are written
// to temporary files beside them, and closeFiles() puts them in place.

#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "landxml/landxml_writer.hpp"
#include "output/file_identity.hpp"
#include "output/output_file.hpp"
#include "run/points_table.hpp"

namespace bp {

// The connected files of a run. With no plot asked for, the plot commands
// are made and discarded: no file at all is written for them.
struct RunFiles {
    out::InputFile deck;
    std::unique_ptr<out::OutputFile> report, plotFile, pointsFile, landxmlFile;
    std::unique_ptr<PointsTable> points;   // on pointsFile, when one was asked for
    // The LandXML document, made by the caller with the run clock when a
    // landxmlFile was asked for; written to it by closeFiles().
    std::unique_ptr<LandXmlWriter> landxml;
    out::DiscardStream noPlot;

    std::ostream& reportStream() { return report->stream(); }
    std::ostream& plot() { return plotFile ? plotFile->stream() : noPlot; }
};

// Outcome of connecting the files: ready, or the exit status to end with.
struct Connection {
    bool ready = false;
    int exitStatus = 0;
};

// What the command line says besides the three names.
struct OutputOptions {
    std::string points;    // the points table, empty for none
    std::string landxml;   // the LandXML file, empty for none
    bool force = false;    // an existing output may be replaced
};

// The console dialogue. Prompts go to `out`, answers come from `in`,
// complaints to `diagnostics`. The deck is opened and checked before any
// output name is asked.
Connection SETIO(std::istream& in, std::ostream& out, std::ostream& diagnostics, const OutputOptions& options,
                 RunFiles& files);

// The command-line form: no questions; an existing output file is refused
// (exit status 2) unless `force`. An empty plot name means no plot.
Connection connectFiles(const std::string& deck, const std::string& report, const std::string& plot,
                        const OutputOptions& options, std::ostream& diagnostics, RunFiles& files);

// Puts the outputs of a finished run in place, all of them or none, and
// gives the run's exit status: `runStatus`, or INCOMPLETE when an output
// could not be written in full (every existing file is then left as it was).
// `drawings` go into place with them.
int closeFiles(RunFiles& files, int runStatus, std::ostream& diagnostics,
               std::span<out::OutputFile* const> drawings = {});

// A file name as typed: trailing blanks are not part of it.
std::string trimName(std::string name);

}   // namespace bp
