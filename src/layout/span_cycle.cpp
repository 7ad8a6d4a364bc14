// The span cycle: one span card "8" at a time. A "SPAN" card prints the
// span input page, reads and builds its two bents, crosses every
// longitudinal line with them, reads its T-lines and reports the span; a
// "COOR" card opens a coordinate request group instead. The card's "LAST"
// and "YES" marks say what follows.
#include <fmt/format.h>

#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/layout_parts.hpp"
#include "layout/span_parts.hpp"
#include "run/run_context.hpp"

namespace bp {
namespace {

// Span card, layout (A1,A4,1X,A2,I3,1X,A4,1X,14A4,A3): code 1, keyword
// 2-5, span id 7-8, T-line count 9-11, last mark 13-16, title 18-73,
// new-lines mark 74-76; on a "COOR" card the grid mark 77-80. A count that is not a number makes a bad span card.
Span readSpanCard(const Card& card) {
    Span span;
    span.keyword = card.word(2, 4);
    span.spanId = std::string(card.text(7, 2));
    span.tLineCount = static_cast<int>(card.integer(9, 3, err::SPAN_CARD));
    span.lastMark = card.word(13, 4);
    span.title = std::string(card.text(18, 56));
    span.newLinesMark = card.word(74, 3);
    span.gridMark = card.word(77, 4);
    return span;
}

// The span input page down to the "BENT DATA" column header.
void printSpanInputHeading(RunContext& ctx) {
    const Span& s = ctx.span;
    Report& r = ctx.report;
    r.write(Record('1').X(31).lit("SPAN ").A(2, s.spanId).lit(" INPUT DATA"));
    r.empty();
    // (I4,' T-LINES  ',A4,3X,14A4,A3): the I4 field's first column is the
    // carriage control, always blank for a three-column count.
    r.write(Record(' ')
                .I(3, s.tLineCount)
                .lit(" T-LINES  ")
                .A(4, s.lastMark.view())
                .X(3)
                .A(56, s.title)
                .A(3, s.newLinesMark.view()));
    r.write(Record('0').X(61).lit("BENT DATA"));
    r.empty();
    r.write(Record(' ')
                .X(4)
                .lit("C  NO. TYPE     STATION    SKEW ANGLE   STA./NORM.     REMARKS")
                .X(25)
                .lit("LONGITUDINAL LINE SKIPS"));
}

// Bents, set-up of the longitudinal lines, T-lines and the span report.
void runSpan(RunContext& ctx) {
    printSpanInputHeading(ctx);
    const int count = ctx.span.tLineCount;
    const std::string_view id = trimBlanks(ctx.span.spanId);   // for the engineer's messages
    if (count > MAX_TLINES)
        abandon(err::TRANSVERSE_LINE,
                fmt::format("span {} has {} T-lines; a span holds at most {}", id, count, MAX_TLINES));
    readBents(ctx);
    setUpSpan(ctx);
    if (count < 0)
        abandon(err::SPAN_CARD, fmt::format("span {} has a negative T-line count ({})", id, count));
    if (count > 0) readTransverseLines(ctx);
    reportSpan(ctx);
    ctx.firstSpan = false;
}

}   // namespace

AfterSpan runSpanCard(RunContext& ctx) {
    const Card card = ctx.deck.require("a span card \"8\"");
    if (!(card.code() == kw::EIGHT))
        abandon(err::SPAN_CARD,
                fmt::format("a span card has \"8\" in column 1; this card has \"{}\"", card.text(1, 1)));
    ctx.span = readSpanCard(card);
    if (ctx.span.keyword == kw::COOR)
        runCoordinateGroup(ctx);
    else if (ctx.span.keyword == kw::SPAN)
        runSpan(ctx);
    else
        abandon(err::SPAN_KEYWORD, fmt::format("a span card's keyword is \"SPAN\" or \"COOR\", not \"{}\"",
                                               ctx.span.keyword.view()));
    // "LAST" ends the problem's bridge layout whatever "YES" says.
    if (ctx.span.lastMark == kw::LAST) return AfterSpan::EndOfProblem;
    if (ctx.span.newLinesMark == kw::YES) return AfterSpan::NewLines;
    return AfterSpan::NextSpan;
}

}   // namespace bp
