// Reading a plot command file back: one command a line, a polyline's
// values running on over continuation lines that follow a trailing comma.
// A line that cannot be understood is reported with its number and
// skipped; the attribute lines in force carry on past it.
#include <charconv>
#include <deque>
#include <optional>
#include <string_view>
#include <utility>

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

}   // namespace

class PlotReader::Impl {
public:
    explicit Impl(std::istream& in) : in_(in) {}

    // Reads on until a header closes the drawing being built, or to the end.
    std::optional<PlotDrawing> next() {
        while (!finishedDrawing_ && !ended_) {
            if (!fetch(line_)) {
                ended_ = true;
                break;
            }
            if (trim(line_).empty()) continue;
            const int lineNumber = lineNumber_;
            continuation_.clear();
            try {
                command(line_, lineNumber);
            } catch (const Malformed& m) {
                diagnostics_.push_back({lineNumber, m.message});
            }
        }
        if (finishedDrawing_) return std::exchange(finishedDrawing_, std::nullopt);
        return std::exchange(current_, std::nullopt);   // the last drawing, then nothing
    }

    std::vector<Diagnostic> takeDiagnostics() { return std::exchange(diagnostics_, {}); }
    int overlongLine() const { return overlong_; }

private:
    // One line, without its CR LF or LF; false at the end of the file or at
    // a line too long to be a plot command (the reading ends there).
    bool fetch(std::string& line) {
        if (lookahead_) {
            line = std::move(*lookahead_);
            lookahead_.reset();
            ++lineNumber_;
            return true;
        }
        line.clear();
        std::streambuf* in = in_.rdbuf();
        int c = in->sbumpc();
        if (c == std::char_traits<char>::eof()) return false;
        ++lineNumber_;
        for (; c != std::char_traits<char>::eof() && c != '\n'; c = in->sbumpc()) {
            if (line.size() == MAX_PLOT_LINE) {
                overlong_ = lineNumber_;
                return false;
            }
            line.push_back(static_cast<char>(c));
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        return true;
    }

    // The line after the current one, left to be read again.
    const std::string* peek() {
        if (!lookahead_) {
            std::string line;
            const int number = lineNumber_;
            if (ended_ || !fetch(line)) {
                if (overlong_) ended_ = true;
                return nullptr;
            }
            lineNumber_ = number;
            lookahead_ = std::move(line);
        }
        return &*lookahead_;
    }

    PlotDrawing& drawing() {
        if (!current_) current_.emplace();
        return *current_;
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
        if (name == "DID")
            header(rest, lineNumber);
        else if (name == "FNT")
            drawing().font = static_cast<int>(needInteger(rest, "the font"));
        else if (name == "TLC")
            textLook(rest);
        else if (name == "LAC")
            lineAttributes(rest);
        else if (name == "OVR")
            pen_.level = static_cast<int>(needInteger(rest, "the level"));
        else if (name == "ASC")
            pen_.inLabel = needInteger(rest, "the label mark") != 0;
        else if (name == "LST")
            polyline(rest, lineNumber);
        else if (name == "TXT")
            text(rest, lineNumber);
        else if (name == "ARC")
            arc(rest, lineNumber);
        else
            throw Malformed{fmt::format("unknown command \"{}\"", name)};
    }

    // "DID/NA=name" starts the next problem's drawing with a fresh pen.
    void header(std::string_view rest, int lineNumber) {
        PlotDrawing d;
        d.name = std::string(afterKey(rest, "NA="));
        d.headerLine = lineNumber;
        if (current_) finishedDrawing_ = std::move(current_);
        current_ = std::move(d);
        pen_ = Pen{};
    }

    void textLook(std::string_view rest) {
        int co = drawing().textColour, ju = drawing().textJustification;
        for (std::string_view field : splitCommas(rest)) {
            field = trim(field);
            if (field.starts_with("CO="))
                co = static_cast<int>(needInteger(field.substr(3), "CO"));
            else if (field.starts_with("JU="))
                ju = static_cast<int>(needInteger(field.substr(3), "JU"));
            else
                throw Malformed{fmt::format("unknown text attribute \"{}\"", field)};
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
            const auto value = [&] {
                return static_cast<int>(needInteger(field.substr(3), field.substr(0, 2)));
            };
            if (field.starts_with("LT="))
                pen.lineType = value();
            else if (field.starts_with("LC="))
                pen.colour = value();
            else if (field.starts_with("LS="))
                pen.style = value();
            else
                throw Malformed{fmt::format("unknown line attribute \"{}\"", field)};
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
            const std::string* following = peek();
            if (!following || !following->starts_with(" "))
                throw Malformed{"the polyline ends in \",\" but no continuation line follows"};
            // Kept while the values that point into it are read.
            continuation_.emplace_back();
            fetch(continuation_.back());
            tail = continuation_.back();
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
        if (parts.size() < 6) throw Malformed{"a text needs TH=, TW=, OR=x,y, AN= and its text"};
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

    std::istream& in_;
    std::string line_;
    std::optional<std::string> lookahead_;
    std::deque<std::string> continuation_;
    int lineNumber_ = 0;
    int overlong_ = 0;
    bool ended_ = false;
    std::optional<PlotDrawing> current_, finishedDrawing_;
    std::vector<Diagnostic> diagnostics_;
    Pen pen_;
};

PlotReader::PlotReader(std::istream& in) : impl_(std::make_unique<Impl>(in)) {}
PlotReader::~PlotReader() = default;
std::optional<PlotDrawing> PlotReader::next() { return impl_->next(); }
std::vector<Diagnostic> PlotReader::takeDiagnostics() { return impl_->takeDiagnostics(); }
int PlotReader::overlongLine() const { return impl_->overlongLine(); }

PlotFile readPlotFile(std::istream& in) {
    PlotReader reader(in);
    PlotFile file;
    while (auto d = reader.next()) file.drawings.push_back(std::move(*d));
    file.diagnostics = reader.takeDiagnostics();
    if (reader.overlongLine())
        file.diagnostics.push_back(
            {reader.overlongLine(), fmt::format("the line is longer than {} characters; the rest "
                                                "of the file is not read",
                                                MAX_PLOT_LINE)});
    return file;
}

}   // namespace bp::render
