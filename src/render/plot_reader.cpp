// Reading a plot command file back: one command a line, a polyline's
// values running on over continuation lines that follow a trailing comma.
// A line that cannot be understood is reported with its number and
// skipped; the attribute lines in force carry on past it.
#include <charconv>
#include <optional>
#include <string_view>

#include <fmt/format.h>

#include "render/plot_drawing.hpp"

namespace bp::render {
namespace {

std::string_view trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A numeric field: blank-filled on the left, a "-" before a negative
// value, nothing else around it; ten asterisks (a value that did not fit)
// is no number.
template <class T>
std::optional<T> numberField(std::string_view s) {
    s = trim(s);
    T v = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return v;
}

std::optional<std::int64_t> integerField(std::string_view s) { return numberField<std::int64_t>(s); }
std::optional<double> realField(std::string_view s) { return numberField<double>(s); }

std::vector<std::string_view> splitCommas(std::string_view s) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = s.find(',');
        parts.push_back(s.substr(0, comma));
        if (comma == std::string_view::npos) return parts;
        s.remove_prefix(comma + 1);
    }
}

struct Malformed {
    std::string message;
};

class Reader {
public:
    explicit Reader(std::istream& in) {
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines_.push_back(std::move(line));
        }
    }

    PlotFile read() {
        for (next_ = 0; next_ < lines_.size();) {
            const std::size_t index = next_++;
            const std::string_view line = lines_[index];
            if (trim(line).empty()) continue;
            try {
                command(line, static_cast<int>(index + 1));
            } catch (const Malformed& m) {
                file_.diagnostics.push_back({static_cast<int>(index + 1), m.message});
            }
        }
        return std::move(file_);
    }

