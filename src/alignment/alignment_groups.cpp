// The alignment card groups of a problem, read after its title in their
// fixed order; the first bad card abandons the problem.
#include <fmt/format.h>

#include "alignment/alignment_parts.hpp"
#include "bridgeplan/errors.hpp"
#include "run/phases.hpp"
#include "run/run_context.hpp"

namespace bp {

void checkCardCode(const Card& card, Word code, int errorNumber, std::string_view cardName) {
    if (!(card.code() == code))
        abandon(errorNumber, fmt::format("{} was expected; this card starts with \"{}\"", cardName,
                                         card.text(1, 1)));
}

void writeGroupTitle(Report& report, int blanks, std::string_view title) {
    report.write(Record('0'));
    report.empty();
    report.write(Record(' ').X(blanks - 1).lit(title));
    report.empty();
}

void readAlignmentGroups(RunContext& ctx) {
    ctx.alignment = Alignment{};
    readLocationCard(ctx);
    readHorizontalCurveCard(ctx);
    readVerticalCurveCards(ctx);
    readCrossSectionCards(ctx);
}

}  // namespace bp
