#include "run/dialogue.hpp"

#include <cerrno>
#include <cstring>
#include <ext/stdio_filebuf.h>
#include <filesystem>
#include <iostream>

#include <fmt/format.h>

namespace bp {
namespace fs = std::filesystem;

RunFiles::~RunFiles() {
    if (plot) plot->flush();
    plot.reset();
    plotBuffer.reset();
    if (scratch) std::fclose(scratch);
}

std::string trimName(std::string name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\r' || name.back() == '\t'))
        name.pop_back();
    return name;
}

namespace {

bool openDeck(const std::string& name, std::ostream& diagnostics, RunFiles& files) {
    std::error_code ec;
    if (name.empty() || !fs::is_regular_file(name, ec)) {
        diagnostics << fmt::format("bridgeplan: cannot read the input deck '{}': {}\n", name,
                                   name.empty() ? "no name given" : "no such file");
        return false;
    }
    files.deck.open(name, std::ios::binary);
    if (!files.deck) {
        diagnostics << fmt::format("bridgeplan: cannot read the input deck '{}': {}\n", name,
                                   std::strerror(errno));
        return false;
    }
    return true;
}

bool openOutputs(const std::string& report, const std::string& plot, std::ostream& diagnostics,
                 RunFiles& files) {
    files.reportBuffer = std::make_unique_for_overwrite<char[]>(RunFiles::WRITE_BUFFER);
    files.report.rdbuf()->pubsetbuf(files.reportBuffer.get(), RunFiles::WRITE_BUFFER);
    files.report.open(report, std::ios::binary | std::ios::trunc);
    if (!files.report) {
        diagnostics << fmt::format("bridgeplan: cannot write the report '{}': {}\n", report,
                                   std::strerror(errno));
        return false;
    }
    if (plot.empty()) {
        // No plot asked for: the commands go to a scratch file the system
        // deletes at exit.
        files.scratch = std::tmpfile();
        if (!files.scratch) {
            diagnostics << "bridgeplan: cannot create a scratch file for the plot commands\n";
            return false;
        }
        files.plotBuffer = std::make_unique<__gnu_cxx::stdio_filebuf<char>>(files.scratch, std::ios::out);
        files.plot = std::make_unique<std::ostream>(files.plotBuffer.get());
        return true;
    }
    auto file = std::make_unique<std::ofstream>();
    files.plotFileBuffer = std::make_unique_for_overwrite<char[]>(RunFiles::WRITE_BUFFER);
    file->rdbuf()->pubsetbuf(files.plotFileBuffer.get(), RunFiles::WRITE_BUFFER);
    file->open(plot, std::ios::binary | std::ios::trunc);
    if (!*file) {
        diagnostics << fmt::format("bridgeplan: cannot write the plot file '{}': {}\n", plot,
                                   std::strerror(errno));
        return false;
    }
    files.plot = std::move(file);
    return true;
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
    out << " OUTPUT FILE ALREADY EXISTS.  DO YOU WISH TO DELETE IT [DEFAULT IS N]? (Y/N) \n"
        << std::flush;
    auto answer = readLine(in);
    char first = (answer && !answer->empty()) ? (*answer)[0] : ' ';
    if (first == 'Y' || first == 'y') return true;
    out << " EXITING PROGRAM\n" << std::flush;
    return false;
}

}  // namespace

Connection SETIO(std::istream& in, std::ostream& out, std::ostream& diagnostics, RunFiles& files) {
    out << " ENTER INPUT FILE NAME:" << std::flush;
    auto deckName = readLine(in);
    if (!deckName) return {false, 0};
    std::string deck = trimName(*deckName);
    if (!openDeck(deck, diagnostics, files)) return {false, 2};

    out << " ENTER OUTPUT FILE NAME:" << std::flush;
    auto reportName = readLine(in);
    if (!reportName) return {false, 0};
    std::string report = trimName(*reportName);
    std::error_code ec;
    if (!report.empty() && fs::exists(report, ec) && !mayOverwrite(in, out)) return {false, 0};

    out << " IF YOU ARE NOT REQUESTING A PLOT, SIMPLY <RETURN>.\n\n"
        << " OTHERWISE, ENTER OUTPUT NAME: (INTERGRAPH FILE)" << std::flush;
    auto plotName = readLine(in);
    if (!plotName) return {false, 0};
    // A name that begins with a blank (or no name) means no plot.
    std::string plot = (plotName->empty() || (*plotName)[0] == ' ') ? "" : trimName(*plotName);
    if (!plot.empty() && fs::exists(plot, ec) && !mayOverwrite(in, out)) return {false, 0};

    if (!openOutputs(report, plot, diagnostics, files)) return {false, 2};
    return {true, 0};
}

Connection connectFiles(const std::string& deck, const std::string& report,
                        const std::string& plot, bool force, std::ostream& diagnostics,
                        RunFiles& files) {
    if (!openDeck(deck, diagnostics, files)) return {false, 2};
    std::error_code ec;
    for (const std::string& name : {report, plot}) {
        if (!name.empty() && !force && fs::exists(name, ec)) {
            diagnostics << fmt::format(
                "bridgeplan: '{}' already exists; use --force to replace it\n", name);
            return {false, 2};
        }
    }
    if (!openOutputs(report, plot, diagnostics, files)) return {false, 2};
    return {true, 0};
}

}  // namespace bp
