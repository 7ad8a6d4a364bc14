#include "run/dialogue.hpp"

#include <vector>

#include <fmt/format.h>

#include "output/exit_status.hpp"

namespace bp {

std::string trimName(std::string name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\r' || name.back() == '\t'))
        name.pop_back();
    return name;
}

namespace {

constexpr const char* REPORT = "the report";
constexpr const char* PLOT = "the plot file";
constexpr const char* POINTS = "the points file";
constexpr const char* LANDXML = "the LandXML file";

bool openDeck(const std::string& name, std::ostream& diagnostics, RunFiles& files, out::FileNames& names) {
    if (!files.deck.open(name)) {
        diagnostics << fmt::format("bridgeplan: cannot read the input deck '{}': {}\n", name,
                                   files.deck.reason());
        return false;
    }
    names.input("the input deck", name, files.deck.identity());
    return true;
}

// An output that is an input or another output is refused before anything
// is asked or written.
bool acceptName(out::FileNames& names, const char* role, const std::string& name, std::ostream& diagnostics) {
    if (name.empty()) return true;
    if (auto why = names.output(role, name)) {
        diagnostics << fmt::format("bridgeplan: {}; name another file\n", *why);
        return false;
    }
    return true;
}

bool exists(const std::string& name) { return !name.empty() && out::resolveOutput(name).exists; }

// Leave to replace each output: the report, the plot file, the points file,
// the LandXML file.
struct Replace {
    bool report = false, plot = false, points = false, landxml = false;
};

// The temporaries of the outputs; the files of those names are not touched.
bool openOutputs(const std::string& report, const std::string& plot, const OutputOptions& options,
                 Replace replace, std::ostream& diagnostics, RunFiles& files) {
    auto open = [&](const std::string& name, bool mayReplace, const char* role) {
        auto file = std::make_unique<out::OutputFile>(
            name, mayReplace ? out::Existing::Replace : out::Existing::Keep);
        if (!file->ready())
            diagnostics << fmt::format("bridgeplan: cannot write {} '{}': {}\n", role, name,
                                       name.empty() ? "no name given" : file->reason());
        return file;
    };
    files.report = open(report, replace.report, REPORT);
    if (!files.report->ready()) return false;
    if (!plot.empty()) {
        files.plotFile = open(plot, replace.plot, PLOT);
        if (!files.plotFile->ready()) return false;
    }
    if (!options.points.empty()) {
        files.pointsFile = open(options.points, replace.points, POINTS);
        if (!files.pointsFile->ready()) return false;
        files.points = std::make_unique<PointsTable>(files.pointsFile->stream());
    }
    if (!options.landxml.empty()) {
        files.landxmlFile = open(options.landxml, replace.landxml, LANDXML);
        if (!files.landxmlFile->ready()) return false;
    }
    return true;
}

// The points table and the LandXML file have no question of their own: an
// existing one needs --force.
bool acceptExtra(const OutputOptions& options, const char* role, const std::string& name,
                 out::FileNames& names, std::ostream& diagnostics) {
    if (!acceptName(names, role, name, diagnostics)) return false;
    if (!options.force && exists(name)) {
        diagnostics << "bridgeplan: " << role << " " << name << " exists; use --force to replace it\n";
        return false;
    }
    return true;
}

bool acceptPoints(const OutputOptions& options, out::FileNames& names, std::ostream& diagnostics) {
    return acceptExtra(options, POINTS, options.points, names, diagnostics) &&
           acceptExtra(options, LANDXML, options.landxml, names, diagnostics);
}

// One line of console input; nothing at end of file.
std::optional<std::string> readLine(std::istream& in) {
    std::string line;
    if (!std::getline(in, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// The overwrite question: "Y" or "y" as the first character agrees.
bool mayOverwrite(std::istream& in, std::ostream& out) {
    out << " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) \n" << std::flush;
    auto answer = readLine(in);
    char first = (answer && !answer->empty()) ? (*answer)[0] : ' ';
    if (first == 'Y' || first == 'y') return true;
    out << " EXITING PROGRAM\n" << std::flush;
    return false;
}

constexpr Connection STOP{false, exit_status::NOT_STARTED};

}   // namespace

Connection SETIO(std::istream& in, std::ostream& out, std::ostream& diagnostics, const OutputOptions& options,
                 RunFiles& files) {
    out::FileNames names;
    out << " ENTER INPUT FILE NAME:" << std::flush;
    auto deckName = readLine(in);
    if (!deckName) return STOP;
    std::string deck = trimName(*deckName);
    if (!openDeck(deck, diagnostics, files, names)) return STOP;

    out << " ENTER OUTPUT FILE NAME:" << std::flush;
    auto reportName = readLine(in);
    if (!reportName) return STOP;
    std::string report = trimName(*reportName);
    if (!acceptName(names, REPORT, report, diagnostics)) return STOP;
    Replace replace;
    replace.report = exists(report);
    if (replace.report && !mayOverwrite(in, out)) return STOP;

    out << " IF YOU ARE NOT REQUESTING A PLOT, SIMPLY <RETURN>.\n\n"
        << " OTHERWISE, ENTER OUTPUT NAME: (INTERGRAPH FILE)" << std::flush;
    auto plotName = readLine(in);
    if (!plotName) return STOP;
    // A name that begins with a blank (or no name) means no plot.
    std::string plot = (plotName->empty() || (*plotName)[0] == ' ') ? "" : trimName(*plotName);
    if (!acceptName(names, PLOT, plot, diagnostics)) return STOP;
    replace.plot = exists(plot);
    if (replace.plot && !mayOverwrite(in, out)) return STOP;

    if (!acceptPoints(options, names, diagnostics)) return STOP;
    // Only the files the answers gave leave to replace may be replaced; a
    // name that was free must still be free when the run ends.
    replace.points = replace.landxml = options.force;
    if (!openOutputs(report, plot, options, replace, diagnostics, files)) return STOP;
    return {true, exit_status::DONE};
}

Connection connectFiles(const std::string& deck, const std::string& report, const std::string& plot,
                        const OutputOptions& options, std::ostream& diagnostics, RunFiles& files) {
    out::FileNames names;
    if (!openDeck(deck, diagnostics, files, names)) return STOP;
    if (!acceptName(names, REPORT, report, diagnostics)) return STOP;
    if (!acceptName(names, PLOT, plot, diagnostics)) return STOP;
    for (const std::string& name : {report, plot}) {
        if (!options.force && exists(name)) {
            diagnostics << fmt::format("bridgeplan: '{}' already exists; use --force to replace it\n", name);
            return STOP;
        }
    }
    if (!acceptPoints(options, names, diagnostics)) return STOP;
    const bool force = options.force;
    if (!openOutputs(report, plot, options, {force, force, force, force}, diagnostics, files)) return STOP;
    return {true, exit_status::DONE};
}

int closeFiles(RunFiles& files, int runStatus, std::ostream& diagnostics,
               std::span<out::OutputFile* const> drawings) {
    if (files.points) files.points->flush();
    if (files.landxml && files.landxmlFile) files.landxml->save(files.landxmlFile->stream());
    std::vector<out::OutputFile*> outputs{files.report.get()};
    if (files.plotFile) outputs.push_back(files.plotFile.get());
    if (files.pointsFile) outputs.push_back(files.pointsFile.get());
    if (files.landxmlFile) outputs.push_back(files.landxmlFile.get());
    outputs.insert(outputs.end(), drawings.begin(), drawings.end());
    out::OutputFile* failed = nullptr;
    if (out::commitTogether(outputs, failed)) return runStatus;
    const char* role = failed == files.report.get()        ? "report"
                       : failed == files.plotFile.get()    ? "plot file"
                       : failed == files.pointsFile.get()  ? "points file"
                       : failed == files.landxmlFile.get() ? "LandXML file"
                                                           : "drawing";
    diagnostics << fmt::format(
        "bridgeplan: the {} '{}' could not be written in full: {}; no output file was changed\n", role,
        failed->name(), failed->reason());
    return exit_status::INCOMPLETE;
}

}   // namespace bp
