#include "model/ieee_arith.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "textconv/bit_cast.h"
#include "textconv/quad_math.h"

namespace orbalta {

// nextafter already follows nextUp/nextDown: a zero of either sign steps to the smallest
// subnormal of the direction, the smallest subnormal steps to the zero of its own sign, an
// infinity towards the same infinity stays, and NaN propagates.
float nextUp(float x) {
  return std::nextafter(x, std::numeric_limits<float>::infinity());
}
double nextUp(double x) {
  return std::nextafter(x, std::numeric_limits<double>::infinity());
}
float128 nextUp(float128 x) {
  return nextafterq(x, HUGE_VALQ);
}
float nextDown(float x) {
  return std::nextafter(x, -std::numeric_limits<float>::infinity());
}
double nextDown(double x) {
  return std::nextafter(x, -std::numeric_limits<double>::infinity());
}
float128 nextDown(float128 x) {
  return nextafterq(x, -HUGE_VALQ);
}

namespace {

// float and double; binary128 has its own below.
template <typename Real>
Real ulpOfReal(Real x) {
  if (std::isnan(x)) return x;
  if (std::isinf(x)) return std::numeric_limits<Real>::infinity();
  int e = 0;
  std::frexp(x, &e);
  return std::ldexp(Real{1}, e - std::numeric_limits<Real>::digits);
}

}  // namespace

float ulpOf(float x) {
  return ulpOfReal(x);
}

double ulpOf(double x) {
  return ulpOfReal(x);
}

float128 ulpOf(float128 x) {
  if (isnanq(x)) return x;
  if (isinfq(x)) return HUGE_VALQ;
  int e = 0;
  frexpq(x, &e);
  return ldexpq(float128{1}, e - FLT128_MANT_DIG);
}

namespace {

template <typename Real, typename Bits, typename Op>
Encoding onEncoding(Encoding bits, Op op) {
  return orbalta::bit_cast<Bits>(op(orbalta::bit_cast<Real>(static_cast<Bits>(bits))));
}

// `op` on the value of `bits` in its format; `bits` unchanged for an unknown format.
template <typename Op>
Encoding onFormat(Encoding bits, int formatBytes, Op op) {
  switch (formatBytes) {
    case 4:
      return onEncoding<float, std::uint32_t>(bits, op);
    case 8:
      return onEncoding<double, std::uint64_t>(bits, op);
    case 16:
      return onEncoding<float128, uint128>(bits, op);
    default:
      return bits;
  }
}

}  // namespace

Encoding nextUpBits(Encoding bits, int formatBytes) {
  return onFormat(bits, formatBytes, [](auto x) { return nextUp(x); });
}

Encoding nextDownBits(Encoding bits, int formatBytes) {
  return onFormat(bits, formatBytes, [](auto x) { return nextDown(x); });
}

Encoding ulpBits(Encoding bits, int formatBytes) {
  return onFormat(bits, formatBytes, [](auto x) { return ulpOf(x); });
}

}  // namespace orbalta
