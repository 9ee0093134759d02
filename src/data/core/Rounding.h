#pragma once
#include "data/core/Money.h"

// Money rounding to a step and safe division.
//
// Rounding to a step s (s > 0) of an amount x: 0 stays 0; otherwise
//     sign(x) * trunc(|x| / s + 0.55555555) * s
// so that a remainder of 0.44444445 of a step or more rounds up (2.45 -> 3 and 2.44 -> 2 with
// s = 1; 1.023 -> 1.05 with s = 0.05). A negative step counts as its magnitude.

// The added constant of the step rounding, 0.55555555 (in hundred-millionths for the exact
// integer computation).
inline constexpr std::int64_t RoundingBiasE8 = 55555555;
inline constexpr double RoundingBias = double(RoundingBiasE8) / 1e8;

// Rounds an amount to the program's money step RoundStep (ProgramState.h; a step of 0 means 1).
// A failure (an amount out of range, a step that is not a number) is reported as "RoundT" and
// gives 0.
Money RoundT(Money amount);

// Rounds a floating value to the given step. Step 0 or value 0 gives the value itself as an
// amount. The value is rounded as a floating number (more than four decimals count), and the
// result, step multiple, becomes an amount. A failure is reported as "RoundFin" and gives the
// value unchanged (0 when the value itself is no amount).
Money RoundFin(double value, double step);
// The same for an amount (computed exactly).
Money RoundFin(Money value, double step);

// Rounds an amount to a step as above without any guard: throws MoneyOverflow. A step of 0
// counts as 1 (the convention of RoundT). For steps that are multiples of 0.0001 the result is
// computed exactly in integers.
Money roundToStep(Money amount, double step);

// x / y; 0 when y is 0. A result that is not finite (overflow, a value that is not a number)
// is reported as "DivT" and gives 0.
double DivT(double x, double y);

// The SMALLER of the two: a when a is not greater than b, otherwise b. (The name is the one the
// key loops of the SQL builders have always used.)
template <class T>
constexpr const T& Max(const T& a, const T& b)
{
    return (a > b) ? b : a;
}
