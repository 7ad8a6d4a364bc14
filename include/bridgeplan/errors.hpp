#pragma once
// Abandoning a problem: every error of a problem is a number; the part that
// finds it throws, the driver catches, reports and skips to the next problem.

#include <stdexcept>
#include <string>

namespace bp {

// Error numbers, one per kind of fault.
namespace err {
inline constexpr int PROBLEM_CARD = 1;
inline constexpr int LOCATION = 2;
inline constexpr int HORIZONTAL_CURVE = 3;
inline constexpr int VERTICAL_STATION = 4;
inline constexpr int VERTICAL_ELEVATION = 5;
inline constexpr int CROWN = 6;
inline constexpr int SUPERELEVATION = 7;
inline constexpr int LONGITUDINAL_LINE = 8;
inline constexpr int SPAN_CARD = 9;
inline constexpr int BENT_CARD = 10;
inline constexpr int TRANSVERSE_LINE = 11;
inline constexpr int SPAN_KEYWORD = 12;
inline constexpr int BEYOND_TABLES = 13;
inline constexpr int COORDINATE_CARD = 14;
inline constexpr int NO_CROSSING = 15;
inline constexpr int INTERNAL = 16;
inline constexpr int OUTSIDE_STATIONS = 17;
}   // namespace err

// Thrown to abandon the current problem; `number` is the error number
// printed in the report, what() says in plain words what was wrong.
class ProblemAbandoned : public std::runtime_error {
public:
    ProblemAbandoned(int number, const std::string& why) : std::runtime_error(why), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

[[noreturn]] inline void abandon(int number, const std::string& why) { throw ProblemAbandoned(number, why); }

// Thrown when the deck ends inside a problem; `expected` names the card.
class DeckEnded : public std::runtime_error {
public:
    explicit DeckEnded(const std::string& expected)
        : std::runtime_error("end of deck where " + expected + " was expected") {}
};

}   // namespace bp