private:
    PlotDrawing& drawing() {
        if (file_.drawings.empty()) file_.drawings.emplace_back();
        return file_.drawings.back();
    }

    void add(Element e, int lineNumber) {
        e.pen = pen_;
        e.sourceLine = lineNumber;
        drawing().elements.push_back(std::move(e));
    }

    static std::int64_t needInteger(std::string_view s, std::string_view what) {
        auto v = integerField(s);
        if (!v) throw Malformed{fmt::format("{} \"{}\" is not a whole number", what, trim(s))};
        return *v;
    }

    static std::string_view afterKey(std::string_view field, std::string_view key) {
        field = trim(field);
        if (field.substr(0, key.size()) != key)
            throw Malformed{fmt::format("expected \"{}\" where \"{}\" stands", key, field)};
        return field.substr(key.size());
    }

    void command(std::string_view line, int lineNumber) {
        const auto slash = line.find('/');
        const std::string_view name = slash == std::string_view::npos ? line : line.substr(0, slash);
        const std::string_view rest = slash == std::string_view::npos ? "" : line.substr(slash + 1);
        if (slash == std::string_view::npos || name.size() != 3)
            throw Malformed{fmt::format("not a plot command: \"{}\"", trim(line))};
        if (name == "DID") header(rest, lineNumber);
        else if (name == "FNT") drawing().font = static_cast<int>(needInteger(rest, "the font"));
        else if (name == "TLC") textLook(rest);
        else if (name == "LAC") lineAttributes(rest);
        else if (name == "OVR") pen_.level = static_cast<int>(needInteger(rest, "the level"));
        else if (name == "ASC") pen_.inLabel = needInteger(rest, "the label mark") != 0;
        else if (name == "LST") polyline(rest, lineNumber);
        else if (name == "TXT") text(rest, lineNumber);
        else if (name == "ARC") arc(rest, lineNumber);
        else throw Malformed{fmt::format("unknown command \"{}\"", name)};
    }

    // "DID/NA=name" starts the next problem's drawing with a fresh pen.
    void header(std::string_view rest, int lineNumber) {
        PlotDrawing d;
        d.name = std::string(afterKey(rest, "NA="));
        d.headerLine = lineNumber;
        file_.drawings.push_back(std::move(d));
        pen_ = Pen{};
    }

    void textLook(std::string_view rest) {
        int co = drawing().textColour, ju = drawing().textJustification;
        for (std::string_view field : splitCommas(rest)) {
            field = trim(field);
            if (field.starts_with("CO=")) co = static_cast<int>(needInteger(field.substr(3), "CO"));
            else if (field.starts_with("JU=")) ju = static_cast<int>(needInteger(field.substr(3), "JU"));
            else throw Malformed{fmt::format("unknown text attribute \"{}\"", field)};
        }
        drawing().textColour = co;
        drawing().textJustification = ju;
    }

    // "LAC/LT=3,LC=1,LS=0" or any part of it ("LAC/LC=3"): the fields not
    // named keep their value. The pen changes only when the whole line reads.
    void lineAttributes(std::string_view rest) {
        Pen pen = pen_;
        for (std::string_view field : splitCommas(rest)) {
            field = trim(field);
            const auto value = [&] { return static_cast<int>(needInteger(field.substr(3), field.substr(0, 2))); };
            if (field.starts_with("LT=")) pen.lineType = value();
            else if (field.starts_with("LC=")) pen.colour = value();
            else if (field.starts_with("LS=")) pen.style = value();
            else throw Malformed{fmt::format("unknown line attribute \"{}\"", field)};
        }
        pen_ = pen;
    }

    // "LST/OP" and ",x,y" pairs; a line ending in "," goes on on the next
    // line (four blanks, then the values). Two or more points; a polyline
    // whose points all coincide is a point marker.
    void polyline(std::string_view rest, int lineNumber) {
        if (!rest.starts_with("OP"))
            throw Malformed{fmt::format("a polyline is \"LST/OP\", not \"LST/{}\"", rest)};
        std::vector<std::string_view> values;
        std::string_view tail = rest.substr(2);
        if (!tail.empty() && tail[0] != ',')
            throw Malformed{fmt::format("\"LST/{}\" is not followed by values", rest)};
        if (!tail.empty()) tail.remove_prefix(1);
        for (;;) {
            std::vector<std::string_view> parts = splitCommas(tail);
            const bool runsOn = !parts.empty() && trim(parts.back()).empty() && parts.size() > 1;
            if (runsOn) parts.pop_back();
            values.insert(values.end(), parts.begin(), parts.end());
            if (!runsOn) break;
            if (next_ >= lines_.size() || !lines_[next_].starts_with(" "))
                throw Malformed{"the polyline ends in \",\" but no continuation line follows"};
            tail = lines_[next_++];
        }
        if (values.size() % 2 != 0)
            throw Malformed{fmt::format("a polyline has {} values, not pairs of x and y", values.size())};
        Element e;
        for (std::size_t k = 0; k < values.size(); k += 2)
            e.points.push_back({needInteger(values[k], "x"), needInteger(values[k + 1], "y")});
        if (e.points.size() < 2)
            throw Malformed{fmt::format("a polyline needs two points or more, not {}", e.points.size())};
        bool allSame = true;
        for (const PlotPoint& p : e.points) allSame = allSame && p == e.points.front();
        if (allSame) {
            e.kind = ElementKind::Marker;
            e.points.resize(1);
        } else {
            e.kind = ElementKind::Polyline;
        }
        add(std::move(e), lineNumber);
    }

    // "TXT/TH=h,TW=w,OR=x,y,AN=a,text": everything after the angle's comma
    // is the text, commas and all.
    void text(std::string_view rest, int lineNumber) {
        std::vector<std::string_view> parts = splitCommas(rest);
        if (parts.size() < 6)
            throw Malformed{"a text needs TH=, TW=, OR=x,y, AN= and its text"};
        Element e;
        e.kind = ElementKind::Text;
        e.textHeight = needInteger(afterKey(parts[0], "TH="), "TH");
        e.textWidth = needInteger(afterKey(parts[1], "TW="), "TW");
        e.points.push_back({needInteger(afterKey(parts[2], "OR="), "the text origin x"),
                            needInteger(parts[3], "the text origin y")});
        auto angle = realField(afterKey(parts[4], "AN="));
        if (!angle) throw Malformed{fmt::format("the text angle \"{}\" is not a number", parts[4])};
        e.textAngle = *angle;
        if (e.textHeight <= 0 || e.textWidth <= 0)
            throw Malformed{fmt::format("a text of height {} and width {}", e.textHeight, e.textWidth)};
        const std::size_t start = static_cast<std::size_t>(parts[5].data() - rest.data());
        e.text = std::string(rest.substr(start));
        add(std::move(e), lineNumber);
    }

    // "ARC/CL,CE=cx,cy,P1=x1,y1,P2=x2,y2" clockwise from P1 to P2 about
    // the centre, "ARC/CC,..." counter-clockwise.
    void arc(std::string_view rest, int lineNumber) {
        std::vector<std::string_view> parts = splitCommas(rest);
        if (parts.size() != 7 || (parts[0] != "CL" && parts[0] != "CC"))
            throw Malformed{"an arc is \"ARC/CL\" or \"ARC/CC\" with CE=, P1= and P2="};
        Element e;
        e.kind = ElementKind::Arc;
        e.clockwise = parts[0] == "CL";
        e.centre = {needInteger(afterKey(parts[1], "CE="), "the centre x"),
                    needInteger(parts[2], "the centre y")};
        e.points.push_back({needInteger(afterKey(parts[3], "P1="), "P1 x"), needInteger(parts[4], "P1 y")});
        e.points.push_back({needInteger(afterKey(parts[5], "P2="), "P2 x"), needInteger(parts[6], "P2 y")});
        if (e.points[0] == e.centre) throw Malformed{"the arc starts at its centre"};
        add(std::move(e), lineNumber);
    }

    std::vector<std::string> lines_;
    std::size_t next_ = 0;
    PlotFile file_;
    Pen pen_;
};

}  // namespace

PlotFile readPlotFile(std::istream& in) { return Reader(in).read(); }

}  // namespace bp::render
