#pragma once
// A ratio of exact values to four significant digits, its power of ten a GMP integer, so an
// error of any decimal exponent has its ratio to ULP(X) too.

#include <gmp.h>

#include <string>

namespace orbalta {

// num / den * 10^scale (num, den > 0) to 4 significant digits, rounded to nearest (half up),
// after a '-' when `negative`: "-0.2000", "12.50", "1.000e-30".
std::string ratioText(bool negative, mpz_srcptr num, mpz_srcptr den, mpz_srcptr scale);

// "e+N" or "e-N".
std::string powerText(mpz_srcptr exponent);

}  // namespace orbalta
