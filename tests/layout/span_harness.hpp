#pragma once
// A problem's layout phase on in-memory streams: the deck is a list of
// card images, the report is kept in ASA form (carriage control first) so
// that tests read records column by column.

#include <sstream>
#include <string>
#include <vector>

#include "bridgeplan/errors.hpp"
#include "run/run_context.hpp"

namespace bp::test {

struct LayoutRun {
    std::istringstream deckText;
    std::ostringstream reportText, plotText;
    DeckReader deck{deckText};
    Report report{reportText, ReportMode::Asa};
    RunContext ctx{deck, report, plotText};

    explicit LayoutRun(const std::vector<std::string>& cards) {
        std::string all;
        for (const auto& c : cards) all += c + "\n";
        deckText.str(all);
        ctx.problem.number = "  17";
    }

    // The records written so far, one string each.
    std::vector<std::string> records() {
        report.flush();
        std::vector<std::string> out;
        std::istringstream in(reportText.str());
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }

    // Runs f; the error number it abandons the problem with, or 0.
    template <class F>
    int errorOf(F&& f) {
        try {
            f();
        } catch (const ProblemAbandoned& e) {
            return e.number();
        }
        return 0;
    }
};

// A card image with text placed at 1-based columns over blanks.
class CardImage {
public:
    CardImage() : s_(80, ' ') {}
    CardImage& at(int col, const std::string& text) {
        s_.replace(col - 1, text.size(), text);
        return *this;
    }
    operator std::string() const { return s_; }

private:
    std::string s_;
};

}  // namespace bp::test
