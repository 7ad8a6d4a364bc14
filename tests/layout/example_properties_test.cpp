// Properties of the example decks that need no expected report: every run
// completes; every printed point lies on its transverse line and on its
// longitudinal line; the printed station and DT TO ML give back the printed
// X and Y through the alignment; DT TO PP is the distance to the previous
// point of the same transverse line. The decks run through MAIN, and once
// more span by span so that each span's tables can be checked against the
// geometry the span was built from.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "alignment/alignment_parts.hpp"
#include "alignment/point_operations.hpp"
#include "layout/layout_parts.hpp"
#include "plot/plot_writer.hpp"
#include "run/driver.hpp"
#include "run/phases.hpp"
#include "run/run_context.hpp"
#include "solver/span_shape.hpp"

using namespace bp;
namespace fs = std::filesystem;

namespace {

constexpr double TOLERANCE = 0.0005;   // ft

fs::path examplesDir() { return fs::path(__FILE__).parent_path().parent_path().parent_path() / "examples"; }

std::vector<fs::path> exampleDecks() {
    std::vector<fs::path> decks;
    if (fs::is_directory(examplesDir()))
        for (const auto& entry : fs::directory_iterator(examplesDir()))
            if (entry.path().extension() == ".deck") decks.push_back(entry.path());
    std::sort(decks.begin(), decks.end());
    return decks;
}

std::string readFile(const fs::path& p) {
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// One row of a "LONG. LINE" table as printed (raw record: control first,
// so print column c is index c).
struct Row {
    bool bent = false;
    int tline = 0;
    double station = 0, offset = 0, distBent = 0, distPrev = 0, x = 0, y = 0;
};

double field(const std::string& rec, int firstPrintColumn, int width) {
    return std::stod(rec.substr(firstPrintColumn, width));
}

Row parseRow(const std::string& rec) {
    Row r;
    r.bent = rec.compare(1, 3, " B ") == 0;
    if (!r.bent) r.tline = std::stoi(rec.substr(4, 2));
    // Station: hundreds (6-12), "+", tens digit (14), rest (15-20).
    std::string hundreds = rec.substr(6, 7);
    double h = std::stod(hundreds);
    bool negative = hundreds.find('-') != std::string::npos;
    double rest = field(rec, 14, 1) * 10 + field(rec, 15, 6);
    r.station = negative ? h * 100 - rest : h * 100 + rest;
    r.offset = field(rec, 33, 10);
    r.distBent = field(rec, 43, 10);
    r.distPrev = field(rec, 53, 10);
    r.x = field(rec, 76, 12);
    r.y = field(rec, 88, 12);
    return r;
}

// The tables of one span output page: line number -> rows in order.
std::map<int, std::vector<Row>> parseTables(const std::string& text) {
    std::map<int, std::vector<Row>> tables;
    std::istringstream in(text);
    int line = 0;
    bool output = false;
    for (std::string rec; std::getline(in, rec);) {
        if (rec.find(" OUTPUT DATA") != std::string::npos) output = true;
        if (!output) continue;
        auto at = rec.find("LONG. LINE");
        if (at != std::string::npos) {
            line = std::stoi(rec.substr(at + 10, 3));
            tables[line];
        } else if (line > 0 && rec.size() > 99 && rec[0] == '0' &&
                   (rec.compare(1, 3, " B ") == 0 || rec.compare(1, 3, " T ") == 0)) {
            tables[line].push_back(parseRow(rec));
        }
    }
    return tables;
}

double distanceToStraight(int form, double slope, double intercept, double x, double y) {
    double q = std::sqrt(slope * slope + 1);
    return form == 1 ? (y - slope * x - intercept) / q : (x - slope * y - intercept) / q;
}

// Distance from the centre of the spiral's mainline piece that a point at
// polar angle theta should have: |r0 + |a| (theta0 - theta)|, with a the
// rate (ft of radius per radian), r0 the signed radius and theta0 the
// radial direction of the spiral's reference (moved to the back bent).
double spiralDistance(const LongitudinalLine& spiral, double theta) {
    double turn = spiral.radiusSq - theta;
    turn = std::remainder(turn, 2 * std::acos(-1.0));
    return std::fabs(spiral.radius + std::fabs(spiral.slope) * turn);
}

// How far the reported point (x, y) at offset `offset` lies from the
// line's shape in the span, as the drawings ask it: off the straight, off
// the circle, off the spiral's radius at its polar angle, or off the
// mainline's moved offset.
double offShape(const SpanShape& shape, double x, double y, double offset) {
    if (const auto* s = std::get_if<shape::Straight>(&shape))
        return distanceToStraight(s->form, s->slope, s->intercept, x, y);
    if (const auto* c = std::get_if<shape::Circle>(&shape))
        return std::hypot(x - c->xc, y - c->yc) - std::sqrt(c->radiusSq);
    if (const auto* sp = std::get_if<shape::Spiral>(&shape)) {
        const double theta = std::atan2(y - sp->yc, x - sp->xc);
        const double turn = std::remainder(sp->polarAngle - theta, 2 * std::acos(-1.0));
        return std::hypot(x - sp->xc, y - sp->yc) - std::fabs(sp->radius + std::fabs(sp->rate) * turn);
    }
    return offset - std::get<shape::OffsetMainline>(shape).offset;
}

// Checks the tables of the span just run against the span's geometry;
// returns the number of points checked against a spiral.
int checkSpan(RunContext& ctx, const std::string& pageText, const std::string& where) {
    auto tables = parseTables(pageText);
    int spiralPoints = 0;
    // Previous point of each transverse slot in this span.
    std::map<int, std::pair<double, double>> previous;
    for (auto& [n, rows] : tables) {
        const LongitudinalLine& line = ctx.lines[n];
        const bool rlg = line.typeCode == Word("RLG");
        const double d = line.dr + (rlg ? ctx.lines[line.refLine].dr : 0.0);
        const int spanForm = ctx.spanLines.spanForm[n];
        const int spanState = ctx.spanLines.spanState[n];
        const SpanShape shape = ShapeInSpan(Mainline(ctx.alignment, ctx.lines), ctx.lines,
                                            spanLineOf(ctx.spanLines, ctx.lines, n));
        bool backSeen = false;
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const Row& r = rows[k];
            int slot = r.tline;
            if (r.bent) {
                bool backPresent = ctx.transverse[BACK_BENT_SLOT].skip(n) == 0;
                slot = (k == 0 && backPresent && !backSeen) ? BACK_BENT_SLOT : AHEAD_BENT_SLOT;
                backSeen = backSeen || slot == BACK_BENT_SLOT;
            }
            const TransverseLine& t = ctx.transverse[slot];
            std::string at = where + " line " + std::to_string(n) + " slot " + std::to_string(slot);

            // Station and DT TO ML give back X and Y.
            StationPoint p = PointAtStation(ctx.alignment, ctx.lines, r.station);
            const LongitudinalLine& piece = ctx.lines[MAINLINE_SLOT + p.piece];
            double nx = std::cos(p.theta), ny = std::sin(p.theta);
            if (piece.form > 0) {   // on a straight the offset follows the stored form
                double q = std::sqrt(piece.slope * piece.slope + 1);
                nx = piece.form == 1 ? -piece.slope / q : 1 / q;
                ny = piece.form == 1 ? 1 / q : -piece.slope / q;
            }
            EXPECT_NEAR(p.x + r.offset * nx, r.x, TOLERANCE) << at << " station/offset -> X";
            EXPECT_NEAR(p.y + r.offset * ny, r.y, TOLERANCE) << at << " station/offset -> Y";

            // On the transverse line (a radial point of an RLG line lies off it).
            bool radial = rlg && t.cCode == 0;
            if (t.form > 0 && !radial) {
                EXPECT_NEAR(distanceToStraight(t.form, t.slope, t.intercept, r.x, r.y), 0, TOLERANCE)
                    << at << " off its transverse line";
            }

            // On the longitudinal line as it runs in this span; a radial
            // point of an RLG line lies at DR from its reference line R
            // (N itself is only the chord or circle through its bent points).
            if (!(radial && slot <= MAX_TLINES)) {
                EXPECT_NEAR(offShape(shape, r.x, r.y, r.offset), 0, TOLERANCE)
                    << at << " off its shape in the span";
            }
            if (radial && slot <= MAX_TLINES) {
                const int ref = line.refLine;
                const LongitudinalLine& rl = ctx.lines[ref];
                const int refForm = ctx.spanLines.spanForm[ref];
                const int refState = ctx.spanLines.spanState[ref];
                if (refState < 0) {
                    EXPECT_NEAR(r.offset, d, TOLERANCE) << at << " radial point off its offset";
                } else if (refState == 0 && refForm > 0) {
                    EXPECT_NEAR(std::fabs(distanceToStraight(refForm, rl.slope, rl.intercept, r.x, r.y)),
                                std::fabs(line.dr), TOLERANCE)
                        << at << " radial point not at DR from its reference line";
                } else if (refState == 0) {
                    EXPECT_NEAR(std::hypot(r.x - rl.slope, r.y - rl.intercept), rl.radius + line.dr,
                                TOLERANCE)
                        << at << " radial point not at DR from its reference circle";
                } else {   // moved radially by DR from the reference spiral
                    const AlignmentSegment& c = ctx.alignment.segments[refState];
                    double theta = std::atan2(r.y - c.yc, r.x - c.xc);
                    EXPECT_NEAR(std::hypot(r.x - c.xc, r.y - c.yc), spiralDistance(rl, theta) + line.dr,
                                TOLERANCE)
                        << at << " radial point not at DR from its reference spiral";
                }
            } else if (spanState < 0) {
                EXPECT_NEAR(r.offset, d, TOLERANCE) << at << " off the line that follows the mainline";
            } else if (spanState == 0 && spanForm > 0) {
                EXPECT_NEAR(distanceToStraight(spanForm, line.slope, line.intercept, r.x, r.y), 0, TOLERANCE)
                    << at << " off its straight longitudinal line";
            } else if (spanState == 0) {
                EXPECT_NEAR(std::hypot(r.x - line.slope, r.y - line.intercept), line.radius, TOLERANCE)
                    << at << " off its circular longitudinal line";
            } else {   // a spiral about the centre of mainline piece spanState
                const AlignmentSegment& c = ctx.alignment.segments[spanState];
                double theta = std::atan2(r.y - c.yc, r.x - c.xc);
                EXPECT_NEAR(std::hypot(r.x - c.xc, r.y - c.yc), spiralDistance(line, theta), TOLERANCE)
                    << at << " off its spiral longitudinal line";
                ++spiralPoints;
            }

            // DT TO BT of the bent rows.
            if (slot == BACK_BENT_SLOT) {
                EXPECT_EQ(r.distBent, 0.0) << at;
            } else if (slot == AHEAD_BENT_SLOT) {
                EXPECT_NEAR(r.distBent, ctx.spanLines.spanLength[n], 0.00005) << at;
            }

            // DT TO PP: the distance to the slot's previous point in this span;
            // 0 on line 1, after a line the slot skips, and for a constant line.
            bool cons = slot <= MAX_TLINES && t.form <= 0;
            double expected = 0;
            if (!cons && n > 1 && t.skip(n - 1) == 0 && previous.count(slot))
                expected = std::hypot(r.x - previous[slot].first, r.y - previous[slot].second);
            EXPECT_NEAR(r.distPrev, expected, TOLERANCE) << at << " DT TO PP";
            if (!cons) previous[slot] = {r.x, r.y};
        }
    }
    return spiralPoints;
}

// Runs the problems of a deck span by span, checking each span; returns
// the number of spiral points checked.
int replay(const std::string& deckText, const std::string& mainReport, const std::string& name) {
    std::istringstream deckStream(deckText);
    DeckReader deck(deckStream);
    std::ostringstream reportText, plot;
    Report report(reportText, ReportMode::Asa);
    RunContext ctx(deck, report, plot);
    int spans = 0, spiralPoints = 0;
    while (auto card = deck.next()) {
        if (card->column(1) == '9') break;
        if (card->column(1) != '*') {
            ADD_FAILURE() << name << ": a problem does not start with a problem card";
            return spiralPoints;
        }
        ctx.problem.number = std::string(card->text(5, 4));
        readAlignmentGroups(RoadwayCards{ctx.deck, ctx.report, ctx.alignment, ctx.lines, ctx.project});
        ctx.drawing.reset();
        ctx.firstSpan = true;
        startPlot(ctx);
        deriveMainlineShape(ctx);
        readLongitudinalLines(ctx);
        for (bool more = true; more;) {
            report.flush();
            std::size_t start = reportText.str().size();
            AfterSpan next = runSpanCard(ctx);
            report.flush();
            std::string page = reportText.str().substr(start);
            EXPECT_NE(mainReport.find(page), std::string::npos)
                << name << ": the replay differs from the run";
            spiralPoints +=
                checkSpan(ctx, page, name + " problem " + ctx.problem.number + " span " + ctx.span.spanId);
            ++spans;
            if (next == AfterSpan::NewLines) readLongitudinalLines(ctx);
            more = next != AfterSpan::EndOfProblem;
        }
    }
    EXPECT_GT(spans, 0) << name;
    return spiralPoints;
}

}   // namespace

TEST(ExampleDecks, PointsLieOnTheirLinesAndDistancesAgree) {
    auto decks = exampleDecks();
    int spiralPoints = 0;
    for (const auto& path : decks) {
        std::string name = path.stem().string();
        std::string deckText = readFile(path);
        std::istringstream deckStream(deckText);
        std::ostringstream report, plot, diagnostics;
        RunClock clock;
        RunResult result = MAIN(deckStream, report, plot, diagnostics, clock, ReportMode::Asa);
        EXPECT_EQ(result.exitStatus, 0) << name << ": " << diagnostics.str();
        EXPECT_EQ(result.abandoned, 0) << name << ": " << diagnostics.str();
        if (result.abandoned == 0) spiralPoints += replay(deckText, report.str(), name);
    }
    EXPECT_GT(spiralPoints, 0) << "no example has a point on a spiral line";
}
