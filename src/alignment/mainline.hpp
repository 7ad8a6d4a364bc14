#pragma once
// The mainline of a problem: its three pieces (1 before the P.C., 2 from
// the P.C. to the P.T., 3 after the P.T.), which of them exist, the
// stations each one holds, and the point operations on them. A Mainline is
// a view of what the horizontal curve card built (the segments of the
// alignment and the line slots 31..33); it copies nothing, so it is made
// wherever it is needed and asked by value.

#include <limits>
#include <optional>

#include "bridgeplan/alignment_records.hpp"
#include "bridgeplan/line_table.hpp"

namespace bp {

struct StationPoint;
struct StationOffset;

// The stations of a piece, lo <= s <= hi; a piece with no neighbour on one
// side runs on without end there.
struct StationRange {
    double lo = 0, hi = 0;
};

class Mainline {
public:
    Mainline(const Alignment& a, const LineTable& lines) : alignment_(a), lines_(lines) {}

    // Piece k (1..3) was built; any other k is no piece.
    bool pieceExists(int k) const { return k >= 1 && k <= 3 && pieceLine(k).form != form::ABSENT; }
    bool pieceIsCurve(int k) const { return pieceLine(k).form == form::CIRCLE; }
    bool severalPieces() const { return pieceExists(1) || pieceExists(3); }

    // Piece 1 below the P.C., piece 2 from the P.C. to the P.T., piece 3
    // beyond the P.T.; piece 2 runs on without end where piece 1 or 3 is absent.
    StationRange pieceRange(int k) const {
        constexpr double INF = std::numeric_limits<double>::infinity();
        const double pc = alignment_.pcStation, pt = alignment_.ptStation;
        switch (k) {
        case 1: return {-INF, pc};
        case 2: return {pieceExists(1) ? pc : -INF, pieceExists(3) ? pt : INF};
        default: return {pt, INF};
        }
    }

    // The piece a station belongs to: 1 below the P.C. when piece 1 exists,
    // 3 above the P.T. when piece 3 exists, else 2.
    int pieceOfStation(double s) const {
        const StationRange main = pieceRange(2);
        if (s < main.lo) return 1;
        if (s > main.hi) return 3;
        return 2;
    }

    const AlignmentSegment& segment(int k) const { return alignment_.segments[k]; }
    const LongitudinalLine& pieceLine(int k) const { return lines_[MAINLINE_SLOT + k]; }
    const Alignment& alignment() const { return alignment_; }

    // The mainline point at station s (ft), and the station and offset of a
    // plan point (see point_operations.hpp for the formulas).
    StationPoint PointAtStation(double s) const;
    StationOffset StationOffsetOfPoint(double x, double y) const;   // error 15: no piece
    // The same projection; nothing when no piece accepts the point.
    std::optional<StationOffset> stationOffsetOnAnyPiece(double x, double y) const;

private:
    const Alignment& alignment_;
    const LineTable& lines_;
};

}   // namespace bp
