// Decimal input on arbitrary text. The first byte picks the format, the rest is the text.
// Each outcome is checked against a reading of the token written here from the accepted
// forms, and every number against the C library's own conversion of the same token
// (strtof_l / strtod_l in the C locale, strtoflt128 for binary128). Then the same text, cut to
// the 42 characters of the X edit, goes through decimalToBitFields in the main window.
//
// A first byte from 0xE0 to 0xEF builds the text instead: the rest of the input is taken as an
// encoding x, and the text is the exact decimal value of x, of the midpoint between x and the
// next larger magnitude, or of a number just above or just below that midpoint. The rounded
// result is then known without any library: x, the even one of the two, the larger, x.

#include <gmp.h>
#include <locale.h>
#include "textconv/bit_cast.h"
#include "textconv/quad_math.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/main_window_harness.h"
#include "model/bit_codec.h"
#include "model/formats.h"
#include "textconv/decimal_input.h"
#include "textconv/fixed_text.h"
#include "textconv/layouts.h"

namespace orbalta::fuzz {
namespace {

// Longer numeric tokens are still read, but not compared with the C library.
constexpr std::size_t kReferenceLimit = 400;

struct Expected {
  enum Kind { Nothing, Reject, Number, Infinity, NaN } kind = Nothing;
  bool negative = false;
  std::string reference;  // Number: "[-]digits[.digits]e[-]digits" for the C library
};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

char lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c;
}

bool endsToken(char c) {
  return c == ' ' || c == '\t' || c == ',';
}

bool equalsFolded(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (lower(text[i]) != word[i]) return false;
  }
  return true;
}

// The number part "digits[.digits][E|D|Q[sign]digits]", rewritten with 'e'; false when the
// text is not of that form.
bool numberForm(std::string_view t, std::string& out) {
  std::size_t i = 0;
  std::size_t digits = 0;
  bool point = false;
  for (; i < t.size(); ++i) {
    if (isDigit(t[i])) {
      ++digits;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  out.append(t.substr(0, i));
  if (i == t.size()) return true;
  const char letter = lower(t[i]);
  if (letter != 'e' && letter != 'd' && letter != 'q') return false;
  out.push_back('e');
  ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) out.push_back(t[i++]);
  const std::size_t exponentStart = i;
  while (i < t.size() && isDigit(t[i])) out.push_back(t[i++]);
  return i > exponentStart && i == t.size();
}

Expected expect(std::string_view text) {
  Expected e;
  std::size_t p = 0;
  while (p < text.size() &&
         (text[p] == ' ' || text[p] == '\t' || text[p] == '\r' || text[p] == '\n')) {
    ++p;
  }
  if (p == text.size() || text[p] == '(') return e;
  std::size_t q = p;
  while (q < text.size() && !endsToken(text[q])) ++q;
  std::string_view token = text.substr(p, q - p);

  // r*t: r digits with one that is not zero.
  std::size_t r = 0;
  while (r < token.size() && isDigit(token[r])) ++r;
  if (r > 0 && r < token.size() && token[r] == '*') {
    if (token.substr(0, r).find_first_not_of('0') == std::string_view::npos) {
      e.kind = Expected::Reject;
      return e;
    }
    token.remove_prefix(r + 1);
  }

  bool plus = false;
  if (!token.empty() && (token[0] == '+' || token[0] == '-')) {
    e.negative = token[0] == '-';
    plus = token[0] == '+';
    token.remove_prefix(1);
  }
  if (equalsFolded(token, "inf") || equalsFolded(token, "infinity")) {
    e.kind = Expected::Infinity;
  } else if (equalsFolded(token, "nan")) {
    e.kind = Expected::NaN;
    e.negative = !plus;
  } else {
    e.reference = e.negative ? "-" : "";
    e.kind = numberForm(token, e.reference) ? Expected::Number : Expected::Reject;
  }
  return e;
}

std::string hex(Encoding bits) {
  char text[40];
  std::snprintf(text, sizeof text, "%016llx%016llx",
                static_cast<unsigned long long>(static_cast<std::uint64_t>(bits >> 64)),
                static_cast<unsigned long long>(static_cast<std::uint64_t>(bits)));
  return text;
}

std::string describe(std::string_view text, int formatBytes, const DecimalInput::Result& r) {
  static constexpr const char* kOutcomes[] = {"Parsed", "Rejected", "NothingRead"};
  std::string out = "format " + std::to_string(formatBytes) + " text " + quoted(text);
  out += " -> ";
  out += kOutcomes[static_cast<int>(r.outcome)];
  if (r.outcome == InputOutcome::Parsed) out += " " + hex(r.bits);
  return out;
}

locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return locale;
}

