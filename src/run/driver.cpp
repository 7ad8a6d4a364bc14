#include "run/driver.hpp"

#include <optional>

#include <fmt/format.h>

#include "alignment/alignment_parts.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "drawing/plan_recorder.hpp"
#include "landxml/landxml_writer.hpp"
#include "output/exit_status.hpp"
#include "output/output_block.hpp"
#include "plot/layout_drawing.hpp"
#include "run/phases.hpp"
#include "run/run_context.hpp"

namespace bp {
namespace {

// The report and the plot hand their files whole output blocks, so that
// every write but the last ends on a block boundary of the file.
static_assert(Report::BLOCK == out::OUTPUT_BLOCK && PlotCommands::BLOCK == out::OUTPUT_BLOCK);

// Problem card: code (1), deck identifier (2-4), problem number (5-8),
// title words 1..18 (9-80).
void takeProblemCard(RunContext& ctx, const Card& card) {
    ctx.problem.code = card.word(1, 1);
    ctx.problem.deckId = std::string(card.text(2, 3));
    ctx.problem.number = std::string(card.text(5, 4));
    ctx.problem.title = std::string(card.text(9, 72));
}

void printBanner(RunContext& ctx) {
    Report& r = ctx.report;
    r.write(Record('0')
                .A(9, ctx.clock.date)
                .X(33)
                .lit("QUORVEN DEPARTMENT OF TRANSPORTATION")
                .X(25)
                .lit("PROB. NO. ")
                .A(4, ctx.problem.number));
    r.write(Record(' ').A(8, ctx.clock.time).X(21).lit("TALVORIC"));
    r.write(Record(' ').X(40).lit("KELDRAVIN"));
    r.write(Record(' ').X(49).lit("REVISED:  JUNE 30, 2008"));
}

// Banner, title and continuation cards; error 1 for a bad card.
void startProblem(RunContext& ctx, const Card& first) {
    printBanner(ctx);
    ctx.report.write(Record('0').X(24).A(72, ctx.problem.title));
    ctx.report.empty();
    if (!(ctx.problem.code == kw::STAR_CODE) || ctx.problem.deckId != "B02")
        abandon(err::PROBLEM_CARD,
                fmt::format("a problem card starts with \"*B02\"; this one starts with \"{}\"",
                            first.text(1, 4)));
    // "CONT" in columns 77-80 announces a title continuation card.
    Card card = first;
    while (card.word(77, 4) == kw::CONT) {
        card = ctx.deck.require("a title continuation card \"*\"");
        ctx.report.write(Record('0').X(24).A(79, card.text(2, 79)));
        std::string& title = ctx.problem.title;   // columns 2-4, a blank, columns 5-80
        title.assign(card.text(2, 3));
        title += ' ';
        title += card.text(5, 76);
        if (!(card.code() == kw::STAR_CODE))
            abandon(err::PROBLEM_CARD, "a title continuation card must have \"*\" in column 1");
    }
}

// One problem: its cards, its roadway (the LandXML document, when one is
// written, is told of the mainline before the first span), its bridge.
void runProblem(RunContext& ctx, const Card& card, LandXmlWriter* landxml) {
    startProblem(ctx, card);
    readAlignmentGroups(RoadwayCards{ctx.deck, ctx.report, ctx.alignment, ctx.lines, ctx.project});
    if (landxml)
        landxml->alignment(ctx.problem.number, ctx.problem.title, ctx.alignment, ctx.lines, ctx.project);
    PH2(ctx);
}

}   // namespace

RunResult MAIN(std::istream& deckStream, std::ostream& reportStream, std::ostream& plot,
               std::ostream& diagnostics, const RunClock& clock, ReportMode mode, PointListener* points,
               drawing::PlanRecorder* plan, LandXmlWriter* landxml) {
    DeckReader deck(deckStream);
    Report report(reportStream, mode);
    RunContext ctx(deck, report, plot);
    ctx.clock = clock;
    LayoutDrawing drawing(ctx);
    if (points) ctx.listeners.push_back(points);
    if (landxml) ctx.listeners.push_back(landxml);
    ctx.listeners.push_back(&drawing);
    if (plan) {
        plan->attach(ctx);
        ctx.listeners.push_back(plan);
    }
    RunResult result;

    std::optional<Card> card = deck.next();
    if (!card) {
        diagnostics << "bridgeplan: the deck is empty: no problem card to read\n";
        result.exitStatus = exit_status::INCOMPLETE;
        return result;
    }
    while (card) {
        takeProblemCard(ctx, *card);
        ++result.problems;
        if (plan) plan->beginProblem();
        try {
            runProblem(ctx, *card, landxml);
            card = deck.next();
            if (card && card->column(1) == '9') card.reset();
            continue;
        } catch (const ProblemAbandoned& e) {
            ++result.abandoned;
            if (plan) plan->abandonProblem(e.number());
            report.write(
                Record('0').lit("ERROR").I(3, e.number()).lit(" PROB. NO. ").A(4, ctx.problem.number));
            diagnostics << fmt::format("bridgeplan: deck line {}: problem {} abandoned with error {}: {}\n",
                                       deck.linesRead(), ctx.problem.number, e.number(), e.what());
        } catch (const DeckEnded& e) {
            report.flush();
            ctx.plotCommands.flush();
            plot.flush();
            diagnostics << fmt::format("bridgeplan: problem {} was cut short: {}\n", ctx.problem.number,
                                       e.what());
            result.exitStatus = exit_status::INCOMPLETE;
            return result;
        }
        // Skip to the next problem card; a "9" card or the end of the deck ends the run.
        for (card = deck.next(); card; card = deck.next()) {
            if (card->column(1) == '*') break;
            if (card->column(1) == '9') {
                card.reset();
                break;
            }
        }
    }
    report.flush();
    ctx.plotCommands.flush();
    plot.flush();
    if (result.abandoned > 0) {
        result.exitStatus = exit_status::PARTLY_DONE;
        diagnostics << fmt::format(
            "bridgeplan: {} of {} problems abandoned; the report holds their error records\n",
            result.abandoned, result.problems);
    }
    return result;
}

}   // namespace bp
