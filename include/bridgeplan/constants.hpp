#pragma once
// The shared angle constants. These decimal values, not the machine's pi,
// are the ones every angle of the system is computed with.

namespace bp {

inline constexpr double PI = 3.141592653589794;
inline constexpr double HALF_PI = 1.570796326794897;
inline constexpr double DEG_TO_RAD = 0.0174532925199433;

// Single-precision tolerances, held as the doubles they widen to.
inline constexpr double DIRECTION_TOLERANCE = static_cast<double>(0.000001f);   // 9.99999997e-7
inline constexpr double SPIRAL_TOLERANCE = static_cast<double>(1.0e-5f);        // 9.99999975e-6

// Pass limit of the spiral iterations; a spiral that has not converged by
// then is abandoned.
inline constexpr int SPIRAL_PASS_LIMIT = 10000;

}   // namespace bp
