// Hostile decks: garbage in every numeric field of every card type, lines of
// a megabyte and of no length, binary bytes, decks cut off after every card,
// and bridges whose geometry has no answer. None may crash or hang the run;
// the problem completes or ends with its error number, the next problem runs
// exactly as it would alone, and nothing written before is lost.

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "hostile_support.hpp"
#include "output/exit_status.hpp"
#include "run/deck_reader.hpp"

using namespace bp::hostile;

namespace {

struct Field {
    int col, width;
};

// The numeric fields of every card type and the error number of its group.
struct CardFields {
    int error;
    std::vector<Field> fields;
};

const std::map<char, CardFields>& numericFields() {
    static const std::map<char, CardFields> table = {
        {'1', {2, {{2, 10}, {12, 10}, {22, 10}, {32, 3}, {35, 2}, {37, 4}, {41, 10}, {52, 5}}}},
        {'2', {3, {{10, 10}, {20, 2}, {22, 2}, {24, 4}, {28, 10}}}},
        {'3', {4, {{2, 10}, {12, 10}, {22, 10}}}},
        {'4', {5, {{2, 8}, {10, 9}, {19, 7}, {26, 9}, {35, 7}, {42, 9}}}},
        {'5', {6, {{5, 8}, {13, 8}, {37, 8}, {45, 7}, {73, 7}}}},
        {'6', {7, {{7, 10}, {17, 6}, {47, 6}}}},
        {'7', {8, {{2, 2}, {7, 2}, {9, 10}, {19, 10}, {29, 10}, {39, 10}, {49, 1}}}},
        {'8', {9, {{9, 3}}}},
        {'B', {10, {{2, 1}, {9, 10}, {19, 8}, {27, 10}, {51, 1}, {80, 1}}}},
        {'A', {10, {{2, 1}, {9, 10}, {19, 8}, {27, 10}, {51, 1}, {80, 1}}}},
        {'T', {11, {{2, 2}, {13, 10}, {23, 2}, {25, 8}, {34, 2}, {36, 1}, {51, 1}, {80, 1}}}},
        {'C', {14, {{3, 2}, {9, 10}, {19, 10}}}},
    };
    return table;
}

// Texts that are not numbers, right-justified in a field of `width`.
std::vector<std::string> notNumbers(int width) {
    std::vector<std::string> all = {"X",    "-",     "+-1",   "--5", "NaN",  "Inf", "nan",
                                    "-Inf", "1E999", "1.5.2", "1E",  "ABCD", "12X4"};
    std::vector<std::string> fit;
    for (const auto& t : all)
        if (static_cast<int>(t.size()) <= width) fit.push_back(std::string(width - t.size(), ' ') + t);
    return fit;
}

std::string withField(std::string card, Field f, const std::string& text) {
    if (card.size() < 80) card.resize(80, ' ');
    card.replace(f.col - 1, f.width, text);
    return card;
}

// The good problem that follows every hostile one.
const std::string& goodProblem() {
    static const std::string deck = exampleDeck("simple_curve");
    return deck;
}

// The hostile problem (a whole problem, its own cards only) runs contained:
// the run of it followed by a good problem is the two runs one after the
// other, byte for byte, and its error number, if any, is `error` (0 takes
// any). A problem whose damage hides its last card (a "LAST" keyword
// broken) may instead be cut short when `mayEndDeck`: the following cards
// are then its own. Returns the error number printed, -1 for a cut-short run.
int expectContained(const std::string& hostile, int error, const std::string& what, bool mayEndDeck = false) {
    SCOPED_TRACE(what);
    const DeckRun alone = runDeck(hostile);
    if (mayEndDeck && alone.status == 1) {
        EXPECT_NE(alone.diagnostics.find("was cut short"), std::string::npos) << alone.diagnostics;
        return -1;
    }
    const DeckRun good = runDeck(goodProblem());
    const DeckRun both = runDeck(hostile + goodProblem());
    // The deck is read to its end: done, or done but for abandoned problems.
    EXPECT_EQ(alone.status, alone.abandoned ? bp::exit_status::PARTLY_DONE : bp::exit_status::DONE)
        << alone.diagnostics;
    EXPECT_EQ(both.status, both.abandoned ? bp::exit_status::PARTLY_DONE : bp::exit_status::DONE)
        << both.diagnostics;
    EXPECT_TRUE(both.report == alone.report + good.report);
    EXPECT_TRUE(both.plot == alone.plot + good.plot);
    for (const std::string* out : {&alone.report, &alone.plot}) {
        EXPECT_EQ(out->find("nan"), std::string::npos);
        EXPECT_EQ(out->find("inf"), std::string::npos);
    }
    const int printed = errorNumber(alone.report);
    EXPECT_EQ(printed != 0, alone.abandoned == 1);
    if (error != 0 && printed != 0) {
        EXPECT_EQ(printed, error) << alone.diagnostics;
    }
    return printed;
}

}   // namespace

