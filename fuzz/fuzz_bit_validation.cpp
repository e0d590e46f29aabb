// The bit-field edits of the main window played by a user on the in-memory platform, through
// the real toolkit and the handlers start-up attaches.
//
// Input: a format byte, then records. Each record starts with a control byte: its low four
// bits pick one of the selected format's bit-field edits, its top two bits what the user does:
//   0  pastes the record's text over the whole field (one change),
//   1  types the record's text at the end of the field (one change per character, at most 8),
//   2  the field shows the text without a change (a state no validation saw), then gets focus,
//   3  clicks into the field (focus only; no length byte, no text).
// Modes 0 to 2 take a length byte and that many bytes of text (fewer at the end of the input).
// Records after the fourth are ignored.
//
// After every event: the changed field is repaired and cut as validation promises, with the
// promised messages; the stored value of the selected format is the joined fields read as
// bits, stray characters counting as '1'; the other formats' values are untouched; the class
// flags, the label, the list's state and the X text agree with the fields and the value.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "fuzz/main_window_harness.h"
#include "model/bit_codec.h"
#include "model/formats.h"
#include "textconv/decimal_input.h"
#include "textconv/fixed_text.h"
#include "textconv/layouts.h"

namespace orbalta::fuzz {
namespace {

// Each event costs a whole handler run; these bounds keep an input to a few dozen events.
constexpr std::size_t kTypedLimit = 8;
constexpr int kRecordLimit = 4;

bool isBit(char c) {
  return c == '0' || c == '1' || c == ' ';
}

// What validation leaves in the field and which messages it shows, from the text the user
// left there.
void checkValidation(MainWindow& window, const BitFieldCheck& row, const std::string& typed) {
  const auto width = static_cast<std::size_t>(row.width);
  std::string buffer = padTo(typed, static_cast<std::size_t>(row.readLength));
  bool invalid = false;
  for (std::size_t i = 0; i < static_cast<std::size_t>(row.inspected); ++i) {
    if (!isBit(buffer[i])) {
      buffer[i] = '1';
      invalid = true;
    }
  }
  const bool excess = typed.size() > width;
  const std::string repaired(trimRight(std::string_view(buffer).substr(0, width)));

  const auto detail = [&] {
    std::string text = "edit " + std::to_string(row.edit) + " typed " + quoted(typed) + " shows " +
                       quoted(window.shown(row.edit));
    for (const auto& m : window.platform.messageBoxes) text += "; message " + quoted(m.text);
    return text;
  };
  const std::string& field = window.shown(row.edit);
  require(field.size() <= width, "field longer than its width", detail);
  require(field.find_first_not_of("01 ") == std::string::npos, "field keeps a stray character",
          detail);
  require(field == (invalid || excess ? repaired : typed), "field not repaired as promised",
          detail);

  const auto& messages = window.platform.messageBoxes;
  const auto watched = [&](const testing::MessageBoxCall& m) { return m.screen.at(row.edit); };
  require(messages.size() <= 2, "more than two messages for one change", detail);
  require(messages.size() == static_cast<std::size_t>(invalid) + static_cast<std::size_t>(excess),
          "messages do not match the faults", detail);
  std::size_t next = 0;
  if (invalid) {
    const auto& m = messages[next++];
    require(m.text == kInvalidBitMessage && m.title == kBitMessageTitle &&
                m.icon == platform::MessageIcon::Warning,
            "invalid-character message", detail);
    require(watched(m) == repaired, "repair not shown with its message", detail);
  }
  if (excess) {
    const auto& m = messages[next];
    require(m.text == kExcessBitMessage && m.title == kBitMessageTitle &&
                m.icon == platform::MessageIcon::Error,
            "excess message", detail);
    const std::string before = row.order == ExcessOrder::RepairThenMessage ? repaired
                               : invalid                                   ? repaired
                                                                           : typed;
    require(watched(m) == before, "excess message shown over the wrong text", detail);
  }
}

// The selected format's fields joined, each cut or blank-filled to its width, a stray
// character counting as '1'.
std::string joinedFields(MainWindow& window, const FormatSpec& f) {
  std::string joined =
      padTo(window.shown(f.signEdit), 1) +
      padTo(window.shown(f.exponentEdit), static_cast<std::size_t>(f.exponentWidth)) +
      padTo(window.shown(f.fractionEdit), static_cast<std::size_t>(f.fractionHighWidth));
  if (f.fractionLowEdit != 0) {
    joined += padTo(window.shown(f.fractionLowEdit), static_cast<std::size_t>(f.fractionLowWidth));
  }
  for (char& c : joined) {
    if (!isBit(c)) c = '1';
  }
  return joined;
}

// A digits-only edit takes no other typed character (a paste still brings any).
bool refusesTyped(MainWindow& w, int edit, char c) {
  return (w.platform.control(w.window, edit).styles & platform::kDigitsOnly) != 0 &&
         (c < '0' || c > '9');
}

bool all(std::string_view text, char digit) {
  return text.find_first_not_of(digit) == std::string_view::npos;
}

Encoding magnitude(Encoding bits, const FormatSpec& f) {
  return bits & ~f.signMask();
}

// The X text read back in the same format lands on the value or within a few units in the
// last place: 17 digits bring every binary64 back, 8 and 34 digits are a little short for
// binary32 and binary128.
void checkXText(MainWindow& window, const FormatSpec& f, Encoding value) {
  const std::string& x = window.shown(id::kXEdit);
  const auto detail = [&] { return "X " + quoted(x); };
  require(!x.empty() && x.front() != ' ' && x.back() != ' ', "X text not trimmed", detail);
  const bool negative = (value & f.signMask()) != 0;
  const Encoding exponent = value & f.exponentMask();
  const Encoding fraction = value & f.fractionMask();
  if (exponent == f.exponentMask()) {
    require(x == (fraction != 0 ? "NaN"
                  : negative    ? "-Infinity"
                                : "Infinity"),
            "X of a datum that is not finite", detail);
    return;
  }
  const DecimalInput::Result back = DecimalInput::read(x, f.formatBytes);
  require(back.outcome == InputOutcome::Parsed, "X text cannot be read back", detail);
  const Encoding m = magnitude(value, f);
  const Encoding b = magnitude(back.bits, f);
  if (m == 0) {
    require(b == 0 && x.front() == '+', "X of a zero", detail);
    return;
  }
  require(
      x.front() == (negative ? '-' : '+') && (back.bits & f.signMask()) == (value & f.signMask()),
      "X text sign", detail);
  const Encoding tolerance = f.formatBytes == 8 ? 0 : f.formatBytes == 4 ? 2 : 12;
  require((b > m ? b - m : m - b) <= tolerance, "X text read back too far from the value", detail);
}

void checkModel(MainWindow& w, const AppState& before) {
  const AppState& state = w.state;
  const FormatSpec& f = *formatSpec(state.formatBytes);
  if (state.formatBytes != 4) require(state.value32 == before.value32, "value32 touched");
  if (state.formatBytes != 8) require(state.value64 == before.value64, "value64 touched");
  if (state.formatBytes != 16) require(state.value128 == before.value128, "value128 touched");

  const std::string joined = joinedFields(w, f);
  const auto pattern = BitStringLayout::read(joined, state.formatBytes);
  require(pattern.has_value(), "joined fields unreadable", [&] { return quoted(joined); });
  require(state.currentValue() == *pattern, "stored value is not the fields' bits",
          [&] { return quoted(joined); });

  const auto we = static_cast<std::size_t>(f.exponentWidth);
  const std::string_view exponent = std::string_view(joined).substr(1, we);
  const std::string_view fraction = std::string_view(joined).substr(1 + we);
  const bool zE = all(exponent, '0'), oE = all(exponent, '1'), zT = all(fraction, '0');
  require(state.isZero == (zE && zT) && state.isSubnormal == (zE && !zT) &&
              state.isInfinite == (oE && zT) && state.isNaN == (oE && !zT) &&
              state.isFinite == !oE &&
              state.exponentAtMin == all(exponent.substr(0, we - 1), '0') &&
              state.exponentAtMax == all(exponent.substr(0, we - 1), '1'),
          "class flags", [&] { return quoted(joined); });
  if (joined.find(' ') == std::string::npos) {
    // Whole fields: the class read from the characters is the class of the value.
    const Encoding v = state.currentValue();
    const bool valueZeroE = (v & f.exponentMask()) == 0;
    const bool valueOnesE = (v & f.exponentMask()) == f.exponentMask();
    const bool valueZeroT = (v & f.fractionMask()) == 0;
    require(zE == valueZeroE && oE == valueOnesE && zT == valueZeroT,
            "class of the characters is not that of the value", [&] { return quoted(joined); });
  }

  const std::string label =
      state.isZero        ? "Signed Zero"
      : state.isSubnormal ? "Denormalized Number"
      : state.isInfinite  ? "Signed Infinity"
      : state.isNaN       ? "Not-a-Number"
                          : "Normalized Number: Real(" + std::to_string(state.formatBytes) + ")";
  require(w.shown(id::kDataType) == label, "data-type box",
          [&] { return quoted(w.shown(id::kDataType)); });
  require(w.enabled(id::kParamList) == state.isFinite, "parameter list state");
  checkXText(w, f, state.currentValue());
}

}  // namespace
}  // namespace orbalta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbalta;
  using fuzz::MainWindow;
  if (size == 0) return 0;
  MainWindow& w = MainWindow::instance();
  static constexpr int kFormats[] = {4, 8, 16};
  w.restart(kFormats[data[0] % 3]);
  w.state.value32 = 0x3FC00000u;
  w.state.value64 = 0x3FF8000000000000ull;
  w.state.value128 = Encoding{0x3FFF800000000000ull} << 64;
  std::vector<const BitFieldCheck*> rows;
  for (const BitFieldCheck& row : kBitFieldChecks) {
    if (row.formatBytes == w.state.formatBytes) rows.push_back(&row);
  }

  auto& messages = w.platform.messageBoxes;
  std::size_t at = 1;
  for (int records = 0; at < size && records < fuzz::kRecordLimit; ++records) {
    const std::uint8_t control = data[at++];
    const BitFieldCheck& row = *rows[(control & 0x0F) % rows.size()];
    const int mode = control >> 6;
    std::string text;
    if (mode != 3 && at < size) {
      const std::size_t wanted = data[at++];
      const std::size_t length = std::min(wanted, size - at);
      text.assign(reinterpret_cast<const char*>(data + at), length);
      at += length;
    }

    const AppState before = w.state;
    messages.clear();
    bool raised = mode != 1;
    switch (mode) {
      case 0:
        w.platform.replaceText(w.window, row.edit, text);
        fuzz::checkValidation(w, row, text);
        break;
      case 1:
        // Longer typing adds only repetitions: a paste reaches any length in one change.
        if (text.size() > fuzz::kTypedLimit) text.resize(fuzz::kTypedLimit);
        for (const char c : text) {
          const std::string typed = w.shown(row.edit) + c;
          messages.clear();
          w.platform.setCaret(w.window, row.edit, static_cast<int>(typed.size()));
          w.platform.type(w.window, row.edit, std::string(1, c));
          if (fuzz::refusesTyped(w, row.edit, c)) {
            fuzz::require(w.shown(row.edit) + c == typed && messages.empty(),
                          "a refused character changed the field");
            continue;
          }
          raised = true;
          fuzz::checkValidation(w, row, typed);
          fuzz::checkModel(w, before);
        }
        break;
      case 2:
        w.show(row.edit, text);
        w.platform.focus(w.window, row.edit);
        break;
      default:
        w.platform.focus(w.window, row.edit);
        break;
    }
    if (mode >= 2) fuzz::require(messages.empty(), "a message on focus");
    // Typing nothing the edit takes raises nothing, so there is nothing to check.
    if (raised) fuzz::checkModel(w, before);
  }
  return 0;
}
