#pragma once

// The decade d of a model value: 10^d <= |value| < 10^(d+1), with the powers of ten taken as
// the model holds values, as 32-bit floats, so that a coefficient written 0.01 (stored as the
// float just below 0.01) is in decade -2, as its author meant. value must be finite, not 0.
int decadeOf(float value);

// 10^decade as the nearest double, for labels and band limits.
double decadePower(int decade);

// 10^decade as the model would store it: the float nearest to it (0 or infinity beyond the
// float range).
float decadeFloat(int decade);
