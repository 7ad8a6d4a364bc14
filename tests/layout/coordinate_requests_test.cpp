// Coordinate request groups: every requested point is located on the
// mainline piece it lies beside, and the card's marks say what follows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "layout/layout_parts.hpp"
#include "span_harness.hpp"

using namespace bp;
using bp::test::CardImage;
using bp::test::LayoutRun;

namespace {

// The curved mainline of the layout tests with a level profile at 100.
std::vector<std::string> deck(const std::string& groupCard, const std::vector<std::string>& more) {
    std::vector<std::string> cards = bp::test::alignment(true);
    for (std::string card : {"3", "4    100.", "5LVL"}) cards.push_back(CardImage().at(1, card));
    cards.push_back(groupCard);
    cards.insert(cards.end(), more.begin(), more.end());
    return cards;
}

std::string group(int count, const std::string& last, const std::string& yes) {
    return CardImage()
        .at(1, "8COOR")
        .at(9, fmt::format("{:3d}", count))
        .at(13, last)
        .at(18, "POINTS")
        .at(74, yes);
}

std::string request(int number, double x, double y) {
    return CardImage()
        .at(1, "C")
        .at(3, fmt::format("{:2d}", number))
        .at(5, "PT")
        .at(9, fmt::format("{:10.4f}", x))
        .at(19, fmt::format("{:10.4f}", y))
        .at(29, "REQUESTED POINT");
}

}   // namespace

TEST(CoordinateRequests, PointsBesideEachPiece) {
    struct Case {
        double station, offset;
    } cases[] = {{200.0, 0.0}, {1000.0, 7.5}, {1750.25, -4.25}, {2300.0, 12.0}, {320.5, -6.0}};
    std::vector<std::string> cards;
    LayoutRun probe(deck(group(1, "LAST", ""), {}));
    readAlignmentGroups(test::roadwayCards(probe.ctx));
    std::vector<StationOffset> expected;
    int i = 0;
    for (const Case& c : cases) {
        const StationPoint p = PointAtStation(probe.ctx.alignment, probe.ctx.lines, c.station);
        const double x = p.x + c.offset * std::cos(p.theta), y = p.y + c.offset * std::sin(p.theta);
        cards.push_back(request(++i, x, y));
        expected.push_back(StationOffsetOfPoint(probe.ctx.alignment, probe.ctx.lines,
                                                std::stod(fmt::format("{:.4f}", x)),
                                                std::stod(fmt::format("{:.4f}", y))));
    }
    LayoutRun run(deck(group(5, "LAST", "YES"), cards));
    readAlignmentGroups(test::roadwayCards(run.ctx));
    EXPECT_EQ(runSpanCard(run.ctx), AfterSpan::EndOfProblem);   // "LAST" wins over "YES"
    auto records = run.records();
    ASSERT_GE(records.size(), 5u);
    records.erase(records.begin(), records.end() - 5);
    for (int k = 0; k < 5; ++k) {
        const std::string& row = records[k];
        SCOPED_TRACE(row);
        ASSERT_EQ(row.substr(0, 6), fmt::format("0 P{:3d}", k + 1));
        // Station hundreds (record columns 7-13), "+", tens, rest (14-21).
        const double hundreds = std::stod(row.substr(6, 7));
        const double station =
            hundreds * 100 + std::stod(row.substr(14, 1)) * 10 + std::stod(row.substr(15, 6));
        EXPECT_NEAR(station, cases[k].station, 2e-4);
        EXPECT_EQ(row.substr(21, 11), fmt::format("{:11.4f}", 100.0));
        EXPECT_EQ(row.substr(33, 10), fmt::format("{:10.4f}", expected[k].offset));
        EXPECT_NEAR(std::fabs(expected[k].offset), std::fabs(cases[k].offset), 2e-4);
        EXPECT_EQ(row.substr(67, 30), "  PT    REQUESTED POINT");
    }
}

TEST(CoordinateRequests, WhatFollowsTheGroup) {
    const std::string onLine = request(1, 0.0, 100.0 / bp::test::DEG / 10.0);
    {
        LayoutRun run(deck(group(1, "", "YES"), {onLine}));
        readAlignmentGroups(test::roadwayCards(run.ctx));
        EXPECT_EQ(runSpanCard(run.ctx), AfterSpan::NewLines);
        EXPECT_TRUE(run.ctx.firstSpan);   // a group is not a span
        // The reference point of the curve lies on the mainline.
        EXPECT_EQ(run.records().back().substr(0, 43), "0 P  1     10+00.0000   100.0000     0.0000");
    }
    {
        LayoutRun run(deck(group(1, "", ""), {onLine, group(1, "LAST", ""), onLine}));
        readAlignmentGroups(test::roadwayCards(run.ctx));
        EXPECT_EQ(runSpanCard(run.ctx), AfterSpan::NextSpan);
        EXPECT_EQ(runSpanCard(run.ctx), AfterSpan::EndOfProblem);
    }
}
