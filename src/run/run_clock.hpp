#pragma once
// The run's date and time, read once before the first card and printed in
// every banner: time hh:mm:ss, date dd-MON-yy.

#include <ctime>
#include <string>

namespace bp {

struct RunClock {
    std::string time = "00:00:00";
    std::string date = "01-JAN-70";

    // From a broken-down time.
    static RunClock from(const std::tm& tm);
    // The local clock, or, when SOURCE_DATE_EPOCH is set, that instant in UTC
    // (reproducible reports).
    static RunClock now();
};

}   // namespace bp
