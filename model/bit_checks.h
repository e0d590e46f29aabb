#pragma once
// The rules for the bit-field edits and the special words of X, without a window: how each
// edit is checked, how a stray character is repaired, and the messages that say so.

#include <array>

#include "model/app_state.h"
#include "textconv/fixed_text.h"

namespace orbalta {

// When a field is too long: the sign edits cut first and then tell; the others tell first.
enum class ExcessOrder { RepairThenMessage, MessageThenRepair };

// Validation parameters of one bit-field edit.
struct BitFieldCheck {
  int edit;
  int formatBytes;
  const char* field;
  int width;       // W: the field's width, also the "too long" threshold
  int readLength;  // R = W + 1: one excess character is still seen
  int inspected;   // C: leading characters of the R-character buffer that are checked
  ExcessOrder order;
};

namespace detail {
constexpr BitFieldCheck check(int edit, const FormatSpec& format, const char* field, int width,
                              int inspected, ExcessOrder order) {
  return {edit, format.formatBytes, field, width, width + 1, inspected, order};
}
constexpr BitFieldCheck signCheck(const FormatSpec& format) {
  return check(format.signEdit, format, "sign", format.signWidth, 1,
               ExcessOrder::RepairThenMessage);
}
constexpr BitFieldCheck exponentCheck(const FormatSpec& format, int inspected) {
  return check(format.exponentEdit, format, "exponent", format.exponentWidth, inspected,
               ExcessOrder::MessageThenRepair);
}
}  // namespace detail

// How many characters each edit checks differs from format to format.
inline constexpr std::array<BitFieldCheck, 10> kBitFieldChecks{{
    detail::signCheck(kBinary32),
    detail::exponentCheck(kBinary32, 9),
    detail::check(kBinary32.fractionEdit, kBinary32, "fraction", kBinary32.fractionHighWidth, 24,
                  ExcessOrder::MessageThenRepair),
    detail::signCheck(kBinary64),
    detail::exponentCheck(kBinary64, 11),
    detail::check(kBinary64.fractionEdit, kBinary64, "fraction", kBinary64.fractionHighWidth, 53,
                  ExcessOrder::MessageThenRepair),
    detail::signCheck(kBinary128),
    detail::exponentCheck(kBinary128, 15),
    detail::check(kBinary128.fractionEdit, kBinary128, "fraction, high part",
                  kBinary128.fractionHighWidth, 49, ExcessOrder::MessageThenRepair),
    detail::check(kBinary128.fractionLowEdit, kBinary128, "fraction, low part",
                  kBinary128.fractionLowWidth, 64, ExcessOrder::MessageThenRepair),
}};

// The row of `controlId`; nullptr for an id that is not a bit-field edit.
const BitFieldCheck* bitFieldCheck(int controlId);

inline constexpr const char* kInvalidBitMessage =
    "Valoare invalida pentru bit !\n(Se inlocuieste cu \"1\")";
inline constexpr const char* kExcessBitMessage = "1 Bit in Exces !\n(Ultimul bit se elimina)";
inline constexpr const char* kBitMessageTitle = "Eroare";
inline constexpr const char* kInvalidValueMessage = "Invalid Value";
inline constexpr const char* kInvalidValueTitle = "Error";

// Classifies the first three characters of `xText` as a word for NaN or infinity; sets
// `isNaN`, `isInfinite`, `nanSignBit` and `infSignBit` (the latter only when not a NaN).
void specialWordCheck(AppState& state);

// The encoding of the infinity or NaN found by `specialWordCheck` (a NaN has every fraction
// bit set).
Encoding specialValueEncoding(const AppState& state);

// Replaces every character among the first `count` that is not '0', '1' or blank by '1';
// true when anything was replaced.
bool repairBitChars(int count, FixedText& buffer);

}  // namespace orbalta
