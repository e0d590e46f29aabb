// Finite values are kept as m * 2^q with q = max(E, emin) - p + 1 for the exponent E of the
// leading bit: the neighbours are then m + 1 and m - 1 but at the ends of a binade.

#include "tools/cli/engine_views.h"

#include <algorithm>

namespace orbalta::cli {

namespace {

struct Decoded {
  const char* label;
  std::optional<BinaryValue> value;  // a finite datum's
  long exponent = 0;                 // of representation, emin for zeros and subnormals
};

BigInteger field(const BigInteger& bits, int low, int width) {
  BigInteger out;
  mpz_fdiv_q_2exp(out.get(), bits.get(), static_cast<mp_bitcnt_t>(low));
  mpz_fdiv_r_2exp(out.get(), out.get(), static_cast<mp_bitcnt_t>(width));
  return out;
}

BigInteger powerOfTwo(long n) {
  BigInteger out(1);
  mpz_mul_2exp(out.get(), out.get(), static_cast<mp_bitcnt_t>(n));
  return out;
}

// x87: the integer bit is stored, and encodings that contradict it have names of their own.
Decoded decodeExplicit(long biased, bool integerBit, bool fractionZero, const BinaryFormat& f) {
  const long top = (1L << f.exponentWidth) - 1;
  if (biased == top) {
    if (integerBit) return {fractionZero ? "Signed Infinity" : "Not-a-Number", std::nullopt};
    return {fractionZero ? "Pseudo-Infinity" : "Pseudo-NaN", std::nullopt};
  }
  if (biased != 0 && !integerBit) return {"Unnormal", std::nullopt};
  if (biased == 0 && integerBit) return {"Pseudo-Denormal", BinaryValue{}, f.emin()};
  if (biased == 0) return {fractionZero ? "Signed Zero" : "Denormalized Number", BinaryValue{}};
  return {"Normalized Number", BinaryValue{}, biased - f.bias()};
}

Decoded decode(const BigInteger& bits, const BinaryFormat& f) {
  const int sw = f.significandWidth();
  const long biased = mpz_get_si(field(bits, sw, f.exponentWidth).get());
  const BigInteger fraction = field(bits, 0, f.fractionWidth());
  const bool fractionZero = mpz_sgn(fraction.get()) == 0;
  const long top = (1L << f.exponentWidth) - 1;
  Decoded d{"", BinaryValue{}, f.emin()};
  if (f.explicitInteger) {
    d = decodeExplicit(biased, mpz_tstbit(bits.get(), f.fractionWidth()) != 0, fractionZero, f);
  } else if (biased == top) {
    d = {fractionZero ? "Signed Infinity" : "Not-a-Number", std::nullopt};
  } else if (biased == 0) {
    d.label = fractionZero ? "Signed Zero" : "Denormalized Number";
  } else {
    d = {"Normalized Number", BinaryValue{}, biased - f.bias()};
  }
  if (!d.value) return d;
  d.value->negative = mpz_tstbit(bits.get(), static_cast<mp_bitcnt_t>(f.width() - 1)) != 0;
  d.value->m = fraction;
  if (biased != 0 || (f.explicitInteger && mpz_tstbit(bits.get(), f.fractionWidth())))
    mpz_setbit(d.value->m.get(), static_cast<mp_bitcnt_t>(f.fractionWidth()));
  d.value->q = std::max(d.exponent, f.emin()) - f.precision + 1;
  return d;
}

// The next value of a finite datum away from zero (`away`) or toward it; nullopt past the
// largest finite.
std::optional<BinaryValue> step(BinaryValue v, bool away, const BinaryFormat& f) {
  if (mpz_sgn(v.m.get()) == 0 && !away) return std::nullopt;  // the caller flips the sign
  const BigInteger low = powerOfTwo(f.precision - 1);
  if (away) {
    mpz_add_ui(v.m.get(), v.m.get(), 1);
    if (mpz_cmp(v.m.get(), powerOfTwo(f.precision).get()) == 0) {
      v.m = low;
      ++v.q;
      if (v.q + f.precision - 1 > f.emax()) return std::nullopt;
    }
    return v;
  }
  if (mpz_cmp(v.m.get(), low.get()) == 0 && v.q > f.quantumMin()) {
    mpz_mul_2exp(v.m.get(), v.m.get(), 1);
    mpz_sub_ui(v.m.get(), v.m.get(), 1);
    --v.q;
    return v;
  }
  mpz_sub_ui(v.m.get(), v.m.get(), 1);
  return v;
}

std::string valueText(const std::optional<BinaryValue>& v, bool negativeInfinity) {
  if (!v) return negativeInfinity ? "-Infinity" : "Infinity";
  return sciText(decimalOf(*v));
}

// X+ (`up`) or X- of a finite datum.
std::string neighbourText(const BinaryValue& v, bool up, const BinaryFormat& f) {
  const bool zero = mpz_sgn(v.m.get()) == 0;
  if (zero) return sciText(decimalOf(BinaryValue{!up, BigInteger(1), f.quantumMin()}));
  // Up from a positive value and down from a negative one move away from zero.
  const bool away = up != v.negative;
  std::optional<BinaryValue> next = step(v, away, f);
  return valueText(next, v.negative);
}

std::string bitText(const BigInteger& bits, const BinaryFormat& f) {
  std::string digits(static_cast<std::size_t>(f.width()) + 2, '\0');
  mpz_get_str(digits.data(), 2, bits.get());
  digits.resize(digits.find('\0'));
  digits.insert(0, static_cast<std::size_t>(f.width()) - digits.size(), '0');
  std::string out =
      digits.substr(0, 1) + ":" + digits.substr(1, static_cast<std::size_t>(f.exponentWidth)) + ":";
  const std::string significand = digits.substr(1 + static_cast<std::size_t>(f.exponentWidth));
  if (f.explicitInteger) return out + significand.substr(0, 1) + ":" + significand.substr(1);
  return out + significand;
}

std::string hexText(const BigInteger& bits, const BinaryFormat& f) {
  const auto count = static_cast<std::size_t>((f.width() + 3) / 4);
  std::string digits(count + 2, '\0');
  mpz_get_str(digits.data(), -16, bits.get());
  digits.resize(digits.find('\0'));
  return "0x" + std::string(count - digits.size(), '0') + digits;
}

}  // namespace

BigInteger encodingOf(const Rounded& rounded, const BinaryFormat& f) {
  if (rounded.infinite) return specialEncoding(f, false, rounded.value.negative);
  const BinaryValue& v = rounded.value;
  BigInteger bits = v.m;
  const bool normal = mpz_sizeinbase(v.m.get(), 2) == static_cast<std::size_t>(f.precision);
  if (normal) {
    // The leading bit is implicit unless stored; the exponent field is added above it.
    if (!f.explicitInteger) mpz_clrbit(bits.get(), static_cast<mp_bitcnt_t>(f.fractionWidth()));
    const long biased = v.q + f.precision - 1 + f.bias();
    BigInteger e(biased);
    mpz_mul_2exp(e.get(), e.get(), static_cast<mp_bitcnt_t>(f.significandWidth()));
    mpz_ior(bits.get(), bits.get(), e.get());
  }
  if (v.negative) mpz_setbit(bits.get(), static_cast<mp_bitcnt_t>(f.width() - 1));
  return bits;
}

BigInteger specialEncoding(const BinaryFormat& f, bool nan, bool negative) {
  BigInteger bits = powerOfTwo(f.exponentWidth);
  mpz_sub_ui(bits.get(), bits.get(), 1);
  mpz_mul_2exp(bits.get(), bits.get(), static_cast<mp_bitcnt_t>(f.significandWidth()));
  if (nan) {
    BigInteger fraction = powerOfTwo(f.fractionWidth());
    mpz_sub_ui(fraction.get(), fraction.get(), 1);
    mpz_ior(bits.get(), bits.get(), fraction.get());
  }
  if (f.explicitInteger) mpz_setbit(bits.get(), static_cast<mp_bitcnt_t>(f.fractionWidth()));
  if (negative) mpz_setbit(bits.get(), static_cast<mp_bitcnt_t>(f.width() - 1));
  return bits;
}

Views engineViews(const BigInteger& bits, const BinaryFormat& f,
                  const std::optional<Typed>& typed) {
  const Decoded d = decode(bits, f);
  const std::optional<BinaryValue>& v = d.value;
  Views fields{
      {"format", "format", f.name},
      {"bits", "bits", bitText(bits, f)},
      {"hex", "hex", hexText(bits, f)},
      {"class", "class", std::string(d.label)},
      {"exact", "exact", v ? std::optional(sciText(decimalOf(*v))) : std::nullopt},
  };
  std::optional<BinaryValue> ulp;
  if (v) ulp = BinaryValue{false, BigInteger(1), std::max(d.exponent, f.emin()) - f.precision + 1};
  addErrorFields(fields, typed, v, ulp);
  std::optional<std::string> exponent, ulpText, up, down, epsilon;
  if (v) {
    exponent = std::to_string(d.exponent);
    ulpText = sciText(decimalOf(*ulp));
    up = neighbourText(*v, true, f);
    down = neighbourText(*v, false, f);
    epsilon = sciText(decimalOf(BinaryValue{false, BigInteger(1), 1L - f.precision}));
  }
  fields.push_back({"exponent", "exponent", exponent});
  fields.push_back({"ulp", "ULP", ulpText});
  fields.push_back({"x_plus", "X+", up});
  fields.push_back({"x_minus", "X-", down});
  fields.push_back({"epsilon", "epsilon", epsilon});
  return fields;
}

}  // namespace orbalta::cli
