#pragma once
// The three binary interchange formats, one constant row each, named by `formatBytes`.

#include <cstdint>

#include "textconv/number_types.h"

namespace orbalta {

struct FormatSpec {
  int formatBytes;  // 4, 8, 16
  const char* name;
  int bits;  // N
  int signWidth;
  int exponentWidth;  // We
  int fractionWidth;  // Wt
  int bias;
  int emin;
  int emax;
  int precision;  // P
  int formatRadio;
  int signEdit;
  int exponentEdit;
  // binary128 splits its fraction over two edits: high 48 bits, then low 64 bits.
  int fractionEdit;       // the whole fraction, or its high part
  int fractionLowEdit;    // 0 unless split
  int fractionHighWidth;  // width shown in fractionEdit
  int fractionLowWidth;   // width shown in fractionLowEdit, 0 unless split

  Encoding signMask() const { return Encoding{1} << (bits - 1); }
  Encoding exponentMask() const { return ((Encoding{1} << exponentWidth) - 1) << fractionWidth; }
  Encoding fractionMask() const { return (Encoding{1} << fractionWidth) - 1; }
};

// The row of `formatBytes`; nullptr for any value other than 4, 8, 16.
const FormatSpec* formatSpec(int formatBytes);

inline constexpr FormatSpec kBinary32{4,  "binary32", 32,   1,    8,    23, 127, -126, 127,
                                      24, 1011,       1026, 1027, 1028, 0,  23,  0};
inline constexpr FormatSpec kBinary64{8,  "binary64", 64,   1,    11,   52, 1023, -1022, 1023,
                                      53, 1012,       1032, 1033, 1035, 0,  52,   0};
inline constexpr FormatSpec kBinary128{16,    "binary128", 128,   1,   15,   112,
                                       16383, -16382,      16383, 113, 1013, 1014,
                                       1015,  1016,        1018,  48,  64};

}  // namespace orbalta
