#pragma once
// The points table: one CSV row per reported point (T-line rows, bent rows
// of the "LONG. LINE" tables and coordinate requests) at full precision,
// for spreadsheets. It only listens: the report and the plot are written
// exactly as without it.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "bridgeplan/point_listener.hpp"

namespace bp {

class PointsTable final : public PointListener {
public:
    explicit PointsTable(std::ostream& out);   // writes the header row
    void write(std::string_view problem, std::string_view span, const PointRow& row);
    void flush() { out_.flush(); }

    // As a listener: the page gives the problem and span cells of its rows
    // (a coordinate page belongs to no span: its span cell stays empty).
    void beginPage(const PageStart& page) override;
    void point(const PointRow& row) override { write(problem_, span_, row); }

private:
    void field(std::string_view text, bool first = false);
    void number(double v);
    void number(const std::optional<double>& v);
    std::ostream& out_;
    std::string problem_, span_;
};

}   // namespace bp
