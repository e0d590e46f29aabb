#pragma once
// nextUp, nextDown and ULP, each computed in the arithmetic of its own format.

#include "textconv/number_types.h"

namespace orbalta {

// The adjacent value towards +infinity (nextUp) or -infinity (nextDown): both zeros step to
// the smallest subnormal of the direction, an infinity steps only inwards, NaN stays NaN.
float nextUp(float x);
double nextUp(double x);
float128 nextUp(float128 x);
float nextDown(float x);
double nextDown(double x);
float128 nextDown(float128 x);

// 2^(e - P) rounded to the format, e being the exponent of x = f * 2^e with 0.5 <= |f| < 1
// (0 for zero). So zero gives 2^-P and every subnormal gives 0. An infinity gives +infinity
// and a NaN itself, since they have no binade.
float ulpOf(float x);
double ulpOf(double x);
float128 ulpOf(float128 x);

// The same on encodings of the format `formatBytes` (4, 8, 16); other formats return `bits`.
Encoding nextUpBits(Encoding bits, int formatBytes);
Encoding nextDownBits(Encoding bits, int formatBytes);
Encoding ulpBits(Encoding bits, int formatBytes);

}  // namespace orbalta
