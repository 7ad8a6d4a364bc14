// The span output page of whole decks: which rows each "LONG. LINE" table
// holds under the skip flags, and DT TO PP by the previous point of the
// same transverse line, never a point of an earlier span.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "run/driver.hpp"
#include "span_fixture.hpp"

using namespace bp;

namespace {

// Straight roadway heading +X from station 0 at X = -500, Y = 1000, level.
const char* const ROADWAY =
    "1    0.0000 1000.0000  500.0000 90 0 0.0 1000.0000S 5.00\n"
    "2 0 0 0.0    0.0000 0 0 0.0    0.0000 0 0 0.0\n"
    "3    0.0000    0.0000    0.0000\n"
    "4 100.000  1.50000   0.00  0.00000   0.00  0.00000\n"
    "5LVL\n";

struct PrintedRow {
    std::string label;   // " B  1", " T  2"
    double distPrev = 0;
    std::string angle;   // print columns 63-75
    std::string record;
    bool overprinted = false;   // a "+" record follows with the angle's sign
};

// Rows of every table: key (span id, line number).
using Tables = std::map<std::pair<std::string, int>, std::vector<PrintedRow>>;

struct DeckRun {
    RunResult result;
    std::string report;
    Tables tables;
};

DeckRun runDeck(const std::string& deck) {
    std::istringstream in(deck);
    std::ostringstream report, plot, diagnostics;
    DeckRun run;
    run.result = MAIN(in, report, plot, diagnostics, RunClock{}, ReportMode::Asa);
    run.report = report.str();
    std::istringstream lines(run.report);
    std::string span;
    int line = 0;
    for (std::string rec; std::getline(lines, rec);) {
        if (rec.find(" INPUT DATA") != std::string::npos) {
            span.clear();
            line = 0;
        } else if (auto at = rec.find(" OUTPUT DATA"); at != std::string::npos) {
            span = rec.substr(at - 2, 2);
            line = 0;
        } else if (auto l = rec.find("LONG. LINE"); l != std::string::npos && !span.empty()) {
            line = std::stoi(rec.substr(l + 10, 3));
            run.tables[{span, line}];
        } else if (line > 0 && rec.size() > 62 &&
                   (rec.compare(0, 4, "0 B ") == 0 || rec.compare(0, 4, "0 T ") == 0)) {
            run.tables[{span, line}].push_back(
                {rec.substr(1, 5), std::stod(rec.substr(53, 10)), rec.substr(63, 13), rec});
        } else if (line > 0 && rec.compare(0, 1, "+") == 0 && !run.tables[{span, line}].empty()) {
            run.tables[{span, line}].back().overprinted = true;
        }
    }
    return run;
}

std::vector<std::string> labels(const std::vector<PrintedRow>& rows) {
    std::vector<std::string> out;
    for (const auto& r : rows) out.push_back(r.label);
    return out;
}

}   // namespace

