#pragma once
// The plan drawings of a run written to their files: PLAN.svg or PLAN.dxf
// for one problem; PLAN-1.svg, PLAN-2.svg ... for several, the numbers
// padded to one width so that the files sort in order.

#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

#include "drawing/plan_model.hpp"
#include "output/output_file.hpp"

namespace bp::drawing {

enum class DrawingKind { Svg, Dxf, Unknown };
DrawingKind drawingKindOf(const std::filesystem::path& name);

std::filesystem::path drawingName(const std::filesystem::path& name, std::size_t index, std::size_t count);

// Writes every problem's drawing into an output of its own, safely beside
// its name and not yet in place: the caller puts them in place together
// with the run's other outputs. An existing file is replaced only with
// `force`. False, with the reason on `diagnostics`, when one cannot be
// started.
bool writePlanDrawings(const std::vector<PlanProblem>& problems, const std::filesystem::path& name,
                       bool force, std::ostream& diagnostics,
                       std::vector<std::unique_ptr<out::OutputFile>>& outputs);

}   // namespace bp::drawing
