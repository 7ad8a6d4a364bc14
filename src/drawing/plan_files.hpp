#pragma once
// The plan drawings of a run written to their files: PLAN.svg or PLAN.dxf
// for one problem; PLAN-1.svg, PLAN-2.svg ... for several, the numbers
// padded to one width so that the files sort in order.

#include <filesystem>
#include <ostream>
#include <vector>

#include "drawing/plan_model.hpp"

namespace bp::drawing {

enum class DrawingKind { Svg, Dxf, Unknown };
DrawingKind drawingKindOf(const std::filesystem::path& name);

std::filesystem::path drawingName(const std::filesystem::path& name, std::size_t index, std::size_t count);

// Writes every problem's drawing; an existing file is replaced only with
// `force`. Returns false, with the reason on `diagnostics`, when a file was
// refused or could not be written in full.
bool writePlanDrawings(const std::vector<PlanProblem>& problems, const std::filesystem::path& name, bool force,
                       std::ostream& diagnostics);

}  // namespace bp::drawing
