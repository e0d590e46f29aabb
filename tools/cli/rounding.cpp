// MPFR works in the format itself: its exponent range is set so that its smallest exponent
// is that of the smallest subnormal and its largest that of the largest finite, and
// mpfr_subnormalize rounds once more onto the subnormal grid without a second rounding
// error. MPFR has no conversion that breaks ties away from zero; a tie is found exactly
// (the typed value equals the midpoint of its two neighbours) and settled by hand.

#include "tools/cli/rounding.h"

#include <mpfr.h>

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
    case Rounding::NearestAway:  // settled by the caller
    case Rounding::NearestEven:
    default:
      return MPFR_RNDN;
  }
}

// Rounds into `x` within the format; returns MPFR's ternary value and whether it overflowed.
int convert(const std::string& text, const BinaryFormat& f, mpfr_rnd_t rnd, mpfr_ptr x,
            bool& overflow) {
  const FormatRange range(f);
  const int ternary = mpfr_strtofr(x, text.c_str(), nullptr, 10, rnd);
  const int result = mpfr_subnormalize(x, ternary, rnd);
  overflow = mpfr_overflow_p() != 0;
  return result;
}

// Is the typed value exactly halfway between `lo` and `hi`, its neighbours in the format?
bool isTie(const std::string& text, const BinaryFormat& f, mpfr_ptr lo, mpfr_ptr hi) {
  // Both neighbours have p bits on a common grid: their mean has p + 2 at the most, and so
  // does a typed value equal to it.
  Real mid(f.precision + 2), typed(f.precision + 2);
  mpfr_add(mid.get(), lo, hi, MPFR_RNDN);
  mpfr_div_2ui(mid.get(), mid.get(), 1, MPFR_RNDN);
  return mpfr_strtofr(typed.get(), text.c_str(), nullptr, 10, MPFR_RNDN) == 0 &&
         mpfr_equal_p(typed.get(), mid.get()) != 0;
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
  const int ternary = convert(text, f, mpfrRounding(rounding), x.get(), out.overflow);
  if (rounding == Rounding::NearestAway && ternary != 0) {
    Real lo(f.precision), hi(f.precision);
    bool overflowLo = false, overflowHi = false;
    convert(text, f, MPFR_RNDZ, lo.get(), overflowLo);
    convert(text, f, MPFR_RNDA, hi.get(), overflowHi);
    // Beyond the largest finite both nearest directions give the same infinity.
    if (!mpfr_inf_p(hi.get()) && isTie(text, f, lo.get(), hi.get()))
      mpfr_set(x.get(), hi.get(), MPFR_RNDN);
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
