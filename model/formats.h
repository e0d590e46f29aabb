#pragma once
// The three formats as the main window shows them: the text layer's row of each format and
// the controls that hold its fields.

#include <array>

#include "model/ids.h"
#include "textconv/format_descriptor.h"

namespace orbalta {

struct FormatSpec : FormatDescriptor {
  int formatRadio;
  int signEdit;
  int exponentEdit;
  // binary128 splits its fraction over two edits: high 48 bits, then low 64 bits.
  int fractionEdit;       // the whole fraction, or its high part
  int fractionLowEdit;    // 0 unless split
  int fractionHighWidth;  // width shown in fractionEdit
  int fractionLowWidth;   // width shown in fractionLowEdit, 0 unless split
  int xTextLength;        // the most characters the X edit takes
};

// One bit-field edit of a format and the width it shows; width 0 for an edit the format lacks.
struct FieldEdit {
  int id;
  int width;
};

// The edits of `format` in bit order, sign first.
std::array<FieldEdit, 4> fieldEdits(const FormatSpec& format);

// The row of `formatBytes`; nullptr for any value other than 4, 8, 16.
const FormatSpec* formatSpec(int formatBytes);

inline constexpr FormatSpec kBinary32{
    kBinary32Format, id::kRadio32, id::kSign32, id::kExponent32, id::kFraction32, 0, 23, 0, 13};
inline constexpr FormatSpec kBinary64{
    kBinary64Format, id::kRadio64, id::kSign64, id::kExponent64, id::kFraction64, 0, 52, 0, 22};
inline constexpr FormatSpec kBinary128{kBinary128Format,
                                       id::kRadio128,
                                       id::kSign128,
                                       id::kExponent128,
                                       id::kFractionHigh128,
                                       id::kFractionLow128,
                                       48,
                                       64,
                                       40};

}  // namespace orbalta
