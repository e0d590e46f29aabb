#pragma once
// Forced into the clang build of the fuzz targets: GCC's quadmath.h spells HUGE_VALQ with a
// builtin that clang 14 does not have. The same infinity, reached through a conversion.

#include <quadmath.h>

#undef HUGE_VALQ
#define HUGE_VALQ (static_cast<__float128>(__builtin_huge_val()))