// Letters, two signs, NaN, Inf and an overflowing exponent in each numeric
// field of each card type abandon the problem with the group's error number.
TEST(HostileDecks, FieldsThatAreNotNumbers) {
    for (const char* base : {"span_kinds", "left_turn", "superelevation"}) {
        const auto cards = cardsOf(exampleDeck(base));
        std::map<char, int> seen;
        for (std::size_t i = 1; i < cards.size(); ++i) {
            const char code = cards[i].empty() ? ' ' : cards[i][0];
            const auto entry = numericFields().find(code);
            if (entry == numericFields().end() || ++seen[code] > 2) continue;
            for (const Field f : entry->second.fields) {
                int abandoned = 0, runs = 0;
                for (const auto& text : notNumbers(f.width)) {
                    auto hostile = cards;
                    hostile[i] = withField(cards[i], f, text);
                    const int e =
                        expectContained(deckOf(hostile), entry->second.error,
                                        std::string(base) + " card " + std::to_string(i + 1) + " columns " +
                                            std::to_string(f.col) + ": '" + text + "'");
                    ++runs;
                    if (e != 0) ++abandoned;
                }
                EXPECT_EQ(abandoned, runs) << base << " card " << i + 1 << " column " << f.col;
            }
        }
    }
}

// 1E300 and its negative are numbers: every field takes them without a
// crash, and whatever is printed of them is asterisks, not a cut number.
TEST(HostileDecks, HugeNumbersInEveryField) {
    for (const char* base : {"span_kinds", "left_turn", "compound_curve", "straight_lines"}) {
        const auto cards = cardsOf(exampleDeck(base));
        for (std::size_t i = 1; i < cards.size(); ++i) {
            const char code = cards[i].empty() ? ' ' : cards[i][0];
            const auto entry = numericFields().find(code);
            if (entry == numericFields().end()) continue;
            for (const Field f : entry->second.fields) {
                for (const char* huge : {"1E300", "-1E300", "1D299", "9E-300"}) {
                    const std::string text(huge);
                    if (static_cast<int>(text.size()) > f.width) continue;
                    auto hostile = cards;
                    hostile[i] = withField(cards[i], f, std::string(f.width - text.size(), ' ') + text);
                    expectContained(deckOf(hostile), 0,
                                    std::string(base) + " card " + std::to_string(i + 1) + " columns " +
                                        std::to_string(f.col) + ": " + text);
                }
            }
        }
    }
}

// A card of a megabyte reads as its first 80 columns; an empty line is a
// card of blanks in the place of the card expected there.
TEST(HostileDecks, LinesOfAMegabyteAndOfNoLength) {
    const auto cards = cardsOf(exampleDeck("span_kinds"));
    const DeckRun plain = runDeck(deckOf(cards));
    for (std::size_t i = 0; i < cards.size(); ++i) {
        auto longer = cards;
        longer[i].resize(80, ' ');
        longer[i] += std::string(1 << 20, 'Z');
        const DeckRun run = runDeck(deckOf(longer));
        EXPECT_EQ(run.report, plain.report) << "card " << i + 1;
        EXPECT_EQ(run.plot, plain.plot) << "card " << i + 1;
    }
    for (std::size_t i = 1; i < cards.size(); ++i) {
        auto gap = cards;
        gap.insert(gap.begin() + static_cast<long>(i), "");
        expectContained(deckOf(gap), 0, "empty line before card " + std::to_string(i + 1), true);
    }
    // A deck of empty lines only: a blank first card is not a problem card.
    const DeckRun blanks = runDeck("\n\n\n");
    EXPECT_EQ(errorNumber(blanks.report), 1);
}

