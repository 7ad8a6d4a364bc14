// libFuzzer target: one whole run of bridgeplan on an in-memory deck, with
// the report, the plot and the points table written to memory. Any crash, hang or sanitizer
// report is a fault of the deck processor; a deck that is only wrong must
// end its problem with an error number (the run then ends partly done) or
// end the run as incomplete.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "output/exit_status.hpp"
#include "run/driver.hpp"
#include "run/points_table.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream deck(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream report, plot, diagnostics, points;
    bp::PointsTable table(points);
    bp::RunClock clock;
    // Both report renderings take turns, chosen by the deck's length.
    const bp::ReportMode mode = size % 2 == 0 ? bp::ReportMode::Rendered : bp::ReportMode::Asa;
    const bp::RunResult result = bp::MAIN(deck, report, plot, diagnostics, clock, mode, &table);
    namespace status = bp::exit_status;
    if (result.exitStatus != status::DONE && result.exitStatus != status::INCOMPLETE &&
        result.exitStatus != status::PARTLY_DONE)
        __builtin_trap();
    return 0;
}