// The C library's value of a number token; nullopt when it overflows the format.
std::optional<Encoding> reference(const std::string& token, int formatBytes) {
  switch (formatBytes) {
    case 4: {
      const float v = strtof_l(token.c_str(), nullptr, cLocale());
      if (std::isinf(v)) return std::nullopt;
      return orbalta::bit_cast<std::uint32_t>(v);
    }
    case 8: {
      const double v = strtod_l(token.c_str(), nullptr, cLocale());
      if (std::isinf(v)) return std::nullopt;
      return orbalta::bit_cast<std::uint64_t>(v);
    }
    default: {
      const __float128 v = strtoflt128(token.c_str(), nullptr);
      if (isinfq(v)) return std::nullopt;
      return orbalta::bit_cast<Encoding>(v);
    }
  }
}

void checkRead(std::string_view text, int formatBytes, const DecimalInput::Result& r) {
  const FormatSpec& format = *formatSpec(formatBytes);
  if (r.outcome == InputOutcome::Parsed && formatBytes != 16) {
    require((r.bits >> format.bits) == 0, "parsed value wider than its format",
            [&] { return describe(text, formatBytes, r); });
  }
  const Expected e = expect(text);
  const Encoding sign = e.negative ? format.signMask() : 0;
  switch (e.kind) {
    case Expected::Nothing:
      require(r.outcome == InputOutcome::NothingRead, "expected NothingRead",
              [&] { return describe(text, formatBytes, r); });
      return;
    case Expected::Reject:
      require(r.outcome == InputOutcome::Rejected, "expected Rejected",
              [&] { return describe(text, formatBytes, r); });
      return;
    case Expected::Infinity:
      require(r.outcome == InputOutcome::Parsed && r.bits == (format.exponentMask() | sign),
              "expected an infinity", [&] { return describe(text, formatBytes, r); });
      return;
    case Expected::NaN: {
      const Encoding quiet = Encoding{1} << (format.fractionWidth - 1);
      require(r.outcome == InputOutcome::Parsed && r.bits == (format.exponentMask() | quiet | sign),
              "expected the quiet NaN", [&] { return describe(text, formatBytes, r); });
      return;
    }
    case Expected::Number:
      require(r.outcome != InputOutcome::NothingRead, "a number read as nothing",
              [&] { return describe(text, formatBytes, r); });
      if (e.reference.size() > kReferenceLimit) return;
      if (const auto want = reference(e.reference, formatBytes)) {
        require(r.outcome == InputOutcome::Parsed && r.bits == *want,
                "disagrees with the C library",
                [&] { return describe(text, formatBytes, r) + " (library " + hex(*want) + ")"; });
      } else {
        require(r.outcome == InputOutcome::Rejected, "overflow not rejected",
                [&] { return describe(text, formatBytes, r); });
      }
      return;
  }
}

// The X text through decimalToBitFields: a Rejected text leaves value and fields alone and
// says "Invalid Value"; NothingRead shows the bits of the value kept; Parsed stores and shows.
void checkDecimalToBitFields(std::string_view text, int formatBytes) {
  MainWindow& window = MainWindow::instance();
  window.restart(formatBytes);
  AppState& state = window.state;
  state.value32 = 0x5A5A5A5Au;
  state.value64 = 0x1234567890ABCDEFull;
  state.value128 = (Encoding{0x0F0F0F0F0F0F0F0Full} << 64) | 0xF0F0F0F0F0F0F0F0ull;
  const AppState before = state;
  state.xText.assign(text);
  const DecimalInput::Result r = DecimalInput::read(state.xText.view(), formatBytes);
  checkRead(state.xText.view(), formatBytes, r);

  const FormatSpec& format = *formatSpec(formatBytes);
  const int edits[] = {format.signEdit, format.exponentEdit, format.fractionEdit,
                       format.fractionLowEdit};
  for (const int edit : edits) {
    if (edit != 0) window.show(edit, "stale");
  }
  window.platform.messageBoxes.clear();
  decimalToBitFields(window.main, state);
  DLGCOMMIT(window.main, false);

  std::string shown;
  for (const int edit : edits) {
    if (edit != 0) shown += window.shown(edit);
  }
  const auto detail = [&] { return describe(state.xText.view(), formatBytes, r); };
  require(state.value32 == (formatBytes == 4 && r.outcome == InputOutcome::Parsed
                                ? static_cast<std::uint32_t>(r.bits)
                                : before.value32),
          "value32 after decimalToBitFields", detail);
  require(state.value64 == (formatBytes == 8 && r.outcome == InputOutcome::Parsed
                                ? static_cast<std::uint64_t>(r.bits)
                                : before.value64),
          "value64 after decimalToBitFields", detail);
  require(state.value128 ==
              (formatBytes == 16 && r.outcome == InputOutcome::Parsed ? r.bits : before.value128),
          "value128 after decimalToBitFields", detail);
  if (r.outcome == InputOutcome::Rejected) {
    require(window.platform.messageBoxes.size() == 1 &&
                window.platform.messageBoxes[0].text == kInvalidValueMessage &&
                window.platform.messageBoxes[0].title == kInvalidValueTitle &&
                window.platform.messageBoxes[0].icon == platform::MessageIcon::Warning,
            "Rejected without its one message", detail);
    require(shown == (format.fractionLowEdit != 0 ? "stalestalestalestale" : "stalestalestale"),
            "Rejected changed the fields", detail);
  } else {
    require(window.platform.messageBoxes.empty(), "a message for an accepted text", detail);
    require(shown == BitStringLayout::write(state.currentValue(), formatBytes),
            "fields do not show the stored value", [&] { return detail() + " shown " + shown; });
  }
}

