#pragma once
// std::bit_cast for every build: the C++ library of the WebAssembly toolchain does not have it
// yet, while both compilers have the builtin it is made of.

#include <type_traits>

namespace orbalta {

template <class To, class From>
requires(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
         std::is_trivially_copyable_v<From>) constexpr To bit_cast(const From& from) noexcept {
  return __builtin_bit_cast(To, from);
}

}  // namespace orbalta
