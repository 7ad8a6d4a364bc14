#pragma once
// The exit statuses shared by bridgeplan and bridgeplan-render, so that a
// script can tell a finished run from one that needs a look. When several
// apply, the highest in this order wins: NOT_STARTED, INCOMPLETE,
// PARTLY_DONE, DONE. A run stopped by SIGINT, SIGTERM or SIGHUP ends with
// 128 + the signal number (see cleanup.hpp).

namespace bp::exit_status {

inline constexpr int DONE = 0;          // every problem done, every output written
inline constexpr int INCOMPLETE = 1;    // the deck ended inside a problem (or held none), or an
                                        // output could not be written in full
inline constexpr int NOT_STARTED = 2;   // bad arguments, an input that cannot be read, an output
                                        // refused or declined: no file was touched
inline constexpr int PARTLY_DONE = 3;   // the input was read to its end, but some problems were
                                        // abandoned (or plot lines skipped); outputs written

// The status of two outcomes of one run taken together.
constexpr int worse(int a, int b) {
    auto rank = [](int s) { return s == NOT_STARTED ? 3 : s == INCOMPLETE ? 2 : s == PARTLY_DONE ? 1 : 0; };
    return rank(a) >= rank(b) ? a : b;
}

}   // namespace bp::exit_status