// NUL, control characters and bytes above 127 anywhere in a card.
TEST(HostileDecks, BinaryBytes) {
    const auto cards = cardsOf(exampleDeck("span_kinds"));
    const std::string bytes("\0\x01\x1a\x7f\x80\xff\r\t", 8);
    for (std::size_t i = 1; i < cards.size(); ++i) {
        for (int col : {1, 2, 5, 9, 13, 20, 49, 80}) {
            for (char b : bytes) {
                auto hostile = cards;
                hostile[i].resize(80, ' ');
                hostile[i][col - 1] = b;
                expectContained(deckOf(hostile), 0,
                                "byte " + std::to_string(static_cast<unsigned char>(b)) + " in card " +
                                    std::to_string(i + 1) + " column " + std::to_string(col),
                                true);
            }
        }
    }
}

// A deck cut off after any card: the run ends with status 1 and says so on
// stderr, and the report and plot keep everything printed up to the cut.
TEST(HostileDecks, CutOffAfterEveryCard) {
    for (const char* base : {"span_kinds", "left_turn", "superelevation", "compound_curve"}) {
        const auto cards = cardsOf(exampleDeck(base));
        const DeckRun full = runDeck(deckOf(cards));
        for (std::size_t n = 1; n < cards.size(); ++n) {
            SCOPED_TRACE(std::string(base) + " cut after card " + std::to_string(n));
            const DeckRun cut = runDeck(deckOf({cards.begin(), cards.begin() + static_cast<long>(n)}));
            EXPECT_EQ(cut.status, 1);
            EXPECT_NE(cut.diagnostics.find("was cut short"), std::string::npos) << cut.diagnostics;
            // The last line may still be overprinted in the full run.
            const auto lastLine = cut.report.rfind('\n', cut.report.size() - 2);
            const std::string kept = cut.report.substr(0, lastLine == std::string::npos ? 0 : lastLine);
            EXPECT_EQ(full.report.compare(0, kept.size(), kept), 0);
            EXPECT_EQ(full.plot.compare(0, cut.plot.size(), cut.plot), 0);
        }
    }
}

namespace {

// The example deck with some of its cards (1-based line numbers) replaced.
std::string exampleWith(const std::string& name, const std::map<int, std::string>& replaced) {
    auto cards = cardsOf(exampleDeck(name));
    for (const auto& [line, card] : replaced) cards[static_cast<std::size_t>(line - 1)] = card;
    return deckOf(cards);
}

}   // namespace

