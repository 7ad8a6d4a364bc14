#pragma once
// The search shared by the profile segments and the superelevation
// intervals: tables of stations station(1), station(2), ... where interval
// p runs from station(p) to station(p + 1).

namespace bp {

// The interval 1..count holding station s, and d = s - station(p). A
// station on a boundary belongs to the interval it ends, except at
// station(1). 0 when s lies before station(1) or beyond station(count + 1).
template <class StationOf>
int intervalOfStation(const StationOf& stationOf, int count, double s, double& d) {
    int p = 1;
    d = s - stationOf(1);
    if (d < 0) return 0;
    while (d > 0 && s > stationOf(p + 1)) {
        if (p == count) return 0;
        ++p;
        d = s - stationOf(p);
    }
    return p;
}

}   // namespace bp
