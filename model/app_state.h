#pragma once
// The one application-state record of a run. Every main-window handler reads and writes it;
// it is passed in, never global.

#include <array>
#include <cstdint>
#include <string>

#include "model/formats.h"
#include "platform/handles.h"
#include "textconv/fixed_text.h"
#include "textconv/number_types.h"

namespace orbalta {

class Dialog;

inline constexpr int kSummaryTextCount = 7;
inline constexpr int kSummaryTextLength = 180;

struct AppState {
  std::int32_t formatBytes = 0;
  // Interchange encodings, bit for bit.
  std::uint32_t value32 = 0;
  std::uint64_t value64 = 0;
  uint128 value128 = 0;
  FixedText xText{42};
  bool scopeAllFields = false;
  std::int32_t currentFieldLength = 0;
  FixedText zerosText{64};
  FixedText onesText{64};
  // Class flags of the last classification.
  bool isZero = false;
  bool isSubnormal = false;
  bool isInfinite = false;
  bool isNaN = false;
  bool isFinite = false;
  bool exponentAtMax = false;
  bool exponentAtMin = false;
  FixedText dataTypeLabel{30};
  char infSignBit = ' ';
  char nanSignBit = ' ';
  std::int32_t paramSelection = 0;
  // The significand value text last shown: shown again when asked for a datum that is not
  // finite.
  std::string lastSignificandText;
  std::array<FixedText, kSummaryTextCount> summaryTexts{
      FixedText(kSummaryTextLength), FixedText(kSummaryTextLength), FixedText(kSummaryTextLength),
      FixedText(kSummaryTextLength), FixedText(kSummaryTextLength), FixedText(kSummaryTextLength),
      FixedText(kSummaryTextLength)};

  // Window resources held for the whole run (owned by start-up).
  Dialog* mainDialog = nullptr;
  Dialog* summaryDialog = nullptr;
  platform::IconHandle iconAppSmall = 0;
  platform::IconHandle iconSummaryButton = 0;
  platform::IconHandle iconInfoButton = 0;
  platform::IconHandle iconAboutButton = 0;

  // The row of the selected format. Start-up selects binary32 before any handler runs, so
  // `formatBytes` is 4, 8 or 16 wherever this is called; anything else stops the program.
  const FormatSpec& format() const;

  // The stored value of the selected format, zero-extended; 0 for an unknown format.
  Encoding currentValue() const;
  void setCurrentValue(Encoding bits);
};

// Width of the bit field whose edit is `controlId` under the selected format (sign edits give
// 1 in every format; 0 for anything else). Also stored in `currentFieldLength`.
std::int32_t fieldLengthOf(AppState& state, int controlId);

}  // namespace orbalta
