// libFuzzer target: one whole run of bridgeplan on an in-memory deck, with
// the report, the plot and the points table written to memory. Any crash, hang or sanitizer
// report is a fault of the deck processor; a deck that is only wrong must
// end its problem with an error number or end the run with status 1.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

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
    if (result.exitStatus != 0 && result.exitStatus != 1) __builtin_trap();
    return 0;
}
