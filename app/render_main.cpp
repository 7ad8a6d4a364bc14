// bridgeplan-render: draws the plot command file of a bridgeplan run as an
// SVG picture or a DXF drawing for CAD.
//
//   bridgeplan-render PLOT -o OUT.svg      (or OUT.dxf)
//
// A plot file holds one drawing per problem; with several, OUT-1.svg,
// OUT-2.svg ... are written, in the order of the file.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include "render/drawing_writers.hpp"
#include "render/plot_drawing.hpp"

namespace {

namespace fs = std::filesystem;
using namespace bp::render;

// OUT.svg for a single drawing; OUT-1.svg ... OUT-N.svg for several, the
// numbers padded to the same width so that the files sort in order.
fs::path outputName(const fs::path& out, std::size_t index, std::size_t count) {
    if (count == 1) return out;
    const int width = static_cast<int>(std::to_string(count).size());
    fs::path named = out;
    named.replace_filename(fmt::format("{}-{:0{}}{}", out.stem().string(), index + 1, width,
                                       out.extension().string()));
    return named;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"bridgeplan-render: draws each problem of a bridgeplan plot command file as an "
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
    CLI11_PARSE(app, argc, argv);

    if (format.empty()) {
        std::string ext = fs::path(out).extension().string();
        for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (ext == ".svg" || ext == ".dxf") format = ext.substr(1);
        else {
            std::cerr << "bridgeplan-render: name the output .svg or .dxf, or give --format\n";
            return 2;
        }
    }

    std::ifstream in(plot, std::ios::binary);
    if (!in) {
        std::cerr << "bridgeplan-render: cannot read the plot file " << plot << "\n";
        return 2;
    }
    const PlotFile file = readPlotFile(in);
    for (const Diagnostic& d : file.diagnostics)
        std::cerr << fmt::format("bridgeplan-render: {} line {}: {}; line skipped\n", plot, d.line,
                                 d.message);
    if (file.drawings.empty()) {
        std::cerr << "bridgeplan-render: " << plot << " holds no drawing\n";
        return 1;
    }

    const std::size_t count = file.drawings.size();
    for (std::size_t k = 0; k < count; ++k) {
        const fs::path name = outputName(out, k, count);
        std::ofstream os(name, std::ios::binary | std::ios::trunc);
        const std::string title =
            count == 1 ? fmt::format("{}", fs::path(plot).filename().string())
                       : fmt::format("{}, problem drawing {} of {}", fs::path(plot).filename().string(),
                                     k + 1, count);
        if (format == "svg") writeSvg(os, file.drawings[k], title, SvgOptions{pixels});
        else writeDxf(os, file.drawings[k], title);
        os.flush();
        if (!os) {
            std::cerr << "bridgeplan-render: cannot write " << name.string() << "\n";
            return 1;
        }
        std::cout << "bridgeplan-render: " << name.string() << "\n";
    }
    // Lines that were skipped leave a drawing without them: say so in the status.
    return file.diagnostics.empty() ? 0 : 1;
}
