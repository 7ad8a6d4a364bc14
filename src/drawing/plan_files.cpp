#include "drawing/plan_files.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string>

#include <fmt/format.h>

#include "drawing/plan_writers.hpp"

namespace bp::drawing {

namespace fs = std::filesystem;

DrawingKind drawingKindOf(const fs::path& name) {
    std::string ext = name.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    if (ext == ".svg") return DrawingKind::Svg;
    if (ext == ".dxf") return DrawingKind::Dxf;
    return DrawingKind::Unknown;
}

fs::path drawingName(const fs::path& name, std::size_t index, std::size_t count) {
    if (count == 1) return name;
    const int width = static_cast<int>(std::to_string(count).size());
    fs::path named = name;
    named.replace_filename(
        fmt::format("{}-{:0{}}{}", name.stem().string(), index + 1, width, name.extension().string()));
    return named;
}

bool writePlanDrawings(const std::vector<PlanProblem>& problems, const fs::path& name, bool force,
                       std::ostream& diagnostics) {
    const DrawingKind kind = drawingKindOf(name);
    if (problems.empty()) {
        diagnostics << "bridgeplan: no problem reached its bridge layout: no drawing written\n";
        return true;
    }
    // All names are checked before any file is touched.
    if (!force)
        for (std::size_t i = 0; i < problems.size(); ++i)
            if (fs::exists(drawingName(name, i, problems.size()))) {
                diagnostics << "bridgeplan: the drawing " << drawingName(name, i, problems.size()).string()
                            << " exists; use --force to replace it\n";
                return false;
            }
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const fs::path file = drawingName(name, i, problems.size());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (kind == DrawingKind::Dxf) writePlanDxf(out, problems[i]);
        else writePlanSvg(out, problems[i]);
        out.flush();
        if (!out) {
            diagnostics << "bridgeplan: the drawing " << file.string() << " could not be written in full\n";
            return false;
        }
    }
    return true;
}

}  // namespace bp::drawing
