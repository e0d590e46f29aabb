#pragma once
// std::from_chars for float and double in the scientific format, for every build. The C++
// library of the WebAssembly toolchain has only the integer overloads; there the C library's
// strtof and strtod round instead (correctly, ties to even, straight to the target type). Only
// texts without a decimal point are passed, so the locale cannot change what they read.

#include <charconv>
#include <system_error>

#if defined(__EMSCRIPTEN__)
#include <cmath>
#include <cstdlib>
#include <string>
#endif

namespace orbalta {

// As std::from_chars: out of range leaves `value` as it was, both for a result that overflows
// and for one that rounds to zero.
template <class Float>
std::from_chars_result floatFromChars(const char* first, const char* last, Float& value) {
#if defined(__EMSCRIPTEN__)
  const std::string text(first, last);
  char* end = nullptr;
  Float v = 0;
  if constexpr (sizeof(Float) == 4) {
    v = std::strtof(text.c_str(), &end);
  } else {
    v = std::strtod(text.c_str(), &end);
  }
  const char* const stop = first + (end - text.c_str());
  if (stop == first) return {first, std::errc::invalid_argument};
  if (std::isinf(v) || v == 0) {
    // A zero read from digits that are all zeros is no underflow.
    bool nonzero = false;
    for (const char* p = first; p < stop && *p != 'e' && *p != 'E'; ++p) {
      nonzero = nonzero || (*p >= '1' && *p <= '9');
    }
    if (std::isinf(v) || nonzero) return {stop, std::errc::result_out_of_range};
  }
  value = v;
  return {stop, std::errc{}};
#else
  return std::from_chars(first, last, value, std::chars_format::scientific);
#endif
}

}  // namespace orbalta
