#include "ui/main/value_tips.h"

#include "model/bit_codec.h"
#include "model/formats.h"
#include "model/ieee_arith.h"
#include "textconv/exact_decimal.h"
#include "textconv/layouts.h"
#include "ui/main/main_window.h"

namespace orbalta {

namespace {

// `value` holds at least the digits shown; `totalDigits` says how many the whole value has.
std::string cutWithCount(const ExactDecimal& value, std::size_t totalDigits) {
  std::string text = shortSciText(value, kToolTipDigits);
  if (totalDigits > kToolTipDigits) {
    text += "\n(" + std::to_string(totalDigits) + " cifre semnificative, aici primele " +
            std::to_string(kToolTipDigits) + ")";
  }
  return text;
}

}  // namespace

std::string exactValueTip(Encoding bits, int formatBytes) {
  // Only the digits shown are computed: a refresh must not wait for 11,000 of them.
  std::size_t totalDigits = 0;
  const std::optional<ExactDecimal> lead =
      leadingDigits(bits, formatBytes, kToolTipDigits + 1, totalDigits);
  // An infinity or a NaN has no decimal value: its word, as the layouts write it.
  if (!lead) {
    return std::string(trimBlanks(SciLayout::write(bits, formatBytes))) + ": fara valoare zecimala";
  }
  return cutWithCount(*lead, totalDigits);
}

std::string storedValueTip(const AppState& state, const TypedNumber* typed) {
  const Encoding bits = state.currentValue();
  std::string tip = std::string("Valoare memorata exact (") + state.format().name + "):\n" +
                    exactValueTip(bits, state.formatBytes);
  if (typed == nullptr || !typed->isNumber) return tip;
  const std::optional<ExactDecimal> error = conversionError(*typed, bits, state.formatBytes);
  if (!error) return tip;
  tip += "\nEroare de conversie (tastat - memorat):\n" + cutWithCount(*error, error->digits.size());
  const std::optional<std::string> ratio =
      ratioText(*error, ulpBits(bits, state.formatBytes), state.formatBytes);
  tip += ratio ? "\n= " + *ratio + " ULP(X)" : std::string("\nULP(X) = 0: fara raport");
  return tip;
}

void showWordValueTip(Dialog& dialog, const AppState& state) {
  // The word's fields are shown; the stored value stays as it was.
  DLGPUTTOOLTIP(dialog, id::kXEdit, exactValueTip(specialValueEncoding(state), state.formatBytes));
}

void showTypedValueTip(Dialog& dialog, const AppState& state, const DecimalInput::Result& result,
                       const TypedNumber& typed) {
  if (result.outcome == InputOutcome::Rejected) return;
  DLGPUTTOOLTIP(dialog, id::kXEdit, storedValueTip(state, &typed));
}

void showStoredValueTip(Dialog& dialog, const AppState& state) {
  DLGPUTTOOLTIP(dialog, id::kXEdit, storedValueTip(state, nullptr));
}

}  // namespace orbalta
