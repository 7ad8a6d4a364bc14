#pragma once
// A problem's layout phase on in-memory streams: the deck is a list of
// card images, the report is kept in ASA form (carriage control first) so
// that tests read records column by column.

#include <sstream>
#include <string>
#include <vector>

#include "alignment/alignment_parts.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "run/run_context.hpp"

#include "../error_of.hpp"

namespace bp::test {

// The roadway card readers' view of a run: its deck, report, alignment,
// line slots and project frame.
inline RoadwayCards roadwayCards(RunContext& ctx) {
    return RoadwayCards{ctx.deck, ctx.report, ctx.alignment, ctx.lines, ctx.project};
}

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
        return testing::errorOf(f);
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

inline constexpr double DEG = PI / 180.0;

// Back station 0, ahead 5000, reference station 1000 at 90 degrees (the
// mainline heads +X there). `curve`: a 10-degree curve from P.C. 500 to
// P.T. 2000 between two tangents (radius 100 / (10 degrees in radians) =
// 572.9578 ft); otherwise one straight, y = 10000.
inline std::vector<std::string> alignment(bool curve) {
    std::vector<std::string> cards = {
        CardImage().at(1, "1").at(12, "5000.").at(22, "1000.").at(32, " 90").at(51, "R").at(52, "6.")};
    if (curve)
        cards.push_back(CardImage().at(1, "2").at(10, "500.").at(20, "10").at(28, "2000."));
    else
        cards.push_back(CardImage().at(1, "2"));
    return cards;
}

// A bent card with C = 1.
inline std::string bent(const std::string& code, const std::string& type, const std::string& station,
                        const std::string& skew = "", const std::string& second = "",
                        const std::string& number = " 1", const std::string& remarks = "") {
    return CardImage()
        .at(1, code)
        .at(2, "1")
        .at(3, number)
        .at(5, type)
        .at(9, station)
        .at(19, skew)
        .at(27, second)
        .at(37, remarks);
}

// A run of the alignment cards followed by `more`, with the alignment read.
struct Layout : LayoutRun {
    Layout(bool curve, const std::vector<std::string>& more) : LayoutRun(concat(alignment(curve), more)) {
        readLocationCard(roadwayCards(ctx));
        readHorizontalCurveCard(roadwayCards(ctx));
    }
    static std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
    const TransverseLine& slot(int i) { return ctx.transverse[i]; }
    const Bent& bentRecord(int k) { return ctx.bents[k]; }
    // Is the plan point on the slot's line?
    double residual(int i, double x, double y) {
        const TransverseLine& l = slot(i);
        return l.form == 1 ? y - l.slope * x - l.intercept : x - l.slope * y - l.intercept;
    }
};

}   // namespace bp::test
