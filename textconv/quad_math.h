#pragma once
// binary128 arithmetic under one spelling for every build: the type `float128` and
// libquadmath's names. GCC builds use __float128 and libquadmath itself. On WebAssembly
// `long double` is binary128 (computed in software) and the C library's long double functions
// stand in for libquadmath's; its printf reads long double correctly only when the program is
// linked with -sPRINTF_LONG_DOUBLE=1, which the web build does.

#if defined(__EMSCRIPTEN__)

#include <cfloat>
#include <cmath>
#include <cstdarg>
#include <cstddef>
#include <cstdio>

static_assert(LDBL_MANT_DIG == 113 && LDBL_MAX_EXP == 16384, "long double is not binary128");

namespace orbalta {
using float128 = long double;
}  // namespace orbalta

#define FLT128_MANT_DIG LDBL_MANT_DIG
#define HUGE_VALQ HUGE_VALL

inline long double nextafterq(long double x, long double y) {
  return nextafterl(x, y);
}
inline long double frexpq(long double x, int* e) {
  return frexpl(x, e);
}
inline long double ldexpq(long double x, int e) {
  return ldexpl(x, e);
}
inline int isnanq(long double x) {
  return std::isnan(x) ? 1 : 0;
}
inline int isinfq(long double x) {
  return std::isinf(x) ? 1 : 0;
}
inline long double strtoflt128(const char* text, char** end) {
  return strtold(text, end);
}

// libquadmath's length letter Q is the C library's L here.
inline int quadmath_snprintf(char* out, std::size_t size, const char* format, ...) {
  char converted[64];
  std::size_t n = 0;
  for (; format[n] != '\0' && n + 1 < sizeof converted; ++n) {
    converted[n] = format[n] == 'Q' ? 'L' : format[n];
  }
  if (format[n] != '\0') return -1;
  converted[n] = '\0';
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(out, size, converted, args);
  va_end(args);
  return length;
}

#else

extern "C" {
#include <quadmath.h>
}

namespace orbalta {
using float128 = __float128;
}  // namespace orbalta

#endif
