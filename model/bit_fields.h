#pragma once
// The bit-field edits of one format read as, and written from, one text of the whole
// encoding: sign // exponent // fraction (binary128: fraction high part // low part).

#include <string_view>

#include "model/formats.h"
#include "textconv/fixed_text.h"

namespace orbalta {

class Dialog;

// N characters; each field read into its own width (cut or blank-filled).
FixedText readBitFields(Dialog& dialog, const FormatSpec& format);

// `bits` holds N characters; each edit receives its slice.
void putBitFields(Dialog& dialog, const FormatSpec& format, std::string_view bits);

}  // namespace orbalta
