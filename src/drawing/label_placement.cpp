#include "drawing/label_placement.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace bp::drawing {

void Box::add(XY p) {
    if (empty()) {
        *this = {p.x, p.y, p.x, p.y};
        return;
    }
    x0 = std::min(x0, p.x);
    y0 = std::min(y0, p.y);
    x1 = std::max(x1, p.x);
    y1 = std::max(y1, p.y);
}

void Box::add(const Box& b) {
    if (b.empty()) return;
    add(XY{b.x0, b.y0});
    add(XY{b.x1, b.y1});
}

bool overlaps(const Box& a, const Box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

// Liang-Barsky: the part of a + t (b - a), 0 <= t <= 1, inside the box.
bool crosses(const Box& box, XY a, XY b) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - box.x0, box.x1 - a.x, a.y - box.y0, box.y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    return true;
}

namespace {
long long cellKey(long long i, long long j) { return (i << 32) ^ (j & 0xffffffffLL); }
}   // namespace

template <class F>
void LabelPlacer::forCells(const Box& b, F f) const {
    const long long i0 = static_cast<long long>(std::floor(b.x0 / cell_));
    const long long i1 = static_cast<long long>(std::floor(b.x1 / cell_));
    const long long j0 = static_cast<long long>(std::floor(b.y0 / cell_));
    const long long j1 = static_cast<long long>(std::floor(b.y1 / cell_));
    for (long long i = i0; i <= i1; ++i)
        for (long long j = j0; j <= j1; ++j) f(cellKey(i, j));
}

void LabelPlacer::holdClear(const Box& b) {
    const int index = static_cast<int>(boxes_.size());
    boxes_.push_back(b);
    forCells(b, [&](long long key) { cells_[key].boxes.push_back(index); });
}

void LabelPlacer::holdClear(XY a, XY b) {
    const int index = static_cast<int>(segments_.size());
    segments_.push_back({a, b});
    Box around = Box::none();
    around.add(a);
    around.add(b);
    // Only the cells the line passes through.
    forCells(around, [&](long long key) {
        const long long i = key >> 32;
        const long long j = static_cast<long long>(static_cast<int>(key & 0xffffffffLL));
        const Box c{double(i) * cell_, double(j) * cell_, double(i + 1) * cell_, double(j + 1) * cell_};
        if (crosses(c, a, b)) cells_[key].segments.push_back(index);
    });
}

// The area of the box covered by held boxes, plus a box-sized penalty for
// each held line through it.
double LabelPlacer::cover(const Box& b) const {
    double area = 0;
    std::vector<int> seenBoxes, seenSegments;
    forCells(b, [&](long long key) {
        auto it = cells_.find(key);
        if (it == cells_.end()) return;
        for (int k : it->second.boxes) {
            if (std::find(seenBoxes.begin(), seenBoxes.end(), k) != seenBoxes.end()) continue;
            seenBoxes.push_back(k);
            const Box& o = boxes_[k];
            if (!overlaps(b, o)) continue;
            area +=
                (std::min(b.x1, o.x1) - std::max(b.x0, o.x0)) * (std::min(b.y1, o.y1) - std::max(b.y0, o.y0));
        }
        for (int k : it->second.segments) {
            if (std::find(seenSegments.begin(), seenSegments.end(), k) != seenSegments.end()) continue;
            seenSegments.push_back(k);
            if (crosses(b, segments_[k].a, segments_[k].b)) area += b.width() * b.height();
        }
    });
    return area;
}

// Candidates: rings about the point, the first touching it (no leader),
// the later ones each a label height farther out; on each ring sixteen
// directions, starting up and to the right.
std::vector<LabelPlace> LabelPlacer::place(const std::vector<LabelRequest>& labels) {
    constexpr int RINGS = 14, DIRECTIONS = 16;
    std::vector<LabelPlace> placed;
    placed.reserve(labels.size());
    for (const LabelRequest& l : labels) {
        LabelPlace best;
        double bestCover = std::numeric_limits<double>::infinity();
        const double gap = 0.35 * l.height;
        for (int ring = 0; ring < RINGS && bestCover > 0; ++ring) {
            const double r = gap + ring * l.height;
            for (int d = 0; d < DIRECTIONS; ++d) {
                // 0: up-right, then alternating about it so near-horizontal places come early.
                static constexpr int ORDER[DIRECTIONS] = {2, 14, 6, 10, 0, 8,  1, 15,
                                                          7, 9,  3, 13, 5, 11, 4, 12};
                const double a = ORDER[d] * (2.0 * 3.14159265358979323846 / DIRECTIONS);
                const double c = std::cos(a), s = std::sin(a);
                // The box's near edge at distance r from the point in direction a.
                const double cx = l.anchor.x + c * (r + l.width / 2);
                const double cy = l.anchor.y + s * (r + l.height / 2);
                const Box b{cx - l.width / 2, cy - l.height / 2, cx + l.width / 2, cy + l.height / 2};
                const double covered = cover(b);
                if (covered < bestCover) {
                    bestCover = covered;
                    best.box = b;
                    best.leader = ring > 0;
                    if (covered == 0) break;
                }
            }
        }
        best.clear = bestCover == 0;
        holdClear(best.box);
        placed.push_back(best);
    }
    return placed;
}

}   // namespace bp::drawing
