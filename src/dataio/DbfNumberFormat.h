#pragma once

#include <string>

// The text of a numeric DBF field: value rounded to decimals places (to the nearest, as printf
// rounds the stored binary value, an exact tie to even) and right-aligned in width
// characters with leading blanks, a "-" when negative, no integer digits when the rounded value
// is below 1 (0.5 with two decimals is ".50", 0.05 is ".05"), and no point when decimals is 0
// (a zero is then written "0", since an all-blank field reads back as no value). A number that
// does not fit, or is not finite, fills the field with "*" as dBASE does, so that it can never
// be read back as a different number.
std::string formatDbfNumber(double value, int width, int decimals);
