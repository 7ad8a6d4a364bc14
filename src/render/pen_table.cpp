#include "render/pen_table.hpp"

#include <array>

namespace bp::render {
namespace {

constexpr std::array<Colour, 8> COLOURS{{
    {"#000000", 7},   // 0 black (white on a dark CAD screen)
    {"#1f4fd6", 5},   // 1 blue: T-line points
    {"#138a13", 3},   // 2 green: bent points, B, S, L lines
    {"#d42020", 1},   // 3 red
    {"#b88a00", 2},   // 4 yellow, darkened to show on white: T-line rows
    {"#b020b0", 6},   // 5 magenta
    {"#0a9aaa", 4},   // 6 cyan
    {"#707070", 8},   // 7 grey: E lines
}};

constexpr double DOT[] = {0.0, -0.6};
constexpr double DASH[] = {2.0, -1.0};
constexpr double DASH_DOT[] = {4.0, -1.0, 0.0, -1.0};
constexpr double LONG_DASH[] = {6.0, -2.0};
constexpr double DASH_DOT_DOT[] = {4.0, -1.0, 0.0, -1.0, 0.0, -1.0};
constexpr double SHORT_DASH[] = {1.0, -1.0};
constexpr double LONG_SHORT_SHORT[] = {6.0, -1.0, 1.0, -1.0, 1.0, -1.0};

const std::array<LineStyle, 8> STYLES{{
    {"CONTINUOUS", "Solid line", {}},
    {"BP_DOT", "Dotted . . . .", DOT},
    {"BP_DASH", "Dashed __ __ __", DASH},
    {"BP_DASHDOT", "Dash dot ____ . ____ .", DASH_DOT},
    {"BP_LONGDASH", "Long dashes ______  ______", LONG_DASH},
    {"BP_DASHDOTDOT", "Dash dot dot ____ . . ____", DASH_DOT_DOT},
    {"BP_SHORTDASH", "Short dashes _ _ _ _", SHORT_DASH},
    {"BP_LONGSHORT", "Long short short ______ _ _ ______", LONG_SHORT_SHORT},
}};

}   // namespace

Colour colourOf(int lc) {
    if (lc >= 0 && lc < int(COLOURS.size())) return COLOURS[static_cast<std::size_t>(lc)];
    return {"#404040", lc >= 1 && lc <= 255 ? lc : 7};
}

const LineStyle& styleOf(int ls) {
    if (ls >= 0 && ls < int(STYLES.size())) return STYLES[static_cast<std::size_t>(ls)];
    return STYLES[0];
}

std::span<const LineStyle> allStyles() { return STYLES; }

double weightOf(int lt) {
    if (lt <= 0) return 0.8;
    if (lt >= 5) return 3.0;
    return 0.8 + 0.45 * lt;
}

}   // namespace bp::render
