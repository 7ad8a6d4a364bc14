// What a listener of the span pages is told over whole decks: every row
// inside its page, the rows of a line before the end of its table, folded
// angles, one row told per row printed, and the report and plot untouched.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/point_listener.hpp"
#include "bridgeplan/transverse_table.hpp"
#include "run/driver.hpp"

using namespace bp;
namespace fs = std::filesystem;

namespace {

fs::path sourceDir() { return fs::path(__FILE__).parent_path().parent_path().parent_path(); }

// Checks the order of the calls as they come and counts the rows.
struct CheckingListener : PointListener {
    std::string name;
    bool open = false;
    bool coordinatePage = false;
    int lineCount = 0, lastLine = 0, rowLine = 0, rows = 0;

    void beginPage(const PageStart& page) override {
        EXPECT_FALSE(open) << name << ": a page opens inside another";
        open = true;
        coordinatePage = page.span.empty();
        EXPECT_EQ(page.problem.size(), 4u) << name;
        if (coordinatePage) {
            EXPECT_EQ(page.lineCount, 0) << name;
            EXPECT_TRUE(page.backBent.empty() && page.aheadBent.empty()) << name;
        } else {
            EXPECT_EQ(page.span.size(), 2u) << name;
            EXPECT_EQ(page.backBent.size(), 2u) << name;
            EXPECT_GT(page.lineCount, 0) << name;
        }
        lineCount = page.lineCount;
        lastLine = rowLine = 0;
    }
    void point(const PointRow& row) override {
        ++rows;
        EXPECT_TRUE(open) << name << ": a row outside a page";
        if (row.kind == "P") {
            EXPECT_TRUE(coordinatePage) << name;
            EXPECT_EQ(row.slot, 0) << name;
            EXPECT_EQ(row.line, 0) << name;
            EXPECT_FALSE(row.angle || row.dtToBt || row.dtToPp) << name;
            EXPECT_EQ(row.number, std::to_string(row.pointNumber)) << name;
            return;
        }
        EXPECT_FALSE(coordinatePage) << name;
        EXPECT_TRUE(row.kind == "T" || row.kind == "B") << name;
        EXPECT_EQ(row.kind == "B", row.slot == BACK_BENT_SLOT || row.slot == AHEAD_BENT_SLOT) << name;
        if (row.kind == "T") {
            EXPECT_EQ(row.number, std::to_string(row.slot)) << name;
        }
        EXPECT_GT(row.line, lastLine) << name << ": a row of a line whose table has ended";
        EXPECT_LE(row.line, lineCount) << name;
        if (rowLine != 0) {
            EXPECT_EQ(row.line, rowLine) << name << ": rows of two lines in one table";
        }
        rowLine = row.line;
        ASSERT_TRUE(row.angle && row.dtToBt && row.dtToPp) << name;
        EXPECT_LE(std::fabs(*row.angle), HALF_PI) << name << ": the angle is not folded";
    }
    void endLine(int line) override {
        EXPECT_TRUE(open && !coordinatePage) << name;
        EXPECT_GT(line, lastLine) << name;
        if (rowLine != 0) {
            EXPECT_EQ(line, rowLine) << name;
        }
        lastLine = line;
        rowLine = 0;
    }
    void endPage() override {
        EXPECT_TRUE(open) << name;
        open = false;
    }
};

// The point rows of a report: T-line, bent and request rows, whose
// station's "+" stands in record column 13 (the bent rows of the input
// echo and of "BENT DATA" start alike but hold no such station).
int printedRows(const std::string& report) {
    std::istringstream in(report);
    int n = 0;
    for (std::string rec; std::getline(in, rec);) {
        const bool pointRow =
            rec.compare(0, 3, "0 T") == 0 || rec.compare(0, 3, "0 B") == 0 || rec.compare(0, 3, "0 P") == 0;
        if (pointRow && rec.size() > 60 && rec[13] == '+') ++n;
    }
    return n;
}

}   // namespace

TEST(PointListener, IsToldEveryRowInPageOrderAndChangesNoOutput) {
    std::vector<fs::path> decks;
    for (const auto& entry : fs::directory_iterator(sourceDir() / "examples"))
        if (entry.path().extension() == ".deck") decks.push_back(entry.path());
    decks.push_back(sourceDir() / "tests/decks/spans_and_coordinates.deck");
    decks.push_back(sourceDir() / "tests/decks/two_spans_new_lines.deck");
    std::sort(decks.begin(), decks.end());
    ASSERT_GE(decks.size(), 3u);
    for (const fs::path& deck : decks) {
        std::ifstream file(deck);
        std::stringstream text;
        text << file.rdbuf();
        std::istringstream plain(text.str()), listened(text.str());
        std::ostringstream report[2], plot[2], diagnostics;
        CheckingListener listener;
        listener.name = deck.filename().string();
        MAIN(plain, report[0], plot[0], diagnostics, RunClock{}, ReportMode::Asa);
        MAIN(listened, report[1], plot[1], diagnostics, RunClock{}, ReportMode::Asa, &listener);
        EXPECT_FALSE(listener.open) << listener.name << ": a page never ended";
        EXPECT_GT(listener.rows, 0) << listener.name;
        EXPECT_EQ(listener.rows, printedRows(report[1].str())) << listener.name;
        EXPECT_EQ(report[0].str(), report[1].str()) << listener.name;
        EXPECT_EQ(plot[0].str(), plot[1].str()) << listener.name;
    }
}
