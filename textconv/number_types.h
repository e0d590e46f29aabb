#pragma once
// Values are kept as their interchange encodings and become arithmetic types only to compute.

#include <cstdint>

#include "textconv/quad_math.h"

namespace orbalta {

using uint128 = unsigned __int128;

// An encoding of any of the three formats, zero-extended: binary32 in the low 32 bits,
// binary64 in the low 64, binary128 in all 128. Which format it is travels beside it as
// `formatBytes` (4, 8, 16).
using Encoding = uint128;

}  // namespace orbalta
