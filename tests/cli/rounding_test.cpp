// Decimal to binary in every format and rounding direction, against an exact rational
// rounding of the test's own (GMP rationals, no MPFR): the result must be one of the two
// neighbours of the typed value, the one the direction picks.

#include "tools/cli/rounding.h"

#include <gmp.h>
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "textconv/decimal_input.h"

namespace orbalta::cli {
namespace {

class Rational {
 public:
  Rational() { mpq_init(q_); }
  Rational(const Rational& o) {
    mpq_init(q_);
    mpq_set(q_, o.q_);
  }
  Rational& operator=(const Rational& o) {
    mpq_set(q_, o.q_);
    return *this;
  }
  ~Rational() { mpq_clear(q_); }
  mpq_ptr get() { return q_; }
  mpq_srcptr get() const { return q_; }

 private:
  mpq_t q_;
};

// m * 2^q
Rational binary(mpz_srcptr m, long q) {
  Rational r;
  mpq_set_z(r.get(), m);
  if (q >= 0) mpq_mul_2exp(r.get(), r.get(), static_cast<mp_bitcnt_t>(q));
  if (q < 0) mpq_div_2exp(r.get(), r.get(), static_cast<mp_bitcnt_t>(-q));
  return r;
}

Rational binary(unsigned long m, long q) {
  BigInteger z;
  mpz_set_ui(z.get(), m);
  return binary(z.get(), q);
}

// The decimal digits and exponent of a text as the CLI's reader takes them.
BigDecimal decimal(const std::string& text) {
  TypedNumber number;
  DecimalInput::read(text, 16, &number);
  EXPECT_TRUE(number.isNumber) << text;
  return typedValue(number);
}

Rational rationalOf(const BigDecimal& d) {
  Rational r;
  if (d.digits.empty()) return r;
  BigInteger n, p;
  mpz_set_str(n.get(), d.digits.c_str(), 10);
  const long scale = mpz_get_si(d.exponent.get()) - static_cast<long>(d.digits.size()) + 1;
  mpz_ui_pow_ui(p.get(), 10, static_cast<unsigned long>(scale < 0 ? -scale : scale));
  mpq_set_z(r.get(), n.get());
  Rational power;
  mpq_set_z(power.get(), p.get());
  if (scale >= 0) mpq_mul(r.get(), r.get(), power.get());
  if (scale < 0) mpq_div(r.get(), r.get(), power.get());
  if (d.negative) mpq_neg(r.get(), r.get());
  return r;
}

struct Expected {
  bool infinite = false;
  Rational value;  // with its sign; a zero's sign is the typed one's
};

// The two values of the format's grid about |x| (x != 0), extended past the largest finite.
struct Neighbours {
  bool negative = false;
  bool exact = false;
  int side = 0;  // the sign of |x| - (lo + hi) / 2
  bool lowOdd = false;
  Rational lo, hi, largest;
};

Neighbours neighbours(const Rational& x, const BinaryFormat& f) {
  Neighbours n;
  Rational a;
  mpq_abs(a.get(), x.get());
  n.negative = mpq_sgn(x.get()) < 0;
  // E = floor(log2 |x|): first guessed from the sizes, then corrected.
  long e = static_cast<long>(mpz_sizeinbase(mpq_numref(a.get()), 2)) -
           static_cast<long>(mpz_sizeinbase(mpq_denref(a.get()), 2));
  while (mpq_cmp(binary(1, e).get(), a.get()) > 0) --e;
  while (mpq_cmp(binary(1, e + 1).get(), a.get()) <= 0) ++e;
  const long quantum = std::max(e, f.emin()) - f.precision + 1;
  // lo = floor(|x| / 2^quantum) * 2^quantum, hi = lo + 2^quantum.
  Rational scaled = a;
  if (quantum >= 0) mpq_div_2exp(scaled.get(), scaled.get(), static_cast<mp_bitcnt_t>(quantum));
  if (quantum < 0) mpq_mul_2exp(scaled.get(), scaled.get(), static_cast<mp_bitcnt_t>(-quantum));
  BigInteger low, high;
  mpz_fdiv_q(low.get(), mpq_numref(scaled.get()), mpq_denref(scaled.get()));
  mpz_add_ui(high.get(), low.get(), 1);
  n.lowOdd = mpz_odd_p(low.get()) != 0;
  n.lo = binary(low.get(), quantum);
  n.hi = binary(high.get(), quantum);
  n.exact = mpq_equal(n.lo.get(), a.get()) != 0;
  Rational mid;
  mpq_add(mid.get(), n.lo.get(), n.hi.get());
  mpq_div_2exp(mid.get(), mid.get(), 1);
  n.side = mpq_cmp(a.get(), mid.get());
  BigInteger maxM;
  mpz_ui_pow_ui(maxM.get(), 2, static_cast<unsigned long>(f.precision));
  mpz_sub_ui(maxM.get(), maxM.get(), 1);
  n.largest = binary(maxM.get(), f.emax() - f.precision + 1);
  return n;
}

// The neighbour that direction `r` picks.
Expected choose(const Neighbours& n, Rounding r) {
  bool up = false;  // the magnitude rounded up
  switch (r) {
    case Rounding::NearestEven:
      up = n.side > 0 || (n.side == 0 && n.lowOdd);
      break;
    case Rounding::NearestAway:
      up = n.side >= 0;
      break;
    case Rounding::Up:
      up = !n.negative;
      break;
    case Rounding::Down:
      up = n.negative;
      break;
    case Rounding::Zero:
      up = false;
  }
  Expected out;
  out.value = up && !n.exact ? n.hi : n.lo;
  if (mpq_cmp(out.value.get(), n.largest.get()) > 0) {
    // Beyond the largest finite: an infinity, or the largest finite toward zero.
    const bool away = (r == Rounding::Up && !n.negative) || (r == Rounding::Down && n.negative);
    out.infinite = away || r == Rounding::NearestEven || r == Rounding::NearestAway;
    out.value = n.largest;
  }
  if (n.negative) mpq_neg(out.value.get(), out.value.get());
  return out;
}

Expected reference(const Rational& x, const BinaryFormat& f, Rounding r) {
  return choose(neighbours(x, f), r);
}

// Text of m * 2^q as an exact decimal, written by the test itself.
std::string decimalText(mpz_srcptr m, long q, bool negative) {
  BigInteger n;
  mpz_set(n.get(), m);
  long scale = 0;
  if (q >= 0) mpz_mul_2exp(n.get(), n.get(), static_cast<mp_bitcnt_t>(q));
  if (q < 0) {
    BigInteger five;
    mpz_ui_pow_ui(five.get(), 5, static_cast<unsigned long>(-q));
    mpz_mul(n.get(), n.get(), five.get());
    scale = q;
  }
  return (negative ? "-" : "") + n.text() + "e" + std::to_string(scale);
}

// base + k halves of a quantum 2^quantum, k = from..to: the representable values and the
// midpoints between them, as exact decimals.
void halves(std::vector<std::string>& out, unsigned long baseBits, bool withBase, long quantum,
            int from, int to) {
  for (int k = from; k <= to; ++k) {
    BigInteger m;
    if (withBase) mpz_ui_pow_ui(m.get(), 2, baseBits + 1);
    if (k >= 0) mpz_add_ui(m.get(), m.get(), static_cast<unsigned long>(k));
    if (k < 0) mpz_sub_ui(m.get(), m.get(), static_cast<unsigned long>(-k));
    out.push_back(decimalText(m.get(), quantum - 1, false));
  }
}

// Values that test every branch of a rounding: neighbours, midpoints and a hair either side
// of them, at the subnormals, at the normal threshold, around 1 and at the overflow threshold.
std::vector<std::string> hardCases(const BinaryFormat& f) {
  const auto p = static_cast<unsigned long>(f.precision);
  std::vector<std::string> points;
  // binary256's subnormals have some 180,000 digits: fewer of them, with the same branches.
  const int reach = f.width() > 128 ? 1 : 3;
  halves(points, 0, false, f.quantumMin(), 1, 2 * reach + 1);  // 2^qmin / 2 and up
  halves(points, p - 1, true, f.quantumMin(), -reach, reach);  // about 2^emin
  halves(points, p - 1, true, 1 - f.precision, 0, 3);          // 1 and above
  halves(points, p, true, -f.precision, -3, -1);               // below 1
  halves(points, p, true, f.emax() - f.precision + 1, -3, 0);  // up to 2^(emax+1)
  std::vector<std::string> out{"-0", "0"};
  for (const std::string& t : points) {
    const std::size_t e = t.find('e');
    const std::string digits = t.substr(0, e);
    const std::string hairScale = "e" + std::to_string(std::stol(t.substr(e + 1)) - 21);
    BigInteger above, below;
    mpz_set_str(above.get(), (digits + std::string(21, '0')).c_str(), 10);
    mpz_sub_ui(below.get(), above.get(), 1);
    mpz_add_ui(above.get(), above.get(), 1);
    for (const std::string& v : {t, above.text() + hairScale, below.text() + hairScale}) {
      out.push_back(v);
      out.push_back("-" + v);
    }
  }
  return out;
}

std::vector<BinaryFormat> formats() {
  std::vector<BinaryFormat> out;
  for (const char* which :
       {"16", "bf16", "32", "64", "80", "128", "256", "3,2", "4,5", "2,10", "10,3"})
    out.push_back(*formatNamed(which));
  return out;
}

constexpr Rounding kDirections[] = {Rounding::NearestEven, Rounding::NearestAway, Rounding::Up,
                                    Rounding::Down, Rounding::Zero};

std::string directionName(Rounding r) {
  constexpr const char* kNames[] = {"nearest-even", "nearest-away", "up", "down", "zero"};
  return kNames[static_cast<int>(r)];
}

void expectRounding(const BigDecimal& typed, const Rational& x, const Expected& want,
                    const BinaryFormat& f, Rounding r) {
  const Rounded got = roundDecimal(typed, f, r);
  if (mpq_sgn(x.get()) == 0) {
    EXPECT_FALSE(got.infinite);
    EXPECT_EQ(mpz_sgn(got.value.m.get()), 0);
    EXPECT_EQ(got.value.negative, typed.negative) << "the sign of a zero";
    return;
  }
  ASSERT_EQ(got.infinite, want.infinite);
  EXPECT_EQ(got.value.negative, mpq_sgn(x.get()) < 0) << "the sign follows the value";
  if (got.infinite) return;
  EXPECT_LE(mpz_sizeinbase(got.value.m.get(), 2), static_cast<std::size_t>(f.precision));
  EXPECT_GE(got.value.q, f.quantumMin());
  Rational value = binary(got.value.m.get(), got.value.q);
  if (got.value.negative) mpq_neg(value.get(), value.get());
  EXPECT_TRUE(mpq_equal(value.get(), want.value.get()));
}

// `text` in every direction.
void checkText(const std::string& text, const BinaryFormat& f) {
  const BigDecimal typed = decimal(text);
  const Rational x = rationalOf(typed);
  const Neighbours n = mpq_sgn(x.get()) != 0 ? neighbours(x, f) : Neighbours{};
  for (const Rounding r : kDirections) {
    SCOPED_TRACE(f.name + " " + directionName(r) + " " + text.substr(0, 80));
    expectRounding(typed, x, choose(n, r), f, r);
  }
}

TEST(RoundingTest, NeighboursMidpointsAndThresholdsInEveryDirection) {
  for (const BinaryFormat& f : formats()) {
    for (const std::string& text : hardCases(f)) checkText(text, f);
  }
}

TEST(RoundingTest, RandomDecimalsAcrossTheRange) {
  std::mt19937_64 random(20261209);
  for (const BinaryFormat& f : formats()) {
    // Decimal exponents from below the subnormals to beyond the largest finite.
    const long span = static_cast<long>(static_cast<double>(f.emax()) * 0.30103) + 2;
    const long low = -span - (f.precision * 3) / 10 - 3;
    std::uniform_int_distribution<long> exponent(low, span + 1);
    std::uniform_int_distribution<int> length(1, 40), digit(0, 9);
    for (int i = 0; i < 200; ++i) {
      std::string digits(1, static_cast<char>('1' + digit(random) % 9));
      for (int k = length(random); k > 1; --k) digits += static_cast<char>('0' + digit(random));
      const std::string text = (i % 2 ? "-" : "") + digits + "e" + std::to_string(exponent(random));
      checkText(text, f);
    }
  }
}

// A value too far to be written as a rational here rounds as any other beyond the format's
// range: as 2^(emax + 2), or as 2^(qmin - 2), a quarter of the smallest subnormal.
TEST(RoundingTest, ExponentsOfAnySize) {
  const struct {
    const char* text;
    bool huge;
  } rows[] = {{"1e-99999999999999999999", false},
              {"-7e-100000", false},
              {"1e99999999999999999999", true},
              {"-3.5e100001", true}};
  for (const BinaryFormat& f : formats()) {
    for (const Rounding r : kDirections) {
      for (const auto& row : rows) {
        SCOPED_TRACE(f.name + " " + directionName(r) + " " + row.text);
        const BigDecimal typed = decimal(row.text);
        Rational standIn = binary(1, row.huge ? f.emax() + 2 : f.quantumMin() - 2);
        if (typed.negative) mpq_neg(standIn.get(), standIn.get());
        const Expected want = reference(standIn, f, r);
        const Rounded got = roundDecimal(typed, f, r);
        ASSERT_EQ(got.infinite, want.infinite);
        EXPECT_EQ(got.value.negative, typed.negative);
        if (got.infinite) continue;
        Rational value = binary(got.value.m.get(), got.value.q);
        if (got.value.negative) mpq_neg(value.get(), value.get());
        EXPECT_TRUE(mpq_equal(value.get(), want.value.get()));
      }
    }
  }
}

// The independent corpus gives binary16, binary32 and binary64 (ties to even) in hex.
TEST(RoundingTest, CorpusNearestEven) {
  std::ifstream corpus(ORBALTA_TESTDATA_DIR "/decimal-to-binary32-64.txt");
  ASSERT_TRUE(corpus) << "no corpus in " ORBALTA_TESTDATA_DIR;
  const BinaryFormat f16 = *formatNamed("16"), f32 = *formatNamed("32"), f64 = *formatNamed("64");
  std::string line;
  int checked = 0;
  for (int n = 0; n < 20000 && std::getline(corpus, line); ++n) {
    std::istringstream fields(line);
    std::string h16, h32, h64, text;
    fields >> h16 >> h32 >> h64 >> text;
    TypedNumber number;
    DecimalInput::read(text, 16, &number);
    if (!number.isNumber) continue;
    const BigDecimal typed = typedValue(number);
    for (const auto& [f, hex] : {std::pair{f16, h16}, {f32, h32}, {f64, h64}}) {
      const Rounded got = roundDecimal(typed, f, Rounding::NearestEven);
      BigInteger want;
      mpz_set_str(want.get(), hex.c_str(), 16);
      // Rebuild the value the hex encodes and compare the two exactly.
      const long t = f.fractionWidth();
      BigInteger fraction, biased;
      mpz_fdiv_r_2exp(fraction.get(), want.get(), static_cast<mp_bitcnt_t>(t));
      mpz_fdiv_q_2exp(biased.get(), want.get(), static_cast<mp_bitcnt_t>(t));
      mpz_fdiv_r_2exp(biased.get(), biased.get(), static_cast<mp_bitcnt_t>(f.exponentWidth));
      const long b = mpz_get_si(biased.get());
      if (b == (1L << f.exponentWidth) - 1) {
        EXPECT_TRUE(got.infinite) << text << " in " << f.name;
        continue;
      }
      if (b != 0) mpz_setbit(fraction.get(), static_cast<mp_bitcnt_t>(t));
      const Rational value = binary(fraction.get(), std::max(b, 1L) - f.bias() - t);
      ASSERT_FALSE(got.infinite) << text << " in " << f.name;
      EXPECT_TRUE(mpq_equal(binary(got.value.m.get(), got.value.q).get(), value.get()))
          << text << " in " << f.name << ": want " << hex;
      ++checked;
    }
  }
  EXPECT_GT(checked, 50000);
}

}  // namespace
}  // namespace orbalta::cli
