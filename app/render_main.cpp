// bridgeplan-render: draws the plot command file of a bridgeplan run as an
// SVG picture or a DXF drawing for CAD.
//
//   bridgeplan-render PLOT -o OUT.svg      (or OUT.dxf)
//
// A plot file holds one drawing per problem; with several, OUT-1.svg,
// OUT-2.svg ... are written, in the order of the file.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "output/cleanup.hpp"
#include "output/exit_status.hpp"
#include "output/file_identity.hpp"
#include "output/output_file.hpp"
#include "render/drawing_writers.hpp"
#include "render/plot_drawing.hpp"

namespace {

namespace fs = std::filesystem;
namespace status = bp::exit_status;
using namespace bp::render;

// OUT.svg for a single drawing; OUT-1.svg ... OUT-N.svg for several, the
// numbers padded to the same width so that the files sort in order.
fs::path outputName(const fs::path& out, std::size_t index, std::size_t count) {
    if (count == 1) return out;
    const int width = static_cast<int>(std::to_string(count).size());
    fs::path named = out;
    named.replace_filename(
        fmt::format("{}-{:0{}}{}", out.stem().string(), index + 1, width, out.extension().string()));
    return named;
}

// The first pass: how many drawings the file holds (one at a time in
// memory), so that the names and titles are known before any is written.
std::size_t countDrawings(std::istream& in, int& overlongLine) {
    PlotReader reader(in);
    std::size_t count = 0;
    while (reader.next()) {
        ++count;
        reader.takeDiagnostics();
    }
    overlongLine = reader.overlongLine();
    return count;
}

}   // namespace

int main(int argc, char** argv) {
    bp::out::prepareProcess();
    CLI::App app{
        "bridgeplan-render: draws each problem of a bridgeplan plot command file as an "
        "SVG picture (for a browser) or an ASCII DXF drawing in feet (for CAD)."};
    app.set_version_flag("--version", std::string("bridgeplan-render ") + BRIDGEPLAN_VERSION);
    std::string plot, out, format;
    int pixels = SvgOptions{}.maxPixels;
    app.add_option("PLOT", plot, "plot command file written by bridgeplan")->required();
    app.add_option("-o,--output", out,
                   "drawing to write, .svg or .dxf; several problems give OUT-1.svg, OUT-2.svg ...")
        ->required();
    app.add_option("--format", format, "svg or dxf (default: from the output's extension)")
        ->check(CLI::IsMember({"svg", "dxf"}));
    app.add_option("--pixels", pixels, "SVG: the longer side of the picture in pixels")
        ->check(CLI::Range(50, 100000));
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? status::DONE : status::NOT_STARTED;
    }

    if (format.empty()) {
        std::string ext = fs::path(out).extension().string();
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".svg" || ext == ".dxf")
            format = ext.substr(1);
        else {
            std::cerr << "bridgeplan-render: name the output .svg or .dxf, or give --format\n";
            return status::NOT_STARTED;
        }
    }

    bp::out::InputFile input;
    if (!input.open(plot)) {
        std::cerr << fmt::format("bridgeplan-render: cannot read the plot file '{}': {}\n", plot,
                                 input.reason());
        return status::NOT_STARTED;
    }
    int overlong = 0;
    const std::size_t count = countDrawings(input.stream(), overlong);
    if (overlong) {
        std::cerr << fmt::format(
            "bridgeplan-render: {} line {} is longer than {} characters: "
            "this is not a plot command file\n",
            plot, overlong, MAX_PLOT_LINE);
        return status::NOT_STARTED;
    }
    // Every drawing's name is checked against the plot file before any is written.
    bp::out::FileNames names;
    names.input("the plot file", plot, input.identity());
    for (std::size_t k = 0; k < count; ++k) {
        if (auto why = names.output("the drawing", outputName(out, k, count).string())) {
            std::cerr << "bridgeplan-render: " << *why << "; name another file\n";
            return status::NOT_STARTED;
        }
    }
    if (!input.rewind()) {
        std::cerr << fmt::format("bridgeplan-render: cannot read the plot file '{}' again\n", plot);
        return status::NOT_STARTED;
    }

    PlotReader reader(input.stream());
    std::vector<std::unique_ptr<bp::out::OutputFile>> drawings;
    std::size_t skipped = 0;
    for (std::size_t k = 0;; ++k) {
        std::optional<PlotDrawing> drawing = reader.next();
        for (const Diagnostic& d : reader.takeDiagnostics()) {
            std::cerr << fmt::format("bridgeplan-render: {} line {}: {}; line skipped\n", plot, d.line,
                                     d.message);
            ++skipped;
        }
        if (!drawing) break;
        if (k == count) {
            std::cerr << fmt::format(
                "bridgeplan-render: {} changed while it was read; no drawing "
                "was written\n",
                plot);
            return status::INCOMPLETE;
        }
        const fs::path name = outputName(out, k, count);
        auto file = std::make_unique<bp::out::OutputFile>(name.string(), bp::out::Existing::Replace);
        if (!file->ready()) {
            std::cerr << fmt::format("bridgeplan-render: cannot write '{}': {}\n", name.string(),
                                     file->reason());
            return status::NOT_STARTED;
        }
        const std::string title = count == 1 ? fmt::format("{}", fs::path(plot).filename().string())
                                             : fmt::format("{}, problem drawing {} of {}",
                                                           fs::path(plot).filename().string(), k + 1, count);
        if (format == "svg")
            writeSvg(file->stream(), *drawing, title, SvgOptions{pixels});
        else
            writeDxf(file->stream(), *drawing, title);
        // Closed now, so that a file of many problems holds few descriptors.
        if (!file->finish()) {
            std::cerr << fmt::format(
                "bridgeplan-render: '{}' could not be written in full: {}; "
                "no drawing was written\n",
                name.string(), file->reason());
            return status::INCOMPLETE;
        }
        drawings.push_back(std::move(file));
    }
    if (drawings.size() != count && !drawings.empty()) {
        std::cerr << fmt::format(
            "bridgeplan-render: {} changed while it was read; no drawing was "
            "written\n",
            plot);
        return status::INCOMPLETE;
    }
    if (drawings.empty()) {
        std::cerr << "bridgeplan-render: " << plot << " holds no drawing\n";
        return status::INCOMPLETE;
    }
    std::vector<bp::out::OutputFile*> all;
    for (auto& d : drawings) all.push_back(d.get());
    bp::out::OutputFile* failed = nullptr;
    if (!bp::out::commitTogether(all, failed)) {
        std::cerr << fmt::format(
            "bridgeplan-render: '{}' could not be written: {}; no drawing "
            "was written\n",
            failed->name(), failed->reason());
        return status::INCOMPLETE;
    }
    for (auto& d : drawings) std::cout << "bridgeplan-render: " << d->name() << "\n";
    // Lines that were skipped leave a drawing without them: say so in the status.
    return skipped == 0 ? status::DONE : status::PARTLY_DONE;
}
