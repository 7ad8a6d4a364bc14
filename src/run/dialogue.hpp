#pragma once
// The file dialogue: asks on the console for the input deck, the report and
// the optional plot file, guards existing files against overwriting, and
// connects the three streams of the run.

#include <cstdio>
#include <fstream>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace bp {

// The connected files of a run. The plot is a real file, or an anonymous
// scratch file deleted by the system at exit when no plot was asked for.
struct RunFiles {
    std::ifstream deck;
    std::ofstream report;
    std::unique_ptr<std::ostream> plot;
    std::unique_ptr<std::streambuf> plotBuffer;
    std::FILE* scratch = nullptr;
    // Write buffers of the report and plot files: a batch run's output goes
    // to disk in large blocks rather than in many small writes.
    static constexpr std::size_t WRITE_BUFFER = 1 << 18;
    std::unique_ptr<char[]> reportBuffer, plotFileBuffer;
    ~RunFiles();
};

// Outcome of connecting the files: ready, or the exit status to end with.
struct Connection {
    bool ready = false;
    int exitStatus = 0;
};

// The console dialogue. Prompts go to `out`, answers come from `in`,
// complaints to `diagnostics`. The deck is opened and checked before any
// output file is created or truncated.
Connection SETIO(std::istream& in, std::ostream& out, std::ostream& diagnostics, RunFiles& files);

// The command-line form: no questions; an existing output file is refused
// (exit status 2) unless `force`. An empty plot name means no plot.
Connection connectFiles(const std::string& deck, const std::string& report,
                        const std::string& plot, bool force, std::ostream& diagnostics,
                        RunFiles& files);

// A file name as typed: trailing blanks are not part of it.
std::string trimName(std::string name);

}  // namespace bp
