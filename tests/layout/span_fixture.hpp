#pragma once
// A run context on string streams for the span parts: the deck is the
// given cards, the report is kept raw (carriage control in column 0 of
// each line, so print column c is index c).

#include <fmt/format.h>

#include <sstream>
#include <string>
#include <vector>

#include "run/deck_reader.hpp"
#include "run/report.hpp"
#include "run/run_context.hpp"

namespace bp::testing {

struct SpanFixture {
    explicit SpanFixture(const std::string& cards = "")
        : deckText(cards),
          reader(deckText),
          report(reportText, ReportMode::Asa),
          ctx(reader, report, plotText) {}

    // The report records written so far, one string per record.
    std::vector<std::string> records() {
        report.flush();
        std::vector<std::string> out;
        std::istringstream in(reportText.str());
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }

    std::istringstream deckText;
    DeckReader reader;
    std::ostringstream reportText;
    Report report;
    std::ostringstream plotText;
    RunContext ctx;
};

// A transverse-line card in its columns: T, NO. (I2), LINE, CODE, B,
// V1 (F10.4), RL (I2), V2 (F8.4), B, RL (I2), C (I1), remarks (14), skips.
inline std::string tLineCard(int no, const char* line, const char* code, char b1, double v1, int rl1,
                             double v2, char b2 = ' ', int rl2 = 0, int c = 0, const char* remarks = "",
                             const char* skips = "") {
    return fmt::format("T{:2d}{:<4}{:<4}{}{:10.4f}{:2d}{:8.4f}{}{:2d}{:1d}{:<14}{:<30}\n", no, line, code, b1,
                       v1, rl1, v2, b2, rl2, c, remarks, skips);
}

}   // namespace bp::testing
