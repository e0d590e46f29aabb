// MPFR works in the format itself: its exponent range is set so that its smallest exponent
// is that of the smallest subnormal and its largest that of the largest finite, and
// mpfr_subnormalize rounds once more onto the subnormal grid without a second rounding
// error. MPFR has no conversion that breaks ties away from zero: that one is settled by
// comparing the typed value with the midpoint of its neighbours.

#include "tools/cli/rounding.h"

#include <mpfr.h>

#include <algorithm>
#include <string>

namespace orbalta::cli {

namespace {

// Beyond these decimal exponents every value of every format up to binary256 is far past
// its largest finite or below half its smallest subnormal (10^78913 and 10^-78984).
constexpr long kFarExponent = 80'000;

// MPFR's exponent range and flags are process-wide: left as they were found.
class FormatRange {
 public:
  explicit FormatRange(const BinaryFormat& f)
      : emin_(mpfr_get_emin()), emax_(mpfr_get_emax()), flags_(mpfr_flags_save()) {
    // MPFR writes x = 0.1b... * 2^E, one more than the IEEE exponent.
    mpfr_set_emin(f.quantumMin() + 1);
    mpfr_set_emax(f.emax() + 1);
    mpfr_clear_flags();
  }
  ~FormatRange() {
    mpfr_set_emin(emin_);
    mpfr_set_emax(emax_);
    mpfr_flags_restore(flags_, MPFR_FLAGS_ALL);
  }
  FormatRange(const FormatRange&) = delete;
  FormatRange& operator=(const FormatRange&) = delete;

 private:
  mpfr_exp_t emin_, emax_;
  mpfr_flags_t flags_;
};

class Real {
 public:
  explicit Real(long precision) { mpfr_init2(x_, precision); }
  ~Real() { mpfr_clear(x_); }
  Real(const Real&) = delete;
  Real& operator=(const Real&) = delete;
  mpfr_ptr get() { return x_; }

 private:
  mpfr_t x_;
};

// The typed value as MPFR reads it; far exponents stand in for the same rounding.
std::string mpfrText(const BigDecimal& typed) {
  std::string text = typed.negative ? "-" : "";
  if (mpz_cmp_si(typed.exponent.get(), kFarExponent) > 0)
    return text + "1e" + std::to_string(kFarExponent);
  if (mpz_cmp_si(typed.exponent.get(), -kFarExponent) < 0)
    return text + "1e-" + std::to_string(kFarExponent);
  text += typed.digits[0];
  text += '.';
  text.append(typed.digits, 1);
  return text + "e" + typed.exponent.text();
}

mpfr_rnd_t mpfrRounding(Rounding r) {
  switch (r) {
    case Rounding::Up:
      return MPFR_RNDU;
    case Rounding::Down:
      return MPFR_RNDD;
    case Rounding::Zero:
      return MPFR_RNDZ;
    case Rounding::NearestEven:
    default:
      return MPFR_RNDN;
  }
}

// Rounds into `x` within the format.
void convert(const std::string& text, const BinaryFormat& f, mpfr_rnd_t rnd, mpfr_ptr x) {
  const FormatRange range(f);
  const int ternary = mpfr_strtofr(x, text.c_str(), nullptr, 10, rnd);
  mpfr_subnormalize(x, ternary, rnd);
}

// Nearest, ties away from zero, from the neighbour toward zero `lo` of |typed| (`text`):
// the one away from zero when |typed| is at or above their midpoint.
void roundHalfAway(const std::string& text, const BinaryFormat& f, mpfr_ptr x) {
  Real lo(f.precision);
  convert(text, f, MPFR_RNDZ, lo.get());
  const long e = mpfr_zero_p(lo.get()) ? f.emin() : mpfr_get_exp(lo.get()) - 1;
  const long quantum = std::max(e, f.emin()) - f.precision + 1;
  // lo and the midpoint lo + 2^(quantum - 1) have p + 1 bits on a grid of 2^(quantum - 1),
  // and are exact with p + 2; |typed| rounded to p + 2 bits compares with the midpoint as
  // |typed| itself does, and is equal to it only if exact.
  Real mid(f.precision + 2), typed(f.precision + 2);
  mpfr_abs(mid.get(), lo.get(), MPFR_RNDN);
  Real half(2);
  mpfr_set_ui_2exp(half.get(), 1, quantum - 1, MPFR_RNDN);
  mpfr_add(mid.get(), mid.get(), half.get(), MPFR_RNDN);
  const int ternary =
      mpfr_strtofr(typed.get(), text.c_str() + (text[0] == '-'), nullptr, 10, MPFR_RNDN);
  const int side = mpfr_cmp(typed.get(), mid.get());
  const bool away = side > 0 || (side == 0 && ternary <= 0);
  mpfr_set(x, lo.get(), MPFR_RNDN);
  if (!away) return;
  // The neighbour away from zero: lo + 2^quantum, or an infinity past the largest finite.
  mpfr_add(mid.get(), mid.get(), half.get(), MPFR_RNDN);
  const FormatRange range(f);
  mpfr_set(x, mid.get(), MPFR_RNDN);
  mpfr_check_range(x, 0, MPFR_RNDN);
  if (text[0] == '-') mpfr_neg(x, x, MPFR_RNDN);
}

BinaryValue valueOf(mpfr_ptr x, const BinaryFormat& f) {
  BinaryValue out;
  out.negative = mpfr_signbit(x) != 0;
  if (mpfr_zero_p(x)) {
    out.q = f.quantumMin();
    return out;
  }
  long q = mpfr_get_z_2exp(out.m.get(), x);
  mpz_abs(out.m.get(), out.m.get());
  if (q < f.quantumMin()) {
    // A subnormal: the bits below the subnormal grid are zeros.
    mpz_fdiv_q_2exp(out.m.get(), out.m.get(), static_cast<mp_bitcnt_t>(f.quantumMin() - q));
    q = f.quantumMin();
  }
  out.q = q;
  return out;
}

}  // namespace

std::optional<Rounding> roundingNamed(std::string_view name) {
  if (name == "nearest-even") return Rounding::NearestEven;
  if (name == "nearest-away") return Rounding::NearestAway;
  if (name == "up") return Rounding::Up;
  if (name == "down") return Rounding::Down;
  if (name == "zero") return Rounding::Zero;
  return std::nullopt;
}

Rounded roundDecimal(const BigDecimal& typed, const BinaryFormat& f, Rounding rounding) {
  Rounded out;
  if (typed.digits.empty()) {
    out.value.negative = typed.negative;
    out.value.q = f.quantumMin();
    return out;
  }
  const std::string text = mpfrText(typed);
  Real x(f.precision);
  if (rounding == Rounding::NearestAway) {
    roundHalfAway(text, f, x.get());
  } else {
    convert(text, f, mpfrRounding(rounding), x.get());
  }
  out.infinite = mpfr_inf_p(x.get()) != 0;
  if (out.infinite) {
    out.value.negative = mpfr_signbit(x.get()) != 0;
    return out;
  }
  out.value = valueOf(x.get(), f);
  return out;
}

}  // namespace orbalta::cli