TEST(SpanReport, SkipFlagsAndDistanceToPreviousPoint) {
    using bp::testing::tLineCard;
    std::string deck = std::string("*B020101SPAN REPORT RULES\n") + ROADWAY +
                       "7 1CRD     12.0000    0.0000    0.0000    0.00001NOT REPORTED\n"
                       "7 2CRD      6.0000    0.0000    0.0000    0.00000GIRDER 1\n"
                       "7 3CRD      0.0000    0.0000    0.0000    0.00000GIRDER 2\n"
                       "7 4CRD     -6.0000    0.0000    0.0000    0.00000GIRDER 3\n"
                       "7 5END\n"
                       "8SPAN  1  2      FIRST SPAN\n"
                       "B1 1SKEW  400.0000       0    0.0000ABUT 1\n"
                       "A1 2SKEW  450.0000       0    0.0000PIER 2        01\n" +
                       tLineCard(1, "SKEW", "", ' ', 420.0, 0, 0.0, ' ', 0, 0, "DIAPHRAGM", "001") +
                       tLineCard(2, "CONS", "DIST", 'B', 10.0, 0, 0.0) +
                       "8SPAN  2  1 LAST SECOND SPAN\n"
                       "B1 2SAME    0.0000       0    0.0000\n"
                       "A1 3SKEW  500.0000       0    0.0000ABUT 3\n" +
                       tLineCard(1, "SKEW", "", ' ', 470.0, 0, 0.0);
    DeckRun run = runDeck(deck);
    ASSERT_EQ(run.result.abandoned, 0) << run.report;
    const Tables& t = run.tables;

    // Line 1 (SK. 1) has no table; the ahead bent skips line 2, T-line 1 line 3.
    EXPECT_EQ(t.count({" 1", 1}), 0u);
    EXPECT_EQ(labels(t.at({" 1", 2})), (std::vector<std::string>{" B  1", " T  1", " T  2"}));
    EXPECT_EQ(labels(t.at({" 1", 3})), (std::vector<std::string>{" B  1", " T  2", " B  2"}));
    EXPECT_EQ(labels(t.at({" 1", 4})), (std::vector<std::string>{" B  1", " T  1", " T  2", " B  2"}));

    // First points of each transverse line in the span: 0; then the 6 ft
    // spacing of the square lines; 0 after a line the transverse line skips;
    // 0 on a constant-distance line, whose angle is 0.
    auto prev = [&](const char* span, int line, std::size_t row) {
        return t.at({span, line}).at(row).distPrev;
    };
    EXPECT_EQ(prev(" 1", 2, 0), 0.0);
    EXPECT_EQ(prev(" 1", 2, 1), 0.0);
    EXPECT_EQ(prev(" 1", 3, 0), 6.0);
    EXPECT_EQ(prev(" 1", 3, 2), 0.0);   // the ahead bent's first point
    EXPECT_EQ(prev(" 1", 4, 0), 6.0);
    EXPECT_EQ(prev(" 1", 4, 1), 0.0);   // T-line 1 skips line 3
    EXPECT_EQ(prev(" 1", 4, 3), 6.0);
    for (int line = 2; line <= 4; ++line) {
        const PrintedRow& cons = t.at({" 1", line}).at(line == 2 ? 2 : line == 3 ? 1 : 2);
        EXPECT_EQ(cons.label, " T  2");
        EXPECT_EQ(cons.distPrev, 0.0);
        EXPECT_EQ(cons.angle, "    0-00-00.0");
    }

    // The second span starts afresh: its first table measures to nothing of
    // the first span, though line 1 before it is left out.
    EXPECT_EQ(labels(t.at({" 2", 2})), (std::vector<std::string>{" B  2", " T  1", " B  3"}));
    for (const auto& row : t.at({" 2", 2})) EXPECT_EQ(row.distPrev, 0.0) << row.record;
    for (int line = 3; line <= 4; ++line)
        for (const auto& row : t.at({" 2", line})) EXPECT_EQ(row.distPrev, 6.0) << row.record;
}

TEST(SpanReport, SpanWithoutTransverseLinesHasBentRowsOnly) {
    std::string deck = std::string("*B020102BENT ROWS ONLY\n") + ROADWAY +
                       "7 1CRD      6.0000    0.0000    0.0000    0.00000GIRDER 1\n"
                       "7 2CRD     -6.0000    0.0000    0.0000    0.00000GIRDER 2\n"
                       "7 3END\n"
                       "8SPAN  1  0 LAST\n"
                       "B1 1SKEW  400.0000 3000000    0.0000ABUT 1\n"
                       "A1 2SKEW  460.0000 3000000    0.0000ABUT 2\n";
    DeckRun run = runDeck(deck);
    ASSERT_EQ(run.result.abandoned, 0) << run.report;
    EXPECT_EQ(labels(run.tables.at({" 1", 1})), (std::vector<std::string>{" B  1", " B  2"}));
    EXPECT_EQ(labels(run.tables.at({" 1", 2})), (std::vector<std::string>{" B  1", " B  2"}));
    // Bents skewed 30 degrees on straight girders: 60 degrees between the lines.
    const PrintedRow& back = run.tables.at({" 1", 2}).at(0);
    EXPECT_EQ(back.angle, "  -60-00-00.0");
    EXPECT_NEAR(back.distPrev, 12.0 / std::cos(30.0 * 3.141592653589794 / 180.0), 0.00006);
    EXPECT_EQ(back.record.substr(43, 10), "    0.0000");   // DT TO BT of the back bent
    EXPECT_EQ(run.tables.at({" 1", 2}).at(1).record.substr(43, 10), "   60.0000");
}

