// Rounding to whole numbers as the program's arithmetic does it: halves go to the even neighbour.
#pragma once

#include <cmath>

// 2.5 -> 2, 3.5 -> 4, -0.5 -> 0 (the default floating-point rounding mode).
inline int roundHalfToEven(double value) { return int(std::nearbyint(value)); }
