// The alignment card groups of a problem, read after its title in their
// fixed order; the first bad card abandons the problem.
#include <cmath>

#include <fmt/format.h>

#include "alignment/alignment_parts.hpp"
#include "bridgeplan/errors.hpp"
#include "run/deck_reader.hpp"
#include "run/record.hpp"
#include "run/report.hpp"

namespace bp {

void checkCardCode(const Card& card, Word code, int errorNumber, std::string_view cardName) {
    if (!(card.code() == code))
        abandon(errorNumber,
                fmt::format("{} was expected; this card starts with \"{}\"", cardName, card.text(1, 1)));
}

void writeGroupTitle(Report& report, int blanks, std::string_view title) {
    report.write(Record('0'));
    report.empty();
    report.write(Record(' ').X(blanks - 1).lit(title));
    report.empty();
}

void echoEnteredAngle(Record& r, int degreesWidth, const EnteredAngle& a) {
    const auto truncated = [](double v) { return static_cast<long long>(std::trunc(v)); };
    r.I(degreesWidth, truncated(a.degrees));
    const int minutesAt = r.column();
    r.I(3, truncated(a.minutes));
    const int secondsAt = r.column();
    r.F(6, 2, a.seconds);
    r.put(minutesAt, '-').put(secondsAt, '-');
}

void readAlignmentGroups(const RoadwayCards& cards) {
    cards.alignment = Alignment{};
    cards.project.reset();
    readLocationCard(cards);
    readTieCard(cards);
    readHorizontalCurveCard(cards);
    cards.project = projectFrameOf(cards.alignment, cards.lines);
    readVerticalCurveCards(cards);
    readCrossSectionCards(cards);
}

}   // namespace bp