TEST(SpanReport, ParallelTransverseLinesLieAheadOfTheBackBentAndBehindTheAheadBent) {
    using bp::testing::tLineCard;
    // The same span on a road heading +X and on one heading -X (where the
    // moved line must be mirrored to stay on its side of the bent).
    for (const char* location : {"1    0.0000 1000.0000  500.0000 90 0 0.0 1000.0000S 5.00\n",
                                 "1    0.0000 1000.0000  500.0000-90 0 0.0 1000.0000S 5.00\n"}) {
        std::string roadway = ROADWAY;
        roadway.replace(0, roadway.find('\n') + 1, location);
        std::string deck = std::string("*B020103PARALLEL T-LINES\n") + roadway +
                           "7 1CRD      0.0000    0.0000    0.0000    0.00000CL\n"
                           "7 2END\n"
                           "8SPAN  1  2 LAST\n"
                           "B1 1SKEW  400.0000 2000000    0.0000ABUT 1\n"
                           "A1 2SKEW  480.0000 2000000    0.0000ABUT 2\n" +
                           tLineCard(1, "PARL", "NORM", 'B', 20.0, 0, 0.0) +
                           tLineCard(2, "PARL", "NORM", 'A', -20.0, 0, 0.0);
        DeckRun run = runDeck(deck);
        ASSERT_EQ(run.result.abandoned, 0) << run.report;
        const auto& rows = run.tables.at({" 1", 1});
        ASSERT_EQ(rows.size(), 4u);
        // 20 ft normal to a bent skewed 20 degrees is 21.2836 ft of station.
        EXPECT_EQ(rows[1].record.substr(6, 15), "      4+21.2836") << location;
        EXPECT_EQ(rows[2].record.substr(6, 15), "      4+58.7164") << location;
        // Parallel to the bents: the same crossing angle.
        EXPECT_EQ(rows[1].angle, rows[0].angle);
        EXPECT_EQ(rows[2].angle, rows[3].angle);
    }
}

TEST(SpanReport, RadialPointOnASpiralLine) {
    using bp::testing::tLineCard;
    // A spiral edge (CTP) on a 5 degree curve and a line 8 ft inside it laid
    // out radially (RLG); T-line 1 meets the RLG line radially (C 0), T-line
    // 2 crosses it (C 1).
    std::string deck =
        "*B020104SPIRAL GIRDERS\n"
        "1 1000.0000 2000.0000 1500.0000 90 0 0.0    0.0000R 6.00\n"
        "2 0 0 0.0 1100.0000 5 0 0.0 1900.0000 0 0 0.0\n"
        "3 1000.0000    0.0000    0.0000\n"
        "4 100.000  1.00000   0.00  0.00000   0.00  0.00000\n"
        "5LVL\n"
        "7 1CTP     10.0000 1400.0000    2.0000    0.00000SPIRAL EDGE\n"
        "7 2RLG 1   -8.0000    0.0000    0.0000    0.00000RADIAL FROM EDGE\n"
        "7 3END\n"
        "8SPAN  1  2 LAST\n"
        "B1 1SKEW 1400.0000       0    0.0000ABUT 1\n"
        "A1 2SKEW 1480.0000       0    0.0000ABUT 2\n" +
        tLineCard(1, "SKEW", "", ' ', 1440.0, 0, 100.0, ' ', 0, 0, "RADIAL") +
        tLineCard(2, "SKEW", "", ' ', 1440.0, 0, 100.0, ' ', 0, 1, "CROSSED");
    DeckRun run = runDeck(deck);
    ASSERT_EQ(run.result.abandoned, 0) << run.report;
    const auto& edge = run.tables.at({" 1", 1});
    const auto& inner = run.tables.at({" 1", 2});
    ASSERT_EQ(inner.size(), 4u);
    // The radial point: 8 ft from the edge's point, angle 0 whatever the skew.
    EXPECT_EQ(inner[1].distPrev, 8.0);
    EXPECT_EQ(inner[1].angle, "    0-00-00.0");
    EXPECT_NE(inner[2].angle, "    0-00-00.0");
    // Along the inner spiral the run from the back bent shrinks with the
    // radius: about (R + 10 - 8) / (R + 10) of the edge's, R = 1145.9 ft.
    double edgeRun = std::stod(edge[1].record.substr(43, 10));
    double innerRun = std::stod(inner[1].record.substr(43, 10));
    EXPECT_NEAR(innerRun / edgeRun, (1145.916 + 2.0) / (1145.916 + 10.0), 0.0005);
    // Square bents on the curve: no sign in front of their zero angles.
    for (const auto& row : inner) {
        if (row.label[1] == 'B') {
            EXPECT_EQ(row.angle, "    0-00-00.0") << row.record;
            EXPECT_FALSE(row.overprinted) << row.record;
        }
    }
}