enum class Boundary { Exact, Midpoint, AboveMidpoint, BelowMidpoint };

// The decimal text of odd-or-zero m x 2^k, written as digits "e" exponent, exact.
std::string exactDecimal(const mpz_t m, long k, Boundary where) {
  mpz_t digits;
  mpz_init_set(digits, m);
  long exponent = 0;
  if (k >= 0) {
    mpz_mul_2exp(digits, digits, static_cast<unsigned long>(k));
  } else {
    mpz_t five;
    mpz_init(five);
    mpz_ui_pow_ui(five, 5, static_cast<unsigned long>(-k));
    mpz_mul(digits, digits, five);
    mpz_clear(five);
    exponent = k;
  }
  if (where == Boundary::AboveMidpoint || where == Boundary::BelowMidpoint) {
    // One more digit: +1 or -1 in it moves the value by far less than half a unit.
    mpz_mul_ui(digits, digits, 10);
    if (where == Boundary::AboveMidpoint) {
      mpz_add_ui(digits, digits, 1);
    } else {
      mpz_sub_ui(digits, digits, 1);
    }
    --exponent;
  }
  std::string text(mpz_sizeinbase(digits, 10) + 2, '\0');
  mpz_get_str(text.data(), 10, digits);
  text.resize(std::char_traits<char>::length(text.c_str()));
  mpz_clear(digits);
  return text + "e" + std::to_string(exponent);
}

void checkBoundary(const std::uint8_t* data, std::size_t size, int formatBytes, Boundary where) {
  const FormatSpec& f = *formatSpec(formatBytes);
  Encoding bits = 0;
  for (std::size_t i = 0; i < size && i < 16; ++i) bits |= Encoding{data[i]} << (8 * i);
  if (f.bits < 128) bits &= (Encoding{1} << f.bits) - 1;
  const bool negative = (bits & f.signMask()) != 0;
  Encoding x = bits & ~f.signMask();
  if (x >= f.exponentMask()) x = f.exponentMask() - 1;  // infinities and NaNs: the largest finite

  // x = significand x 2^e.
  const auto biased = static_cast<long>(x >> f.fractionWidth);
  const Encoding fraction = x & f.fractionMask();
  const Encoding significand = biased == 0 ? fraction : fraction | (Encoding{1} << f.fractionWidth);
  const long e = (biased == 0 ? 1 : biased) - f.bias - f.fractionWidth;
  mpz_t m;
  mpz_init(m);
  mpz_import(m, 2, -1, sizeof(std::uint64_t), 0, 0,
             std::array<std::uint64_t, 2>{static_cast<std::uint64_t>(significand),
                                          static_cast<std::uint64_t>(significand >> 64)}
                 .data());
  long k = e;
  Encoding expected = x;
  if (where != Boundary::Exact) {
    // The midpoint (2 significand + 1) x 2^(e - 1).
    mpz_mul_2exp(m, m, 1);
    mpz_add_ui(m, m, 1);
    k = e - 1;
    const bool up = where == Boundary::AboveMidpoint ||
                    (where == Boundary::Midpoint && (x & 1) != 0);  // ties to even
    if (up) expected = x + 1;  // the next magnitude, an infinity after the largest finite
  }
  const std::string text = (negative ? "-" : "") + exactDecimal(m, k, where);
  mpz_clear(m);

  const DecimalInput::Result r = DecimalInput::read(text, formatBytes);
  const auto detail = [&] {
    return describe(text, formatBytes, r) + " (expected " + hex(expected) + ")";
  };
  if (expected == f.exponentMask()) {
    require(r.outcome == InputOutcome::Rejected, "rounded past the largest finite, not rejected",
            detail);
  } else {
    require(
        r.outcome == InputOutcome::Parsed && r.bits == (expected | (negative ? f.signMask() : 0)),
        "rounding at a boundary", detail);
  }
}

}  // namespace
}  // namespace orbalta::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace orbalta;
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] >= 0xF0) {
    // Any other width reads nothing.
    const int width = data[0] - 0xF0;
    if (width == 4 || width == 8) return 0;
    const auto r = DecimalInput::read(text, width);
    fuzz::require(r.outcome == InputOutcome::NothingRead, "unknown format read something",
                  [&] { return std::to_string(width); });
    return 0;
  }
  static constexpr int kFormats[] = {4, 8, 16};
  if (data[0] >= 0xE0) {
    const int low = data[0] - 0xE0;
    fuzz::checkBoundary(data + 1, size - 1, kFormats[low % 3],
                        static_cast<fuzz::Boundary>(low / 4));
    return 0;
  }
  const int formatBytes = kFormats[data[0] % 3];
  fuzz::checkRead(text, formatBytes, DecimalInput::read(text, formatBytes));
  fuzz::checkDecimalToBitFields(text, formatBytes);
  return 0;
}
