#include "model/ieee_arith.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

extern "C" {
#include <quadmath.h>
}

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

float ulpOf(float x) {
  if (std::isnan(x)) return x;
  if (std::isinf(x)) return std::numeric_limits<float>::infinity();
  int e = 0;
  std::frexp(x, &e);
  return std::ldexp(1.0f, e - std::numeric_limits<float>::digits);
}

double ulpOf(double x) {
  if (std::isnan(x)) return x;
  if (std::isinf(x)) return std::numeric_limits<double>::infinity();
  int e = 0;
  std::frexp(x, &e);
  return std::ldexp(1.0, e - std::numeric_limits<double>::digits);
}

float128 ulpOf(float128 x) {
  if (isnanq(x)) return x;
  if (isinfq(x)) return HUGE_VALQ;
  int e = 0;
  frexpq(x, &e);
  return ldexpq(1.0Q, e - FLT128_MANT_DIG);
}

namespace {

template <typename Real, typename Bits>
Encoding onEncoding(Encoding bits, Real (*op)(Real)) {
  return std::bit_cast<Bits>(op(std::bit_cast<Real>(static_cast<Bits>(bits))));
}

}  // namespace

Encoding nextUpBits(Encoding bits, int formatBytes) {
  switch (formatBytes) {
    case 4:
      return onEncoding<float, std::uint32_t>(bits, &nextUp);
    case 8:
      return onEncoding<double, std::uint64_t>(bits, &nextUp);
    case 16:
      return onEncoding<float128, uint128>(bits, &nextUp);
    default:
      return bits;
  }
}

Encoding nextDownBits(Encoding bits, int formatBytes) {
  switch (formatBytes) {
    case 4:
      return onEncoding<float, std::uint32_t>(bits, &nextDown);
    case 8:
      return onEncoding<double, std::uint64_t>(bits, &nextDown);
    case 16:
      return onEncoding<float128, uint128>(bits, &nextDown);
    default:
      return bits;
  }
}

Encoding ulpBits(Encoding bits, int formatBytes) {
  switch (formatBytes) {
    case 4:
      return onEncoding<float, std::uint32_t>(bits, &ulpOf);
    case 8:
      return onEncoding<double, std::uint64_t>(bits, &ulpOf);
    case 16:
      return onEncoding<float128, uint128>(bits, &ulpOf);
    default:
      return bits;
  }
}

}  // namespace orbalta
