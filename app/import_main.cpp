// bridgeplan-import: writes the alignment cards of a problem (problem,
// location, tie, horizontal and vertical curve, crown cards) for a window
// of stations of a road in a LandXML 1.2 file.
//
//   bridgeplan-import FILE.xml --from STATION --to STATION [--alignment NAME]
//                     [--profile NAME] [--problem N] [-o DECK] [--force]

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <CLI/CLI.hpp>

#include "import/importer.hpp"

namespace {

// The deck is written to a temporary file beside DECK and moved into place
// only when it is complete, so a failed write never leaves half a deck and
// an existing DECK is replaced only with --force (without it, the final link
// fails if a file of that name appeared meanwhile).
bool writeDeck(const std::string& path, const std::string& text, bool force, std::string& why) {
    namespace fs = std::filesystem;
    if (!force && fs::exists(path)) {
        why = "it exists; use --force to replace it";
        return false;
    }
    const fs::path target(path);
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    const mode_t mask = ::umask(0);  // a new deck gets the mode any new file gets
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    const char* p = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            why = std::strerror(n < 0 ? errno : ENOSPC);
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        why = std::strerror(errno);
        ::unlink(temp.c_str());
        return false;
    }
    const int moved = force ? ::rename(temp.c_str(), path.c_str()) : ::link(temp.c_str(), path.c_str());
    const int err = errno;
    if (!force || moved != 0) ::unlink(temp.c_str());
    if (moved != 0) {
        why = err == EEXIST ? "it exists; use --force to replace it" : std::strerror(err);
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"bridgeplan-import: writes the alignment cards of a bridgeplan problem (problem, "
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

    bp::import::ImportedDeck deck;
    try {
        deck = bp::import::importDeck(request);
    } catch (const bp::import::ImportRefused& refused) {
        std::cerr << "bridgeplan-import: " << request.path << ": " << refused.what() << "\n";
        return 1;
    }
    for (const std::string& note : deck.notes.lines) std::cerr << "bridgeplan-import: " << note << "\n";
    if (output.empty()) {
        std::cout << deck.cards << std::flush;
        return std::cout ? 0 : 1;
    }
    std::string why;
    if (!writeDeck(output, deck.cards, force, why)) {
        std::cerr << "bridgeplan-import: cannot write the deck " << output << ": " << why << "\n";
        return 2;
    }
    return 0;
}
