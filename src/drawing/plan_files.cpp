#include "drawing/plan_files.hpp"

#include <algorithm>
#include <cctype>
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
                       std::ostream& diagnostics, std::vector<std::unique_ptr<out::OutputFile>>& outputs) {
    const DrawingKind kind = drawingKindOf(name);
    if (problems.empty()) {
        diagnostics << "bridgeplan: no problem reached its bridge layout: no drawing written\n";
        return true;
    }
    for (std::size_t i = 0; i < problems.size(); ++i) {
        const std::string file = drawingName(name, i, problems.size()).string();
        if (!force && fs::exists(file)) {
            diagnostics << "bridgeplan: the drawing " << file << " exists; use --force to replace it\n";
            return false;
        }
        auto& output = outputs.emplace_back(
            std::make_unique<out::OutputFile>(file, force ? out::Existing::Replace : out::Existing::Keep));
        if (!output->ready()) {
            diagnostics << "bridgeplan: cannot write the drawing " << file << ": " << output->reason()
                        << "\n";
            return false;
        }
        if (kind == DrawingKind::Dxf)
            writePlanDxf(output->stream(), problems[i]);
        else
            writePlanSvg(output->stream(), problems[i]);
    }
    return true;
}

}   // namespace bp::drawing
