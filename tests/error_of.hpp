#pragma once
// errorOf, shared by the test fixtures of every subsystem.

#include "bridgeplan/errors.hpp"

namespace bp::testing {

// The error number a call abandons its problem with, 0 when it completes.
int errorOf(auto&& f) {
    try {
        f();
    } catch (const ProblemAbandoned& e) {
        return e.number();
    }
    return 0;
}

}   // namespace bp::testing