// Bridges whose geometry has no answer: bents and T-lines parallel to the
// lines they should cross, spans of no length, a T-line through one point
// twice, spirals tapered far beyond any real girder.
TEST(HostileDecks, GeometryWithoutAnAnswer) {
    struct Case {
        const char* what;
        const char* example;
        std::map<int, std::string> cards;
        int error;   // -1: completes; 0: any error number
    };
    const std::vector<Case> cases = {
        {"ahead bent parallel to the girders",
         "straight_lines",
         {{15, "A1 2SKEW  380.0000 9000000    0.0000CL PIER 2    C"}},
         0},
        {"back bent parallel to the girders",
         "straight_lines",
         {{14, "B1 1SKEW  300.0000 9000000    0.0000CL BRG ABUT 1C"}},
         0},
        {"bent along the radius of a curve never meets the offset mainline",
         "compound_curve",
         {{14, "B1 1SKEW 2330.0000 9000000    0.0000CL BRG ABUT 1C"}},
         15},
        {"span of zero length",
         "straight_lines",
         {{15, "A1 2SKEW  300.0000-2000000    0.0000CL PIER 2    C"}},
         -1},
        {"ahead bent the same as the back bent",
         "straight_lines",
         {{15, "A1 1SKEW  300.0000-2000000    0.0000CL BRG ABUT 1C"}},
         -1},
        {"ahead bent parallel to the back bent at no distance",
         "straight_lines",
         {{15, "A1 2PARL  300.0000-2000000    0.0000CL PIER 2    C"}},
         16},
        {"T-line parallel to the girders",
         "straight_lines",
         {{16, "T 1SKEW       340.0000  09000000   0DIAPHRAGM"}},
         0},
        {"T-line at no angle to its girder",
         "straight_lines",
         {{16, "T 1ANGLDISTB   40.0000 200000000   0DIAPHRAGM"}},
         11},
        {"T-line through the same point twice",
         "straight_lines",
         {{17, "T 2PTPTDISTB   30.0000 1 30.0000B 10JOINT"}},
         -1},
        {"T-line through the same coordinates twice",
         "straight_lines",
         {{19, "T            -150.0000  1020.000"}},
         -1},
        {"T-line along the radius, parallel to a chord",
         "compound_curve",
         {{16, "T 1SKEW      2380.0000  09000000   0DIAPHRAGM RAD."}},
         0},
        {"girder tapered 5000 percent",
         "compound_curve",
         {{11, "7 4STP    -13.5000 2400.0000 5000.0000    0.00000GIRDER D                      C"}},
         -1},
        {"girder tapered -9999 percent",
         "compound_curve",
         {{11, "7 4STP    -13.5000 2400.0000-9999.0000    0.00000GIRDER D                      C"}},
         17},
        {"spiral girder crossed at a flat angle",
         "compound_curve",
         {{11, "7 4STP    -13.5000 2400.0000 5000.0000    0.00000GIRDER D                      C"},
          {16, "T 1SKEW      2380.0000  08959000   0DIAPHRAGM RAD."}},
         0},
        {"circle of a ten-thousandth of a foot",
         "compound_curve",
         {{11, "7 4COS    -13.5000 2400.0000    0.0001    0.00000GIRDER D                      C"}},
         15},
    };
    for (const Case& c : cases) {
        const int printed = expectContained(exampleWith(c.example, c.cards), std::max(c.error, 0), c.what);
        if (c.error < 0)
            EXPECT_EQ(printed, 0) << c.what;
        else
            EXPECT_NE(printed, 0) << c.what;
    }
}

// The reader keeps only a card's columns of a line: a CR right after the
// 80th column, or far beyond it, is not part of the card, and a line with
// no end at all still ends the deck cleanly.
TEST(HostileDecks, CardColumnsOfAnyLine) {
    const std::string columns =
        "7 1CRD     15.0000    0.0000    0.0000    0.00000LEFT EDGE OF DECK             E";
    ASSERT_EQ(columns.size(), 80u);
    std::istringstream in(columns + "\r\n" + columns + "YZ\r\n" + columns + std::string(3 << 20, '\r') +
                          "\n" + std::string(1 << 20, '\0'));
    bp::DeckReader deck(in);
    for (int i = 1; i <= 3; ++i) {
        auto card = deck.next();
        ASSERT_TRUE(card) << i;
        EXPECT_EQ(card->text(1, 80), columns) << i;
        EXPECT_EQ(card->lineNumber(), i);
    }
    auto binary = deck.next();
    ASSERT_TRUE(binary);
    EXPECT_EQ(binary->text(1, 80), std::string(80, '\0'));
    EXPECT_FALSE(deck.next());
}

// A deck cut off in the middle of a line: the broken card is read as far as
// it goes, and the run still ends with an error number, or cut short with
// status 1, or, when only its remarks were lost, completes.
TEST(HostileDecks, CutOffInTheMiddleOfALine) {
    for (const char* base : {"span_kinds", "left_turn"}) {
        const std::string deck = exampleDeck(base);
        const DeckRun full = runDeck(deck);
        for (std::size_t n = 1; n < deck.size(); n += 5) {
            SCOPED_TRACE(std::string(base) + " cut after byte " + std::to_string(n));
            const DeckRun cut = runDeck(deck.substr(0, n));
            if (cut.status == 1) {
                EXPECT_NE(cut.diagnostics.find("was cut short"), std::string::npos) << cut.diagnostics;
            } else {
                EXPECT_EQ(cut.status, cut.abandoned ? bp::exit_status::PARTLY_DONE : bp::exit_status::DONE);
                EXPECT_EQ(cut.abandoned != 0, errorNumber(cut.report) != 0);
            }
            // Everything up to the broken card's problem output is kept.
            const std::size_t sameUpTo =
                std::mismatch(cut.report.begin(), cut.report.end(), full.report.begin(), full.report.end())
                    .first -
                cut.report.begin();
            EXPECT_GT(sameUpTo, 0u);
        }
    }
}
