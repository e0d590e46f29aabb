#pragma once
// How a fuzz target reports a broken invariant: what broke and on which input, then abort,
// so that libFuzzer keeps the input as a crash. The description of the input is built only
// when something broke: most checks run millions of times.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>

namespace orbalta::fuzz {

[[noreturn]] inline void fail(const char* what, std::string_view detail = {}) {
  std::fprintf(stderr, "invariant broken: %s\n  %.*s\n", what, static_cast<int>(detail.size()),
               detail.data());
  std::abort();
}

inline void require(bool holds, const char* what) {
  if (!holds) fail(what);
}

// `detail` is called for the description only when the invariant is broken.
template <typename Detail>
requires std::is_invocable_r_v<std::string, Detail>
void require(bool holds, const char* what, Detail&& detail) {
  if (!holds) fail(what, detail());
}

// The input in double quotes, bytes outside printable ASCII as \xHH.
inline std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c >= 0x20 && c < 0x7f) {
      out.push_back(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned char>(c));
      out += escaped;
    }
  }
  return out + "\"";
}

}  // namespace orbalta::fuzz
