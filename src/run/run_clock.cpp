#include "run/run_clock.hpp"

#include <cstdlib>

#include <fmt/format.h>

namespace bp {

RunClock RunClock::from(const std::tm& tm) {
    static const char* const months[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                         "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    RunClock c;
    c.time = fmt::format("{:02}:{:02}:{:02}", tm.tm_hour, tm.tm_min, tm.tm_sec);
    c.date = fmt::format("{:02}-{}-{:02}", tm.tm_mday, months[tm.tm_mon % 12], tm.tm_year % 100);
    return c;
}

RunClock RunClock::now() {
    std::tm tm{};
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH"); epoch && *epoch) {
        std::time_t t = static_cast<std::time_t>(std::strtoll(epoch, nullptr, 10));
        gmtime_r(&t, &tm);
    } else {
        std::time_t t = std::time(nullptr);
        localtime_r(&t, &tm);
    }
    return from(tm);
}

}   // namespace bp
