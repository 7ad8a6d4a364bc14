#pragma once
// Whole runs of bridgeplan on in-memory decks, for the hostile-deck tests:
// a run's report, plot, diagnostics and exit status, and the example decks.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "run/driver.hpp"

namespace bp::hostile {

struct DeckRun {
    std::string report, plot, diagnostics;
    int status = 0;
    int abandoned = 0;
};

inline DeckRun runDeck(const std::string& deck) {
    std::istringstream in(deck);
    std::ostringstream report, plot, diagnostics;
    RunClock clock;
    const RunResult result = MAIN(in, report, plot, diagnostics, clock, ReportMode::Rendered);
    return {report.str(), plot.str(), diagnostics.str(), result.exitStatus, result.abandoned};
}

inline std::filesystem::path sourceDir() {
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path();
}

inline std::string readText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

inline std::string exampleDeck(const std::string& name) {
    return readText(sourceDir() / "examples" / (name + ".deck"));
}

inline std::vector<std::string> cardsOf(const std::string& deck) {
    std::vector<std::string> cards;
    std::istringstream in(deck);
    for (std::string line; std::getline(in, line);) cards.push_back(line);
    return cards;
}

inline std::string deckOf(const std::vector<std::string>& cards) {
    std::string deck;
    for (const auto& card : cards) deck += card + "\n";
    return deck;
}

// The error number of the first "ERROR" record of a report, 0 without one.
inline int errorNumber(const std::string& report) {
    const auto at = report.find("\nERROR");
    if (at == std::string::npos) return 0;
    return std::stoi(report.substr(at + 6, 3));
}

}   // namespace bp::hostile
