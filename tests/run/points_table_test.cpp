// The points table's cells: full precision, empty cells for what a row
// does not have, and RFC 4180 quoting of the card texts.
#include <sstream>

#include <gtest/gtest.h>

#include "run/points_table.hpp"

namespace bp {
namespace {

std::string lastRecord(const std::string& csv) {
    const auto end = csv.rfind("\r\n");
    const auto start = csv.rfind("\r\n", end - 1);
    return csv.substr(start + 2, end - start - 2);
}

TEST(PointsTable, NumbersReadBackExactlyAndMissingValuesAreEmptyCells) {
    std::ostringstream out;
    PointsTable table(out);
    PointRow row;
    row.kind = "T";
    row.number = " 3";
    row.line = 12;
    row.station = 1454.4881377844267;
    row.elevation = 0.1 + 0.2;   // not 0.3: every digit kept
    row.edgeMark = '*';
    row.dtToMl = -0.0;
    row.dtToBt = 40.80634211442143;
    row.angle = -1.5;   // radians: -85.94366926962346 degrees with the report's pi
    row.x = -1e-7;
    row.y = 1062.7265701288266;
    row.remarks = "MIDSPAN       ";
    row.type = "CONS/PROP";
    table.write("0001", " 1", row);
    EXPECT_EQ(out.str().substr(0, out.str().find("\r\n")),
              "problem,span,long_line,row,number,station_ft,elevation_ft,edge_mark,dt_to_ml_ft,"
              "dt_to_bt_ft,dt_to_pp_ft,angle_deg,x_ft,y_ft,remarks,type,northing_ft,easting_ft");
    EXPECT_EQ(lastRecord(out.str()),
              "0001,1,12,T,3,1454.4881377844267,0.30000000000000004,*,0,40.80634211442143,,"
              "-85.94366926962346,-1e-07,1062.7265701288266,MIDSPAN,CONS/PROP,,");
    // With a tie the grid cells follow, every digit kept.
    row.northing = 4567890.123456789;
    row.easting = -0.0;
    table.write("0001", " 1", row);
    EXPECT_EQ(lastRecord(out.str()),
              "0001,1,12,T,3,1454.4881377844267,0.30000000000000004,*,0,40.80634211442143,,"
              "-85.94366926962346,-1e-07,1062.7265701288266,MIDSPAN,CONS/PROP,4567890.123456789,0");
}

TEST(PointsTable, CardTextsWithCommasOrQuotesAreQuoted) {
    std::ostringstream out;
    PointsTable table(out);
    PointRow row;
    row.kind = "P";
    row.number = "1";
    row.remarks = "POLE \"A\", NW";
    row.type = "LITE";
    table.write("0004", "  ", row);
    EXPECT_EQ(lastRecord(out.str()), "0004,,,P,1,0,0,,0,,,,0,0,\"POLE \"\"A\"\", NW\",LITE,,");
}

// Texts a spreadsheet would run as formulas are shown as text: an
// apostrophe first. Number cells and texts that are plain numbers stay.
TEST(PointsTable, TextsThatReadAsFormulasGetALeadingApostrophe) {
    const std::pair<const char*, const char*> cases[] = {
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1+1", "'+1+1"},
        {"-SEE NOTE", "'-SEE NOTE"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tTAB", "'\tTAB"},
        {"\rCR", "\"'\rCR\""},
        {"-12.5", "-12.5"},
        {"CL BRG-ABUT =1", "CL BRG-ABUT =1"},
    };
    for (const auto& [remarks, cell] : cases) {
        std::ostringstream out;
        PointsTable table(out);
        PointRow row;
        row.kind = "P";
        row.number = "-7";
        row.x = -3.25;
        row.remarks = remarks;
        row.type = "=NAME";
        table.write("0004", "  ", row);
        EXPECT_EQ(lastRecord(out.str()), std::string("0004,,,P,-7,0,0,,0,,,,-3.25,0,") + cell + ",'=NAME,,")
            << remarks;
    }
}

}   // namespace
}   // namespace bp
