#pragma once
// The two notations of the report rows: stations as hundreds+tens and feet
// (123+45.6789) and angles between lines as degrees-minutes-seconds
// (12-05-07.3), folded into -90..+90 degrees.

namespace bp {

struct StationParts {
    long long hundreds = 0;              // H, signed
    int tens = 0;                        // T, one digit, unsigned
    double rest = 0;                     // R, feet 0 <= R < 10, four decimals
    bool negativeBelowHundred = false;   // -100 < s < 0: the hundreds print as "-0"
};

// Rounds s (ft) to 0.0001 ft half away from zero and splits it.
StationParts splitStation(double s);

struct AngleParts {
    long degrees = 0;   // signed whole degrees
    int minuteTens = 0, minuteUnits = 0, secondTens = 0;
    double secondRest = 0;   // 0.0 .. 9.9
    bool negative = false;
    // Negative with zero whole degrees: the sign goes on an overprint record.
    bool needsOverprint() const { return negative && degrees == 0; }
};

// Folds an angle between lines once into [-pi/2, pi/2]: above pi/2 take pi
// off, below -pi/2 add pi.
double foldAngle(double radians);

// Splits an (already folded) angle in radians, rounded to 0.1 second.
AngleParts splitAngle(double radians);

}   // namespace bp
